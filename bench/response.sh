#!/usr/bin/env bash
# Response times of the real window on Xvfb: pick to feedback shown, restart to lists shown.
#   bench/response.sh [GAMES, default 100] [build folder, default build]
set -euo pipefail
cd "$(dirname "$0")/.."
games=${1:-100}
build=${2:-build}
exec xvfb-run --auto-servernum --server-args="-screen 0 1024x768x24 -noreset" "$build/bench/response_bench" "$games"
