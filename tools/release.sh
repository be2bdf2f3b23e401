#!/usr/bin/env bash
# Builds a release: the Debian package with dpkg-buildpackage, the Windows and browser editions in
# the same build (so dpkg's .buildinfo records them all), then a folder of finished files for
# download with SHA256SUMS and the download page. Rebuilt from the same source, anywhere, at any
# time, it gives the same bytes, and the same package as dpkg-buildpackage and sbuild; the
# .buildinfo adds the date it was built. ./build.sh release
# installs the tools first and runs this.
#   tools/release.sh BUILD_FOLDER DIST_FOLDER
# With BITKI_SIGN_PFX and BITKI_SIGN_PASSWORD_FILE the Windows program and package are signed
# (Authenticode), with BITKI_SIGN_TIMESTAMP_URL also timestamped.
set -euo pipefail
cd "$(dirname "$0")/.."
builds=$1
dist=$2

fail() {
    echo "release: $*" >&2
    exit 1
}

# Dated as Debian dates a package: by the changelog's newest entry (as dpkg-buildpackage does
# where SOURCE_DATE_EPOCH is not set), so that every way of building this source gives its bytes.
if [[ -z "${SOURCE_DATE_EPOCH:-}" ]]; then
    SOURCE_DATE_EPOCH=$(dpkg-parsechangelog -S Timestamp) || fail "cannot read debian/changelog's date"
fi
export SOURCE_DATE_EPOCH

# The certificate is checked before anything is built: a release is signed whole or not at all.
if [[ -n "${BITKI_SIGN_PFX:-}" ]]; then
    pfx=${BITKI_SIGN_PFX}
    password=${BITKI_SIGN_PASSWORD_FILE:-}
    [[ -f "$pfx" && -r "$pfx" ]] || fail "cannot read the certificate $pfx (BITKI_SIGN_PFX)"
    [[ -n "$password" && -f "$password" && -r "$password" ]] \
        || fail "BITKI_SIGN_PASSWORD_FILE must name a readable file that holds the certificate's password"
    command -v openssl >/dev/null || fail "the certificate is read with openssl: install it first (apt-get install openssl)"
    certificate=$(openssl pkcs12 -in "$pfx" -passin "file:$password" -nokeys -clcerts 2>/dev/null \
        || openssl pkcs12 -legacy -in "$pfx" -passin "file:$password" -nokeys -clcerts 2>/dev/null) \
        || fail "cannot open the certificate $pfx: the password is wrong, or it is no PKCS#12 file"
    openssl x509 -noout -checkend 0 <<<"$certificate" >/dev/null \
        || fail "the certificate in $pfx expired on $(openssl x509 -noout -enddate <<<"$certificate" | cut -d= -f2)"
    echo "Signing the Windows files as $(openssl x509 -noout -subject -nameopt utf8,sep_comma_plus <<<"$certificate" | sed 's/^subject=//')"
    # debian/rules signs with them.
    BITKI_SIGN_PFX=$(realpath "$pfx")
    BITKI_SIGN_PASSWORD_FILE=$(realpath "$password")
    export BITKI_SIGN_PFX BITKI_SIGN_PASSWORD_FILE BITKI_SIGN_TIMESTAMP_URL=${BITKI_SIGN_TIMESTAMP_URL:-}
    signed=1
else
    echo "No certificate given (BITKI_SIGN_PFX): the Windows files are not signed"
    signed=0
fi

# A failed release leaves no dist folder behind, not even the one from before, and says which
# step failed.
rm -rf "$dist" "$dist.new" "$builds"
step="starting"
trap 'status=$?; rm -rf "$dist.new"; ((status == 0)) || echo "release: failed while $step" >&2' EXIT
stepping() { # what comes next
    step=$1
    echo "release: $step"
}
stepping "building the package and the other editions with dpkg-buildpackage"
# In a copy of the source, since dpkg-buildpackage writes beside the source folder; a clone's build
# folders stay out of it. The copy's files are new (tar -m), so that the package dates them all by
# SOURCE_DATE_EPOCH, whenever each was checked out.
version=$(dpkg-parsechangelog -S Version)
tree=$builds/bitki-$version
mkdir -p "$tree"
if git rev-parse --git-dir >/dev/null 2>&1; then
    git ls-files -z --cached --others --exclude-standard | tar --null -T - -cf -
else
    tar --exclude-vcs --anchored --exclude="./$(realpath -m --relative-to=. "$builds")" -cf - .
fi | tar -xmf - -C "$tree"
# The tests ran in ./build.sh test. The debug symbols are split off as in any Debian build (the
# program carries a link to them), though their package is not offered for download.
(cd "$tree" && DEB_BUILD_OPTIONS=nocheck dpkg-buildpackage -b -us -uc -Pnocheck,pkg.bitki.windows,pkg.bitki.web)
stepping "writing the download folder"

homepage=$(sed -n 's/^BITKI_HOMEPAGE:INTERNAL=//p' "$tree/debian/build/CMakeCache.txt")
deb=bitki_${version}_amd64.deb
buildinfo=bitki_${version}_amd64.buildinfo
mkdir -p "$dist.new"
# Every file the .changes lists: the package, its .buildinfo, the Windows program and installer
# (signed where they were), the quiz and what a web site needs beside it to put it on a home screen.
for file in $(sed -n '/^Files:/,/^[^ ]/s/^ .* //p' "$builds/bitki_${version}_amd64.changes" | grep -v -- -dbgsym_); do
    install -m 644 "$builds/$file" "$dist.new/"
done
source /etc/os-release
# A package installs on the Debian it was built on and later ones: 12's on 13 too (tested).
systems="Debian $VERSION_ID"
[[ "$ID $VERSION_ID" == "debian 12" ]] && systems="Debian 12 и 13"
cmake -DDIST="$dist.new" -DVERSION="$version" -DHOMEPAGE="$homepage" -DSIGNED=$signed \
    -DHTML=bitki.html -DMSI="bitki-$version.msi" -DEXE="bitki-$version.exe" -DDEB="$deb" -DBUILDINFO="$buildinfo" \
    -DDEB_SYSTEMS="$systems" -DSITE="bitki.webmanifest;bitki-192.png;bitki-512.png;bitki-maskable.png" -P desktop/download/page.cmake
touch -d "@$SOURCE_DATE_EPOCH" "$dist.new"/*
(cd "$dist.new" && sha256sum --quiet -c SHA256SUMS)
mv "$dist.new" "$dist"
realpath "$dist"
