#!/usr/bin/env bash
# Sets up, builds and opens the bundled sample pattern in the editor. Without a display the
# editor runs under Xvfb, saves a screenshot to build/sample-screenshot.png and the pattern
# is printed by brenmark-cli instead.
set -euo pipefail
cd "$(dirname "$0")/.."
# Only what this runs: the editor, the command line, the plug-ins, the palettes and the sample
# (scripts/test.sh builds the rest).
scripts/setup.sh brenmark brenmark-cli marrowin palettes sample_pattern >/dev/null
build=${BUILD_DIR:-build}
sample="$build/samples/heart.xiu"
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec "$build/brenmark" "$sample"
fi
xvfb-run -a -s "-screen 0 1280x900x24" "$build/brenmark" --screenshot "$build/sample-screenshot.png" "$sample" \
  && echo "No display: the editor's window was saved to $build/sample-screenshot.png" >&2
"$build/brenmark-cli" info "$sample" --no-cells
