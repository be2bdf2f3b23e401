#!/usr/bin/env bash
# Builds a release: the four editions in fresh build folders, in their release configurations,
# then a folder of finished files for download with SHA256SUMS and the download page. Rebuilt from
# the same commit, anywhere, at any time, it gives the same bytes. ./build.sh release installs the
# tools first and runs this.
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

# The time is the commit's; the build's own umask, time zone and locale are fixed.
if [[ -z "${SOURCE_DATE_EPOCH:-}" ]]; then
    SOURCE_DATE_EPOCH=$(git log -1 --format=%ct 2>/dev/null) \
        || fail "no commit to date the release by: run it in a git clone, or set SOURCE_DATE_EPOCH"
fi
export SOURCE_DATE_EPOCH TZ=UTC LC_ALL=C.UTF-8
umask 022

# The certificate is checked before anything is built: a release is signed whole or not at all.
signing=()
if [[ -n "${BITKI_SIGN_PFX:-}" ]]; then
    pfx=${BITKI_SIGN_PFX}
    password=${BITKI_SIGN_PASSWORD_FILE:-}
    [[ -f "$pfx" && -r "$pfx" ]] || fail "cannot read the certificate $pfx (BITKI_SIGN_PFX)"
    [[ -n "$password" && -f "$password" && -r "$password" ]] \
        || fail "BITKI_SIGN_PASSWORD_FILE must name a readable file that holds the certificate's password"
    certificate=$(openssl pkcs12 -in "$pfx" -passin "file:$password" -nokeys -clcerts 2>/dev/null \
        || openssl pkcs12 -legacy -in "$pfx" -passin "file:$password" -nokeys -clcerts 2>/dev/null) \
        || fail "cannot open the certificate $pfx: the password is wrong, or it is no PKCS#12 file"
    openssl x509 -noout -checkend 0 <<<"$certificate" >/dev/null \
        || fail "the certificate in $pfx expired on $(openssl x509 -noout -enddate <<<"$certificate" | cut -d= -f2)"
    echo "Signing the Windows files as $(openssl x509 -noout -subject -nameopt utf8,sep_comma_plus <<<"$certificate" | sed 's/^subject=//')"
    signing=(-DBITKI_SIGN_PFX="$(realpath "$pfx")" -DBITKI_SIGN_PASSWORD_FILE="$(realpath "$password")"
        -DBITKI_SIGN_TIMESTAMP_URL="${BITKI_SIGN_TIMESTAMP_URL:-}")
else
    echo "No certificate given (BITKI_SIGN_PFX): the Windows files are not signed"
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
build() { # folder, CMake arguments
    local dir=$builds/$1
    shift
    local args=(-S . -B "$dir" -G Ninja -DBUILD_TESTING=OFF -DBITKI_REPRODUCIBLE=ON "$@")
    [[ -n "${CI:-}" ]] && args+=(-DCMAKE_COMPILE_WARNING_AS_ERROR=ON)
    cmake "${args[@]}" >/dev/null
    cmake --build "$dir"
}
# What made these bytes, as Debian's .buildinfo records it: the system (/etc/os-release, read by
# the caller), and the exact version of every package whose tools, headers or libraries wrote into
# them (found by the files used).
buildinfo() {
    local made_by=(g++ "$(g++ -print-file-name=libstdc++.so)" /usr/include/stdio.h
        /usr/include/x86_64-linux-gnu/qt6/QtWidgets/qwidget.h cmake ninja dpkg-deb gzip
        x86_64-w64-mingw32-g++-posix x86_64-w64-mingw32-ld /usr/x86_64-w64-mingw32/include/windows.h
        wixl msibuild faketime osslsigncode em++ node terser rsvg-convert)
    # emscripten runs the LLVM and binaryen it depends on, by whatever versioned names they have.
    local packages=($(dpkg-query -W -f='${Depends}' emscripten | tr ',' '\n' |
        sed -n 's/^ *\(binaryen\|clang-[0-9]*\|lld-[0-9]*\|llvm-[0-9]*\)\( .*\)\?$/\1/p'))
    local file owner
    for file in "${made_by[@]}"; do
        [[ "$file" == /* ]] || file=$(command -v "$file") || return 1
        file=$(readlink -f "$file")
        # Files under /usr may be registered under / (merged /usr).
        owner=$(dpkg-query -S "$file" 2>/dev/null || dpkg-query -S "${file#/usr}") || return 1
        packages+=("${owner%%:*}")
    done
    printf 'Format: 1.0\nSource: bitki\nVersion: %s\nArchitecture: amd64 all\n' "$version"
    printf 'Build-Origin: %s\nBuild-Distribution: %s\nBuild-Architecture: %s\n' \
        "$NAME" "$VERSION_CODENAME ($PRETTY_NAME)" "$(dpkg --print-architecture)"
    echo "Installed-Build-Depends:"
    printf '%s\n' "${packages[@]}" | sort -u | xargs dpkg-query -W -f='${Package} (= ${Version}),\n' \
        | sed '$ s/,$//; s/^/ /'
    printf 'Environment:\n LC_ALL="%s"\n SOURCE_DATE_EPOCH="%s"\n TZ="%s"\n' "$LC_ALL" "$SOURCE_DATE_EPOCH" "$TZ"
}

stepping "building the Linux edition"
build linux -DCMAKE_BUILD_TYPE=Release -DBITKI_BUILD_BENCH=OFF
stepping "making the Debian package"
(cd "$builds/linux" && cpack -G DEB >/dev/null)
stepping "building the Windows edition and its installer"
build windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DCMAKE_BUILD_TYPE=Release "${signing[@]}"
stepping "building the browser edition"
build web -DCMAKE_TOOLCHAIN_FILE=/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake \
    -DCMAKE_BUILD_TYPE=MinSizeRel
stepping "writing the download folder"

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$builds/linux/CMakeCache.txt")
homepage=$(sed -n 's/^BITKI_HOMEPAGE:INTERNAL=//p' "$builds/linux/CMakeCache.txt")
deb=bitki_${version}_amd64.deb
exe=bitki-$version.exe
msi=bitki-$version.msi
mkdir -p "$dist.new"
# The program as it went into the package, signed where the package is.
install -m 644 "$builds/windows/desktop/windows/bitki.exe" "$dist.new/$exe"
install -m 644 "$builds/windows/desktop/windows/bitki.msi" "$dist.new/$msi"
install -m 644 "$builds/linux/$deb" "$dist.new/$deb"
# The quiz, and what a web site needs beside it to put it on a home screen.
site=(bitki.webmanifest bitki-192.png bitki-512.png)
install -m 644 "$builds/web/window/web/bitki.html" "${site[@]/#/$builds/web/window/web/}" "$dist.new/"
source /etc/os-release
buildinfo >"$dist.new/bitki_${version}_amd64.buildinfo"
# A package installs on the Debian it was built on and later ones: 12's on 13 too (tested).
systems="Debian $VERSION_ID"
[[ "$ID $VERSION_ID" == "debian 12" ]] && systems="Debian 12 и 13"
cmake -DDIST="$dist.new" -DVERSION="$version" -DHOMEPAGE="$homepage" -DSIGNED=$((${#signing[@]} > 0)) \
    -DHTML=bitki.html -DMSI="$msi" -DEXE="$exe" -DDEB="$deb" -DBUILDINFO="bitki_${version}_amd64.buildinfo" \
    -DDEB_SYSTEMS="$systems" -DSITE="$(IFS=';' && echo "${site[*]}")" -P desktop/download/page.cmake
touch -d "@$SOURCE_DATE_EPOCH" "$dist.new"/*
(cd "$dist.new" && sha256sum --quiet -c SHA256SUMS)
mv "$dist.new" "$dist"
realpath "$dist"
