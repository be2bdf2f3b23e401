#!/usr/bin/env bash
# Opens a page as an application window of its own in Chromium, as a pupil would from a
# shortcut, with its accessibility on for screen readers and a fresh profile that goes after.
#   [BITKI_OPENING=link] tests/web/chromium-app.sh CHROMIUM PAGE.html
set -euo pipefail
chromium=$1
page=$(realpath "$2")
profile=$(mktemp -d)
trap 'rm -rf "$profile"' EXIT
# BITKI_OPENING=link: the page comes a moment later from a link, in a Chromium window already
# open; otherwise Chromium starts on it as an application window.
window=(--app="file://$page")
if [[ "${BITKI_OPENING:-}" == link ]]; then
    printf '<!DOCTYPE html><meta http-equiv="refresh" content="1; url=file://%s">\n' "$page" >"$profile/start.html"
    window=("file://$profile/start.html")
fi
# Root needs --no-sandbox; the rest keeps Chromium from asking, translating or reaching the network.
"$chromium" --no-sandbox --force-renderer-accessibility --disable-features=Translate --no-first-run \
    --disable-background-networking --disable-component-update --disable-sync --disable-gpu \
    --user-data-dir="$profile" "${window[@]}" &
pid=$!
trap 'kill "$pid" 2>/dev/null; wait "$pid"; exit 0' TERM INT
wait "$pid"
