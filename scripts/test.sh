#!/usr/bin/env bash
# Sets up, builds and runs every test. The tests run in a private network
# namespace that has only loopback, so nothing they send can leave the machine.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh

run_tests='ip link set lo up && cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2'

if [ "$(id -u)" -eq 0 ]; then
  ns=(unshare -n)
else
  ns=(unshare -rn)
fi

if "${ns[@]}" true 2>/dev/null; then
  exec "${ns[@]}" bash -c "$run_tests"
fi

if [ "${MIXER_TESTS_ALLOW_HOST_NETWORK:-}" = "1" ]; then
  echo "No private network namespace could be made; running on the host network as MIXER_TESTS_ALLOW_HOST_NETWORK=1 asks."
  cd build && QT_QPA_PLATFORM=offscreen exec ctest --output-on-failure -j2
fi

echo "Cannot create a private network namespace (unshare -n failed), so the tests will not run." >&2
echo "Set MIXER_TESTS_ALLOW_HOST_NETWORK=1 to run them on the host network anyway." >&2
exit 1
