#!/usr/bin/env bash
# Sets up a Debian or Ubuntu machine, builds the quiz, and then starts it or runs every test.
#   ./build.sh run    install what is missing, build, start the quiz
#   ./build.sh test   install what is missing, build, run all tests, the static checks, and
#                     all tests again built with AddressSanitizer and UndefinedBehaviorSanitizer
set -euo pipefail
cd "$(dirname "$0")"

action=${1:-}
case "$action" in
    run|test) ;;
    *) echo "usage: $0 run|test" >&2; exit 2 ;;
esac

packages=(
    cmake g++ ninja-build
    qt6-base-dev fonts-liberation
    libgtest-dev libicu-dev
    xvfb xauth libx11-dev libxtst-dev libxdamage-dev fonts-dejavu-core
    desktop-file-utils appstream dpkg-dev file
    valgrind strace clang-format clang-tidy cppcheck
    dbus-daemon at-spi2-core
    g++-mingw-w64-x86-64 wine wine64
)

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' \
        || missing+=("$package")
done
if ((${#missing[@]})); then
    sudo=()
    ((EUID == 0)) || sudo=(sudo)
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

build() { # folder, extra CMake arguments
    local dir=$1
    shift
    local args=(-S . -B "$dir" -G Ninja "$@")
    # CI treats every warning as an error.
    [[ -n "${CI:-}" ]] && args+=(-DCMAKE_COMPILE_WARNING_AS_ERROR=ON)
    cmake "${args[@]}"
    cmake --build "$dir"
}

build_dir=${BUILD_DIR:-build}
build "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo
if [[ "$action" == run ]]; then
    exec "$build_dir/window/qt/bitki"
fi

ctest --test-dir "$build_dir" --output-on-failure
# The static checks are tuned to Debian 12's clang-tidy 14 and cppcheck 2.10; CI holds to them,
# other versions may find other things.
if [[ -n "${CI:-}" ]]; then
    tools/lint.sh "$build_dir"
else
    tools/lint.sh "$build_dir" || echo "static checks found something (see above)"
fi
build "$build_dir-sanitize" -DCMAKE_BUILD_TYPE=Debug -DBITKI_SANITIZE=ON
ctest --test-dir "$build_dir-sanitize" --output-on-failure

# The native Windows program, cross-compiled with mingw-w64 and tested under Wine in a
# throw-away prefix, on a virtual X server.
build "$build_dir-win32" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DBITKI_BUILD_WINDOW=OFF \
    -DCMAKE_BUILD_TYPE=Release
WINEPREFIX="$PWD/$build_dir-win32/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" \
    xvfb-run --auto-servernum --server-args="-screen 0 1024x768x24 -noreset" \
    ctest --test-dir "$build_dir-win32" --output-on-failure
