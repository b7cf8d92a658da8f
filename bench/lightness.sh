#!/bin/bash
# The editor's weight, as a timed run: CPU for meters at 100 reports a second
# under a real X server at 1920 x 1080, steady memory after a minute of
# meters, and CPU from start to the first painted window.
#
#   bash bench/lightness.sh [BUILD_DIR]    (default: build)
#
# Runs everything inside a private network namespace with only loopback: the
# editor on 127.0.0.1, the simulated mixer on 127.0.0.2. Needs Xvfb, openbox
# and xdotool (the README's set-up installs them).
set -euo pipefail
build=$(realpath "${1:-build}")
if [[ "${LIGHTNESS_INSIDE:-}" != 1 ]]; then
  exec unshare -n env LIGHTNESS_INSIDE=1 bash "$0" "$build"
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
rss_mb() { awk '/^Rss:/ { printf "%.1f", $2 / 1024 }' "/proc/$1/smaps_rollup"; }
anon_mb() { awk '/^Anonymous:/ { printf "%.1f", $2 / 1024 }' "/proc/$1/smaps_rollup"; }
file_mb() { awk '/^Rss:/ { r = $2 } /^Anonymous:/ { a = $2 } END { printf "%.1f", (r - a) / 1024 }' "/proc/$1/smaps_rollup"; }

editor() {
  "$build/src/app/mixer-editor" --bind 127.0.0.1 --device 127.0.0.2 --port 5000 --data-dir "$work" \
    --language 1 "$@" >/dev/null 2>&1 &
}

# Start-up: from exec to a window that has been mapped and painted, offline.
editor
pid=$!
pids+=($pid)
xdotool search --sync --onlyvisible --pid "$pid" >/dev/null
sleep 1
startup=$(awk -v c="$(cpu "$pid")" -v t="$ticks" 'BEGIN { printf "%.2f", c / t }')
kill "$pid"; wait "$pid" 2>/dev/null || true

# Meters: connected to a mixer streaming 100 reports a second.
"$build/sim/mixer-sim" --meter-rate 100 >/dev/null 2>&1 & pids+=($!)
sleep 0.5
editor --connect
pid=$!
pids+=($pid)
xdotool search --sync --onlyvisible --pid "$pid" >/dev/null
sleep 5
c0=$(cpu "$pid"); x0=$(cpu "$xserver"); t0=$(date +%s.%N)
sleep 20
c1=$(cpu "$pid"); x1=$(cpu "$xserver"); t1=$(date +%s.%N)
share() { awk -v a="$1" -v b="$2" -v t0="$t0" -v t1="$t1" -v t="$ticks" 'BEGIN { printf "%.2f", 100 * (b - a) / t / (t1 - t0) }'; }
meters=$(share "$c0" "$c1")
xmeters=$(share "$x0" "$x1")
sleep 35
echo "start-up to the first painted window: ${startup} s of CPU"
echo "meters at 100 reports/s: editor ${meters} % of one core, X server ${xmeters} %"
echo "steady RSS after a minute of meters: $(rss_mb "$pid") MB ($(anon_mb "$pid") MB anonymous, $(file_mb "$pid") MB mapped files)"
