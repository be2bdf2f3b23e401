#!/usr/bin/env bash
# The Windows window under a black system colour scheme, as High Contrast Black sets it. Wine keeps
# the colours (written before the program starts) but not the High Contrast flag itself.
#   win32_black_scheme.sh win32_window_tests.exe
set -euo pipefail
window_tests=$(realpath "$1")
source "$(dirname "$0")/wine_prefix.sh"

wine reg add 'HKCU\Software\Microsoft\Windows\CurrentVersion\ThemeManager' /v ThemeActive /d 0 /f >/dev/null
while read -r name colour; do
    wine reg add 'HKCU\Control Panel\Colors' /v "$name" /d "$colour" /f >/dev/null
done <<'SCHEME'
Window 0 0 0
WindowText 255 255 255
ButtonFace 0 0 0
ButtonText 255 255 255
Highlight 26 235 255
HighlightText 0 0 0
GrayText 63 242 63
SCHEME
wineserver -w
BITKI_BLACK_SCHEME=1 wine "$window_tests" --gtest_filter='Win32Window.TypedLettersBrowseAndSystemColoursHold'
