#!/bin/bash
# The editor's weight, as a timed run: CPU from start to the first painted
# window, CPU for meters at 100 reports a second under a real X server at
# 1920 x 1080, and steady memory after a minute of meters.
#
#   bash bench/lightness.sh [BUILD_DIR [BEFORE_BUILD_DIR]]   (default: build)
#
# With a second build directory, both builds are measured in the same run,
# one after the other, and printed side by side. Everything runs inside a
# private network namespace with only loopback: the editor on 127.0.0.1, the
# simulated mixer on 127.0.0.2.
set -euo pipefail
cd "$(dirname "$0")/.."
if [[ "${LIGHTNESS_INSIDE:-}" != 1 ]]; then
  bash scripts/install_packages.sh xvfb openbox xdotool util-linux iproute2
  builds=()
  for b in "${1:-build}" ${2:+"$2"}; do builds+=("$(realpath "$b")"); done
  exec unshare -n env LIGHTNESS_INSIDE=1 bash "$0" "${builds[@]}"
fi
ip link set lo up
work=$(mktemp -d)
display=:47
pids=()
cleanup() { kill "${pids[@]}" 2>/dev/null || true; wait 2>/dev/null || true; rm -rf "$work"; }
trap cleanup EXIT

Xvfb "$display" -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 & pids+=($!)
xserver=$!
export DISPLAY=$display
for _ in $(seq 50); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done
openbox >/dev/null 2>&1 & pids+=($!)
sleep 0.5

ticks=$(getconf CLK_TCK)
# User and system CPU of a process, in clock ticks.
cpu() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
memory() {
  awk '/^Rss:/ { r = $2 } /^Anonymous:/ { a = $2 }
       END { printf "%.1f MB (%.1f MB anonymous, %.1f MB mapped files)", r / 1024, a / 1024, (r - a) / 1024 }' \
    "/proc/$1/smaps_rollup"
}

measure() {
  local build=$1 pid sim c0 c1 x0 x1 t0 t1 startup meters xmeters
  rm -rf "$work/data" && mkdir -p "$work/data"
  editor() {
    "$build/src/app/mixer-editor" --bind 127.0.0.1 --device 127.0.0.2 --port 5000 --data-dir "$work/data" \
      --language 1 "$@" >/dev/null 2>&1 &
  }
  # Start-up: from exec to a window that has been mapped and painted, offline.
  editor
  pid=$!
  xdotool search --sync --onlyvisible --pid "$pid" >/dev/null
  sleep 1
  startup=$(awk -v c="$(cpu "$pid")" -v t="$ticks" 'BEGIN { printf "%.2f", c / t }')
  kill "$pid"; wait "$pid" 2>/dev/null || true

  # Meters: connected to a mixer streaming 100 reports a second.
  "$build/sim/mixer-sim" --meter-rate 100 >/dev/null 2>&1 &
  sim=$!
  sleep 0.5
  editor --connect
  pid=$!
  xdotool search --sync --onlyvisible --pid "$pid" >/dev/null
  sleep 5
  c0=$(cpu "$pid"); x0=$(cpu "$xserver"); t0=$(date +%s.%N)
  sleep 20
  c1=$(cpu "$pid"); x1=$(cpu "$xserver"); t1=$(date +%s.%N)
  share() { awk -v a="$1" -v b="$2" -v t0="$t0" -v t1="$t1" -v t="$ticks" 'BEGIN { printf "%.2f", 100 * (b - a) / t / (t1 - t0) }'; }
  meters=$(share "$c0" "$c1")
  xmeters=$(share "$x0" "$x1")
  sleep 35
  echo "$build"
  echo "  start-up to the first painted window: ${startup} s of CPU"
  echo "  meters at 100 reports/s: editor ${meters} % of one core, X server ${xmeters} %"
  echo "  steady RSS after a minute of meters: $(memory "$pid")"
  kill "$pid" "$sim"; wait "$pid" "$sim" 2>/dev/null || true
}

for build in "$@"; do measure "$build"; done
