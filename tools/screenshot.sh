#!/usr/bin/env bash
# Takes a screenshot of the quiz window under Xvfb, for the documentation.
#   tools/screenshot.sh docs/screenshot.png build/window/qt/bitki
#   tools/screenshot.sh docs/screenshot-windows.png wine build-win32/window/win32/bitki.exe
# Needs xvfb, xdotool and imagemagick (and wine for the second).
set -euo pipefail
output=${1:?output png}
shift
(($#)) || { echo "usage: $0 OUTPUT.png PROGRAM [ARGUMENTS...]" >&2; exit 2; }

if [[ -z "${SCREENSHOT_INNER:-}" ]]; then
    SCREENSHOT_INNER=1 exec xvfb-run --auto-servernum --server-args="-screen 0 1024x768x24 -noreset" "$0" "$output" "$@"
fi

"$@" &
pid=$!
trap 'kill $pid 2>/dev/null || true; command -v wineserver >/dev/null && wineserver -k 2>/dev/null || true' EXIT
window=$(xdotool search --sync --onlyvisible --name 'История - битки' | head -n 1)
sleep 1
import -window "$window" "$output"
echo "saved $output"
