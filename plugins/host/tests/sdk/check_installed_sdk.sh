#!/usr/bin/env bash
# Installs the build into a scratch prefix, builds a plug-in against nothing but the installed
# headers and host library, and has the installed brenmark-cli find it in the user's DllPin.
#   check_installed_sdk.sh BUILD_DIR CXX SOURCE
set -euo pipefail
build=$1 cxx=$2 source=$3
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cmake --install "$build" --prefix "$scratch/usr" >/dev/null
mkdir -p "$scratch/home/.local/share/brenmark/DllPin"
"$cxx" -std=c++20 -fPIC -shared -fvisibility=hidden -Wl,--no-undefined \
  -I"$scratch/usr/include/brenmark" $(pkg-config --cflags Qt6Gui) "$source" \
  -L"$scratch/usr/lib/brenmark" -lhollick $(pkg-config --libs Qt6Gui) \
  -o "$scratch/home/.local/share/brenmark/DllPin/outside.so"
names=$(HOME="$scratch/home" XDG_DATA_HOME= "$scratch/usr/bin/brenmark-cli" plugins)
echo "installed brenmark-cli plugins: $names"
case "$names" in
  *'"Outside"'*) ;;
  *) echo "the plug-in built against the installed headers was not found" >&2; exit 1 ;;
esac
