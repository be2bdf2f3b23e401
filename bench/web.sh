#!/usr/bin/env bash
# The browser edition's cold load to its first paint beside a static page of the same DOM, and
# the file's size; then, from the first paint, the time until its code is ready and until a pair
# tapped at once is judged, at full speed and at 4x CPU slowdown. Needs a build with its tests
# (./build.sh test, or ./build.sh web after it).
#   bench/web.sh [LOADS of each page, default 31] [build folder, default build-web]
set -euo pipefail
cd "$(dirname "$0")/.."
loads=${1:-31}
build=${2:-build-web}
export NODE_PATH="$build/tests/web/node_modules"
node bench/web_first_paint.js "$build/window/web/bitki.html" "$loads"
node bench/web_ready.js "$build/window/web/bitki.html" "$(((loads + 1) / 2))"
