#!/usr/bin/env bash
# Sets up and builds the editor, then starts it in demo mode: a simulated mixer
# on loopback and the editor connected to it. Without a display it writes a
# screenshot of the running demo to build/console.png instead (under build/,
# so that running the demo never changes a tracked file).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

editor=build/src/app/mixer-editor

# The demo keeps to loopback: the editor binds 127.0.0.1, the simulated mixer 127.0.0.2.
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec "$editor" --demo --bind 127.0.0.1
fi

echo "No display here (neither DISPLAY nor WAYLAND_DISPLAY is set), so the editor's window cannot open."
echo "Running the demo off-screen and writing a screenshot of it to build/console.png instead."
QT_QPA_PLATFORM=offscreen "$editor" --demo --bind 127.0.0.1 --screenshot build/console.png
