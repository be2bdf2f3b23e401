#!/usr/bin/env bash
# Start-up time and memory of the quiz beside the static window and the bare window, on Xvfb.
#   bench/startup.sh [RUNS, default 30] [build folder, default build]
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-30}
build=${2:-build}
exec xvfb-run --auto-servernum --server-args="-screen 0 1024x768x24 -noreset" \
    "$build/bench/startup_bench" "$runs" \
    "$build/window/qt/bitki" "$build/bench/static_window" "$build/bench/bare_window"
