# Sourced by the Wine tests: a throw-away Wine prefix, removed on exit. Run on an X server, or the
# prefix gets no desktop and later windows do not exist.
WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/bitki-wine.XXXXXX")
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
trap 'wineserver -k 2>/dev/null; rm -rf "$WINEPREFIX"' EXIT
# Made whole before the first program runs: a program started while wineboot still fills the new
# prefix may find none of Wine's own ("ShellExecuteEx failed" for msiexec, seen once).
wineboot --init >/dev/null 2>&1
wineserver -w
