#!/usr/bin/env bash
# Sets up, builds and runs every test. The tests run in a private network
# namespace that has only loopback, so nothing they send can leave the machine.
#   bash scripts/test.sh              the normal build in build/
#   bash scripts/test.sh --sanitize   a build with AddressSanitizer and
#                                     UndefinedBehaviorSanitizer in build-asan/;
#                                     any report or leak fails its test
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh

dir=build
if [ "${1:-}" = "--sanitize" ]; then
  dir=build-asan
  flags="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
  cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER_LAUNCHER=ccache \
    -DMIXER_BUILD_BENCH=OFF -DCMAKE_CXX_FLAGS="$flags" \
    -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
  CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1 cmake --build "$dir" -j2
  export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
fi

run_tests="ip link set lo up && cd $dir && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2"

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
  cd "$dir" && QT_QPA_PLATFORM=offscreen exec ctest --output-on-failure -j2
fi

echo "Cannot create a private network namespace (unshare -n failed), so the tests will not run." >&2
echo "Set MIXER_TESTS_ALLOW_HOST_NETWORK=1 to run them on the host network anyway." >&2
exit 1
