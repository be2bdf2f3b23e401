#!/usr/bin/env bash
# A release is made again to the byte, whichever way Debian builds the source: the release's
# package is the one dpkg-buildpackage makes in a copy of the source, and reprotest, building the
# release twice under every variation that applies here, finds the same files, but for dpkg's
# record of each build. The Linux program carries Debian's hardening (hardening-check). Then
# signing: a bad certificate stops the release with a reason and no dist/, a good one signs the
# exe, the MSI and the exe inside it, and the signed MSI still installs (Wine, on an X server).
#   release_test.sh SOURCE_FOLDER [FOLDER]     FOLDER: where to leave the release's .deb
set -uo pipefail
source_dir=$(realpath "$1")
kept=${2:-}
work=$(mktemp -d "${TMPDIR:-/tmp}/bitki-release.XXXXXX")
trap 'rm -rf "$work"' EXIT

source "$(dirname "$0")/check.sh"

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
# Every build of one source: copies of it as it stands now.
first=$work/a/bitki
second=$work/second-place/bitki-source
for copy in "$first" "$second" "$work/plain/bitki" "$work/reprotest/bitki"; do
    copy_source "$source_dir" "$copy"
done

version=$(dpkg-parsechangelog -l "$source_dir/debian/changelog" -S Version)
deb=bitki_${version}_amd64.deb
record=bitki_${version}_amd64.buildinfo
check "a release builds" released "$first" "$work/dist-a"
check "... and its path is the last line it prints" test "$(tail -n 1 "$work/dist-a.log")" = "$work/dist-a"
check "... with the four editions, the page, what a web site adds, dpkg's record and SHA256SUMS" \
    test "$(cd "$work/dist-a" && ls | tr '\n' ' ')" = "SHA256SUMS bitki-$version.exe bitki-$version.msi bitki-192.png \
bitki-512.png bitki-maskable.png bitki-worker.js bitki.html bitki.webmanifest $record $deb index.html "
check "... which sha256sum -c passes" sh -c "cd '$work/dist-a' && sha256sum --quiet -c SHA256SUMS"
# dpkg's record holds the checksums of every edition and the tools of each, by their build profiles.
sums=$(sed -n '/^Checksums-Sha256:/,/^[^ ]/{/-dbgsym_/d;p}' "$work/dist-a/$record")
check "... with the same checksums of every file but the page, the worker and itself" test \
    "$(cd "$work/dist-a" && sha256sum $(ls | grep -vxE "SHA256SUMS|index.html|bitki-worker.js|$record") | cut -d' ' -f1 | sort)" \
    = "$(sed -n 's/^ \([0-9a-f]\{64\}\) .*/\1/p' <<<"$sums" | sort)" -a -n "$sums"
check "... and the Windows and browser editions' tools" test "$(grep -cE '^ (wixl|g\+\+-mingw-w64-x86-64|emscripten) ' \
    "$work/dist-a/$record")" = 3
check "... and says in one line that it is unsigned" test "$(grep -c 'not signed' "$work/dist-a.log")" = 1
[[ -n "$kept" ]] && mkdir -p "$kept" && cp "$work/dist-a/$deb" "$kept/"

# The Linux program built as Debian builds its own. No program here can carry the control-flow
# protection mark: Debian 12's dpkg sets no -fcf-protection, and Debian 13's glibc start files
# (Scrt1.o, crti.o) lack the mark, so the linker drops it even from "int main() {}". Branch
# protection, which newer hardening-checks ask for, is arm64's.
dpkg-deb -x "$work/dist-a/$deb" "$work/deb"
hardening=(--nocfprotection)
grep -q -- --nobranchprotection <<<"$(hardening-check --help 2>&1)" && hardening+=(--nobranchprotection)
check "the Linux program has Debian's hardening (hardening-check)" \
    hardening-check --quiet "${hardening[@]}" "$work/deb/usr/bin/bitki"

# The package as Debian builds it from the same source, with dpkg-buildpackage in a copy.
built_plain() { (cd "$work/plain/bitki" && DEB_BUILD_OPTIONS=nocheck dpkg-buildpackage -b -us -uc >../build.log 2>&1) \
    || { tail -n 25 "$work/plain/build.log"; return 1; }; }
check "dpkg-buildpackage -b in a copy of the source builds" built_plain
check "... the release's package, to the byte" same "$work/dist-a/$deb" "$work/plain/$deb"

# Built twice by reprotest under every variation it has but another user and group (there is no
# second user here; the package's files belong to root whoever builds it): environment, build
# path, kernel, address space layout, CPUs, time, file order, host and domain name, home, locale,
# PATH, time zone and umask. dpkg's record of each build carries its date and environment.
reproduced() {
    (cd "$work/reprotest" && reprotest --variations=+all,-user_group --min-cpus=2 -s bitki \
        'BUILD_DIR=build ./build.sh release >release.log 2>&1 && rm dist/*.buildinfo' 'dist/*' >log 2>&1) \
        || { tail -n 60 "$work/reprotest/log"; return 1; }
}
check "reprotest finds the same release in two builds that differ in all it varies" reproduced

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
signing_time=$(TZ=UTC LC_ALL=C date -d "@$(dpkg-parsechangelog -l "$source_dir/debian/changelog" -S Timestamp)" \
    '+%b %e %H:%M:%S %Y GMT')
for file in "$signed/bitki-$version.exe" "$signed/bitki-$version.msi" "$inner"; do
    verified=$(osslsigncode verify -CAfile "$work/signer.pem" -in "$file" 2>&1)
    check "$(basename "$file") verifies" grep -qx "Signature verification: ok" <<<"$verified"
    check "... in the program's name, with its address, at the changelog's time" test "$(grep -cxF \
        -e $'\tText description: Битки' -e $'\tURL description: https://www.bitki.example/' \
        -e $'\tSigning time: '"$signing_time" <<<"$verified")" = 3
done
check "the exe in the MSI is the exe beside it" cmp -s "$inner" "$signed/bitki-$version.exe"
for name in bitki.html "$deb"; do
    check "$name is the unsigned release's" same "$work/dist-a/$name" "$signed/$name"
done
installs() { # the package, the program it must put in place
    xvfb-run --auto-servernum --server-args="-screen 0 1024x768x24 -noreset" bash -c 'source "$0" &&
        wine msiexec /i "$(winepath -w "$1")" /qn &&
        cmp -s "$WINEPREFIX/drive_c/Program Files/Bitki/bitki.exe" "$2"' "$(dirname "$0")/wine_prefix.sh" "$@" 2>/dev/null
}
check "the signed MSI installs under Wine" installs "$signed/bitki-$version.msi" "$signed/bitki-$version.exe"

((failures == 0))
