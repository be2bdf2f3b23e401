#!/usr/bin/env bash
# Sets up a Debian or Ubuntu machine, builds the quiz, and then starts it or runs every test.
#   ./build.sh run    install what is missing, build, start the quiz
#   ./build.sh test   install what is missing, build, run all tests
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
    xvfb xauth libx11-dev
    desktop-file-utils appstream dpkg-dev file
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

build_dir=${BUILD_DIR:-build}
cmake_args=(-S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo)
# CI treats every warning as an error.
[[ -n "${CI:-}" ]] && cmake_args+=(-DCMAKE_COMPILE_WARNING_AS_ERROR=ON)
cmake "${cmake_args[@]}"
cmake --build "$build_dir"

if [[ "$action" == test ]]; then
    ctest --test-dir "$build_dir" --output-on-failure
else
    exec "$build_dir/window/qt/bitki"
fi
