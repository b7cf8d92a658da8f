#!/usr/bin/env bash
# Sets up and builds the editor and the simulated mixer.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
echo "Built into build/."
