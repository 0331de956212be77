#!/usr/bin/env bash
# Sets up, builds and shows the bundled sample pattern.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh >/dev/null
build=${BUILD_DIR:-build}
"$build/brenmark-cli" info "$build/samples/heart.xiu" --no-cells
