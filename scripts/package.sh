#!/usr/bin/env bash
# Builds the Debian package and checks it without installing it: lists its dependencies,
# extracts it into a scratch folder and runs the extracted brenmark-cli on the shipped sample
# and palette with a scratch home, so the installed layout is found from the executable's
# place and nothing is written outside that home, and checks that it speaks English with the
# installed catalogue.
#
#   scripts/package.sh            build/brenmark_*.deb, then the checks
# Environment: BUILD_DIR (build-package).
set -euo pipefail
cd "$(dirname "$0")/.."

build=${BUILD_DIR:-build-package}
missing=()
for p in dpkg-dev file fontforge; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBRENMARK_TESTS=OFF -DBRENMARK_BENCH=OFF ${BRENMARK_CMAKE_ARGS:-}
cmake --build "$build" -j "$(nproc)"
(cd "$build" && cpack -G DEB)
deb=$(ls -t "$build"/brenmark_*.deb | head -n1)
echo "== $deb"
dpkg-deb -I "$deb"

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
dpkg-deb -x "$deb" "$scratch/root"
mkdir -p "$scratch/home"
test -f "$scratch/root/usr/share/brenmark/fonts/BrenmarkChartSymbols.ttf" || { echo "package.sh: no chart symbol font" >&2; exit 1; }
before=$(find "$scratch/root" -type f | sort | sha256sum)
echo "== brenmark-cli info on the shipped sample"
HOME="$scratch/home" XDG_DATA_HOME= "$scratch/root/usr/bin/brenmark-cli" info --no-cells "$scratch/root/usr/share/brenmark/samples/heart.xiu" >"$scratch/info.json"
head -c 400 "$scratch/info.json"
echo
echo "== brenmark-cli palette DMC (first entries)"
HOME="$scratch/home" XDG_DATA_HOME= "$scratch/root/usr/bin/brenmark-cli" palette DMC >"$scratch/palette.json"
head -c 200 "$scratch/palette.json"
echo
echo "== the English catalogue, as the installed brenmark-cli reads it"
printf 'not a chart' >"$scratch/home/junk.pat"
english=$(HOME="$scratch/home" XDG_DATA_HOME= "$scratch/root/usr/bin/brenmark-cli" --lang en import "$scratch/home/junk.pat" \
          -o "$scratch/home/junk.xiu" 2>&1 || true)
echo "$english"
case "$english" in
  *"not recognised"*) ;;
  *) echo "package.sh: the installed programs do not find share/brenmark/translations/brenmark_en.qm" >&2; exit 1 ;;
esac
rm -f "$scratch/home/junk.pat"
after=$(find "$scratch/root" -type f | sort | sha256sum)
[ "$before" = "$after" ] || { echo "package.sh: the extracted tree was written to" >&2; exit 1; }
echo "== written in the scratch home"
(cd "$scratch/home" && find . -type f | sort | head -20)
echo "== libraries the programs resolve"
for program in brenmark brenmark-cli pressly; do
  [ -x "$scratch/root/usr/bin/$program" ] || continue
  if ldd "$scratch/root/usr/bin/$program" | grep -q "not found"; then
    echo "package.sh: $program misses a library:" >&2
    ldd "$scratch/root/usr/bin/$program" | grep "not found" >&2
    exit 1
  fi
  ldd "$scratch/root/usr/bin/$program" | grep -E "imrelle|jolvane|dunmere|hollick" || true
done
echo "package.sh: the package is sound"
