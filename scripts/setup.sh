#!/usr/bin/env bash
# Installs what the build needs on Debian 12, then configures and builds into build/.
#   scripts/setup.sh [TARGET...]   only the targets named (default: everything, tests too)
# Environment: BUILD_DIR (build), BRENMARK_BUILD_TYPE (Release), BRENMARK_CMAKE_ARGS (more
# cmake arguments; they come last, so they may set the build type too).
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(build-essential cmake ninja-build pkg-config libgtest-dev libgmock-dev libbenchmark-dev
          qt6-base-dev qt6-svg-dev libgl-dev fonts-wqy-microhei xvfb xauth poppler-utils libtinyxml-dev liblcms2-dev
          libgif-dev libgs-common libtiff-dev libtiff-tools libpng-dev libharfbuzz-dev libdeflate-dev fonts-urw-base35
          libjsoncpp-dev nettle-dev zlib1g-dev libzip-dev libcurl4-openssl-dev python3
          libatspi2.0-dev libxcb1-dev libxcb-keysyms1-dev at-spi2-core dbus-daemon procps
          qt6-translations-l10n python3-pdfminer fontforge qt6-l10n-tools librsvg2-bin)
# The conversion quality table (bench/conversion_quality) also converts photos of this package.
if [ -n "${BRENMARK_BENCH_PHOTOS:-}" ]; then
  packages+=(plasma-workspace-wallpapers)
fi
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

build=${BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE="${BRENMARK_BUILD_TYPE:-Release}" ${BRENMARK_CMAKE_ARGS:-}
if (($#)); then
  cmake --build "$build" -j "$(nproc)" --target "$@"
else
  cmake --build "$build" -j "$(nproc)"
fi
