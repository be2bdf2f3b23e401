#!/usr/bin/env bash
# Takes a screenshot of the quiz window under Xvfb, for the documentation.
#   tools/screenshot.sh build/window/qt/bitki docs/screenshot.png
# Needs xvfb, xdotool and imagemagick.
set -euo pipefail
program=${1:?program}
output=${2:?output png}

if [[ -z "${SCREENSHOT_INNER:-}" ]]; then
    SCREENSHOT_INNER=1 exec xvfb-run --auto-servernum --server-args="-screen 0 1024x768x24 -noreset" "$0" "$@"
fi

"$program" &
pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT
window=$(xdotool search --sync --onlyvisible --name 'История - битки')
sleep 0.5
import -window "$window" "$output"
echo "saved $output"
