#!/usr/bin/env bash
# What an administrator's silent install and removal of bitki.msi leave behind, under Wine in a
# throw-away prefix (run it on an X server: the installed quiz is started).
#   msi_test.sh bitki.msi win32_window_tests.exe bitki.exe msibuild VERSION
set -uo pipefail
msi=$(realpath "$1")
window_tests=$(realpath "$2")
built_program=$(realpath "$3")
msibuild=$4
version=$5
# The next version, as a bump of the minor number would give: 1.00, then 1.01.
minor=${version#*.}
newer=${version%%.*}.$(printf "%0${#minor}d" $((10#$minor + 1)))

source "$(dirname "$0")/wine_prefix.sh"

source "$(dirname "$0")/check.sh"
# msiexec takes a leading / for an option: hand it the package by its Windows path.
msiexec() { wine msiexec "$1" "$(winepath -w "${2:-$msi}")" /qn; }
# The package as another build would make it: a new product code, perhaps a newer version.
rebuilt() { # version, the package to write
    cp "$msi" "$2"
    WINDOWS_LANGUAGE=bg "$msibuild" "$2" \
        -q "UPDATE \`Property\` SET \`Value\`='{$(tr a-z A-Z </proc/sys/kernel/random/uuid)}' WHERE \`Property\`='ProductCode'" \
        -q "UPDATE \`Property\` SET \`Value\`='$1' WHERE \`Property\`='ProductVersion'"
}
# A registry key and everything under it, as UTF-8 text (reg query prints Cyrillic as '?').
# Fails when the key cannot be read, so that no check passes on an empty export.
registry() {
    wine reg export "$1" "$WINEPREFIX/export.reg" /y >/dev/null 2>&1 \
        && iconv -f UTF-16 -t UTF-8 "$WINEPREFIX/export.reg" | tr -d '\r'
}
uninstall_entries() { registry 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'; }

installed="$WINEPREFIX/drive_c/Program Files/Bitki"
shortcuts="$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming/Microsoft/Windows/Start Menu/Programs"

check "a silent install succeeds" msiexec /i
check "the program is installed under Program Files" cmp -s "$built_program" "$installed/bitki.exe"
check "the Start menu's \"Битки\" leads to the installed program" \
    grep -qaF 'C:\Program Files\Bitki\bitki.exe' "$shortcuts/Битки.lnk"
entry=$(uninstall_entries)
for value in '"DisplayName"="Битки"' "\"DisplayVersion\"=\"$version\"" '"Publisher"="Bitki developers"' \
    '"InstallLocation"="C:\\Program Files\\Bitki\\"'; do
    check "the uninstall entry has $value" grep -qxF "$value" <<<"$entry"
done
icon=$(registry 'HKLM\Software\Classes\Installer\Products' | sed -n 's/^"ProductIcon"="\(.*\)"$/\1/p')
check "the entry's icon is in place" test -s "$(winepath -u "${icon//\\\\/\\}" 2>/dev/null)"

check "the installed quiz starts, shows its window and closes cleanly" \
    env BITKI_PROGRAM='C:\Program Files\Bitki\bitki.exe' wine "$window_tests" --gtest_filter='Win32Program.*'

# Another build of the same version, then a newer version, each replaces what is installed.
latest=$msi
for next in "$version" "$newer"; do
    latest="$WINEPREFIX/bitki-$next.msi"
    rebuilt "$next" "$latest"
    check "another build of $next installs over the one in place" msiexec /i "$latest"
    entry=$(uninstall_entries)
    check "... and leaves one entry, version $next" test \
        "$(grep -cxF '"DisplayName"="Битки"' <<<"$entry")-$(grep -cxF "\"DisplayVersion\"=\"$next\"" <<<"$entry")" = 1-1
done

check "a silent uninstall succeeds" msiexec /x "$latest"
check "the program is gone" test ! -e "$installed"
check "the Start menu entry is gone" test ! -e "$shortcuts/Битки.lnk"
no_entry() { local entries; entries=$(uninstall_entries) && ! grep -qF '"DisplayName"="Битки"' <<<"$entries"; }
check "the uninstall entry is gone" no_entry

((failures == 0))
