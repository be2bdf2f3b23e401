#!/usr/bin/env bash
# A release is made again to the byte: two release builds of this source, in folders of other
# names and at other times, under other time zones, locales and umasks, give the same dist/, but
# for the date in dpkg's record of each build. Then signing: a bad certificate stops the release
# with a reason and no dist/, a good one signs the exe, the MSI and the exe inside it, and the
# signed MSI still installs (Wine, on an X server).
#   release_test.sh SOURCE_FOLDER
set -uo pipefail
source_dir=$(realpath "$1")
work=$(mktemp -d "${TMPDIR:-/tmp}/bitki-release.XXXXXX")
trap 'rm -rf "$work"' EXIT

source "$(dirname "$0")/check.sh"

# The source as it stands, changes not yet committed included, dated by its last commit.
SOURCE_DATE_EPOCH=$(git -C "$source_dir" log -1 --format=%ct) || exit 1
export SOURCE_DATE_EPOCH
release() { # source folder, dist folder, then environment for build.sh
    local source=$1 dist=$2
    shift 2
    env BUILD_DIR="$source/build" DIST_DIR="$dist" "$@" "$source/build.sh" release >"$dist.log" 2>&1
}
# A release that must succeed: where it fails, the step it failed at and its log's last lines.
released() {
    release "$@" && return 0
    echo "--- the end of $2.log:"
    tail -n 25 "$2.log"
    return 1
}
first=$work/a/bitki
second=$work/second-place/bitki-source
copy_source "$source_dir" "$first"
copy_source "$source_dir" "$second"

version=$(dpkg-parsechangelog -l "$source_dir/debian/changelog" -S Version)
record=bitki_${version}_amd64.buildinfo
check "a release builds" released "$first" "$work/dist-a" TZ=UTC LC_ALL=C.UTF-8
check "... and its path is the last line it prints" test "$(tail -n 1 "$work/dist-a.log")" = "$work/dist-a"
check "... with the four editions, the page, what a web site adds, dpkg's record and SHA256SUMS" \
    test "$(cd "$work/dist-a" && ls | tr '\n' ' ')" = "SHA256SUMS bitki-$version.exe bitki-$version.msi bitki-192.png \
bitki-512.png bitki-maskable.png bitki-worker.js bitki.html bitki.webmanifest $record bitki_${version}_amd64.deb index.html "
check "... which sha256sum -c passes" sh -c "cd '$work/dist-a' && sha256sum --quiet -c SHA256SUMS"
# dpkg's record holds the checksums of every edition and the tools of each, by their build profiles.
sums=$(sed -n '/^Checksums-Sha256:/,/^[^ ]/p' "$work/dist-a/$record")
check "... with the same checksums of every file but the page, the worker and itself" test \
    "$(cd "$work/dist-a" && sha256sum $(ls | grep -vxE "SHA256SUMS|index.html|bitki-worker.js|$record") | cut -d' ' -f1 | sort)" \
    = "$(sed -n 's/^ \([0-9a-f]\{64\}\) .*/\1/p' <<<"$sums" | sort)" -a -n "$sums"
check "... and the Windows and browser editions' tools" test "$(grep -cE '^ (wixl|g\+\+-mingw-w64-x86-64|emscripten) ' \
    "$work/dist-a/$record")" = 3
check "... and says in one line that it is unsigned" test "$(grep -c 'not signed' "$work/dist-a.log")" = 1

# The Linux program built as Debian builds its own.
dpkg-deb -x "$work/dist-a/bitki_${version}_amd64.deb" "$work/deb"
symbols=$(nm -D "$work/deb/usr/bin/bitki")
check "the Linux program binds every symbol at start (BIND_NOW)" grep -q BIND_NOW <<<"$(readelf -d "$work/deb/usr/bin/bitki")"
check "... has the stack protector" grep -q ' U __stack_chk_fail@' <<<"$symbols"
check "... and fortified calls" grep -qE ' U __[a-z]+_chk@' <<<"$(grep -v __stack_chk_fail <<<"$symbols")"

sleep 1
(umask 077 && released "$second" "$work/dist-b" TZ=Pacific/Kiritimati LC_ALL=C LANG=bg_BG.UTF-8)
check "a second release, elsewhere and later, under another zone, locale and umask, builds" test $? = 0
for file in "$work/dist-a"/*; do
    name=$(basename "$file")
    [[ "$name" == "$record" ]] && continue
    if ! check "$name is the same in both" cmp -s "$file" "$work/dist-b/$name"; then
        diffoscope --text-color=never "$file" "$work/dist-b/$name" | head -n 60
    fi
done
same_but_date() { [[ -s "$1" && -s "$2" ]] && diff <(grep -v '^Build-Date: ' "$1") <(grep -v '^Build-Date: ' "$2"); }
check "dpkg's records differ in the build's date alone" same_but_date "$work/dist-a/$record" "$work/dist-b/$record"

# A throw-away certificate; the expired one was made three days ago, for a day.
(
    cd "$work" || exit 1
    printf 'тайна парола\n' >password
    printf 'wrong\n' >wrong-password
    certificate() { # name, then what dates it
        "${@:2}" openssl req -x509 -newkey rsa:2048 -nodes -keyout "$1.key" -out "$1.pem" -days 1 \
            -subj "/CN=Bitki test/O=Bitki developers" -addext extendedKeyUsage=codeSigning 2>/dev/null \
            && openssl pkcs12 -export -inkey "$1.key" -in "$1.pem" -out "$1.pfx" -passout file:password
    }
    certificate signer env && certificate expired faketime -f "-3d"
) || exit 1
refused() { # what the message must say, then environment for the release
    local said=$1
    shift
    ! release "$second" "$work/dist-refused" "$@" && grep -q "$said" "$work/dist-refused.log" \
        && test ! -e "$work/dist-refused"
}
check "a wrong password stops the release with a reason and no dist" \
    refused "password is wrong" BITKI_SIGN_PFX="$work/signer.pfx" BITKI_SIGN_PASSWORD_FILE="$work/wrong-password"
check "an expired certificate does too" \
    refused "expired" BITKI_SIGN_PFX="$work/expired.pfx" BITKI_SIGN_PASSWORD_FILE="$work/password"
check "an unreadable one does too" \
    refused "cannot read" BITKI_SIGN_PFX="$work/missing.pfx" BITKI_SIGN_PASSWORD_FILE="$work/password"

signed=$work/dist-signed
check "a signed release builds" \
    released "$second" "$signed" BITKI_SIGN_PFX="$work/signer.pfx" BITKI_SIGN_PASSWORD_FILE="$work/password"
msiextract -C "$work/extracted" "$signed/bitki-$version.msi" >/dev/null
inner=$(find "$work/extracted" -name bitki.exe)
signing_time=$(TZ=UTC LC_ALL=C date -d "@$SOURCE_DATE_EPOCH" '+%b %e %H:%M:%S %Y GMT')
for file in "$signed/bitki-$version.exe" "$signed/bitki-$version.msi" "$inner"; do
    verified=$(osslsigncode verify -CAfile "$work/signer.pem" -in "$file" 2>&1)
    check "$(basename "$file") verifies" grep -qx "Signature verification: ok" <<<"$verified"
    check "... in the program's name, with its address, at the commit's time" test "$(grep -cxF \
        -e $'\tText description: Битки' -e $'\tURL description: https://www.bitki.example/' \
        -e $'\tSigning time: '"$signing_time" <<<"$verified")" = 3
done
check "the exe in the MSI is the exe beside it" cmp -s "$inner" "$signed/bitki-$version.exe"
for name in bitki.html "bitki_${version}_amd64.deb"; do
    if ! check "$name is the unsigned release's" cmp -s "$work/dist-a/$name" "$signed/$name"; then
        diffoscope --text-color=never "$work/dist-a/$name" "$signed/$name" | head -n 60
    fi
done
installs() { # the package, the program it must put in place
    xvfb-run --auto-servernum --server-args="-screen 0 1024x768x24 -noreset" bash -c 'source "$0" &&
        wine msiexec /i "$(winepath -w "$1")" /qn &&
        cmp -s "$WINEPREFIX/drive_c/Program Files/Bitki/bitki.exe" "$2"' "$(dirname "$0")/wine_prefix.sh" "$@" 2>/dev/null
}
check "the signed MSI installs under Wine" installs "$signed/bitki-$version.msi" "$signed/bitki-$version.exe"

((failures == 0))
