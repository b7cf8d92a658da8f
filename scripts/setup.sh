#!/usr/bin/env bash
# Installs the Debian packages the editor and its tests need (only those
# missing), then configures and builds everything into build/ with two jobs.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev libqt6sql6-sqlite qt6-qpa-plugins
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-noto-cjk iproute2 util-linux python3 ccache
  liblo-dev liblo-tools
  qt6-httpserver-dev qt6-websockets-dev libqrencode-dev
  chromium chromium-driver python3-selenium
)

bash scripts/install_packages.sh "${packages[@]}"

# ccache keeps a rebuild after a checkout or a clean clone short on two cores.
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER_LAUNCHER=ccache >/dev/null
# Paths relative to the checkout, so that another clone of the tree finds the
# same cached objects.
CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1 cmake --build build -j2
