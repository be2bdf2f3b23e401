#!/usr/bin/env bash
# Sets up a Debian or Ubuntu machine, builds the quiz, and then starts it or runs every test.
#   ./build.sh run    install what building the quiz needs, build the program, start it
#   ./build.sh web    install emscripten, build the browser edition, print the path of bitki.html
#   ./build.sh release  install what a release needs, build every edition for download into dist/
#                     (reproducible to the byte; signed where BITKI_SIGN_PFX is given), print its path
#   ./build.sh test   install every test tool as well, build everything, run all tests, the static
#                     checks, all tests again built with AddressSanitizer and
#                     UndefinedBehaviorSanitizer, the Windows program's and installer's tests under
#                     Wine, the browser edition's tests in Chromium, Firefox and WebKit, and a
#                     second release build that must give the same bytes
set -euo pipefail
cd "$(dirname "$0")"

action=${1:-}
case "$action" in
    run|web|release|test) ;;
    *) echo "usage: $0 run|web|release|test" >&2; exit 2 ;;
esac
build_dir=${BUILD_DIR:-build}
mkdir -p "$build_dir"
build_dir=$(realpath "$build_dir")

if [[ "$action" == run && -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
    echo "build.sh: няма графичен дисплей (no display: run this in a desktop session, or use ssh -X)" >&2
    exit 1
fi

# What each action needs is written once. debian/control has what the package's build needs, by
# build profile: the package and its fast tests (run); no tests but the browser edition (web), and
# the Windows one with its installer and signing (release); all of them (test). tests/packages has
# what the other tests add (test).
case "$action" in
    run) profiles=() ;;
    web) profiles=(-Pnocheck,pkg.bitki.web) ;;
    release) profiles=(-Pnocheck,pkg.bitki.web,pkg.bitki.windows) ;;
    test) profiles=(-Ppkg.bitki.web,pkg.bitki.windows) ;;
esac
tools=()
[[ "$action" == test ]] && mapfile -t tools < <(sed '/^#/d; /^$/d' tests/packages)
# dpkg's own check, for the tools too (a package they name may come as another's Provides).
tools_missing() { ((${#tools[@]})) && ! dpkg-checkbuilddeps -d "$(IFS=,; echo "${tools[*]}")" >/dev/null 2>&1; }
if ! unmet=$(dpkg-checkbuilddeps "${profiles[@]}" 2>&1) || tools_missing; then
    # Without dpkg-checkbuilddeps (dpkg-dev) nothing is known yet: apt finds what is missing.
    unmet=$(sed -n 's/.*Unmet build dependencies: //p' <<<"$unmet")
    sudo=()
    if ((EUID != 0)); then
        if ! command -v sudo >/dev/null; then
            echo "build.sh: as root, install these first: apt-get build-dep ${profiles[*]} $PWD${tools:+ &&" \
                "apt-get install ${tools[*]}}" >&2
            exit 1
        fi
        sudo=(sudo)
    fi
    log="$build_dir/apt.log"
    apt() { # the step, then apt-get's arguments; the full output goes to the log
        echo "$1"
        shift
        if ! DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get "$@" >>"$log" 2>&1; then
            tail -n 5 "$log" >&2
            echo "build.sh: apt-get failed; the whole output is in $log" >&2
            exit 1
        fi
    }
    apt "Updating the package lists" update
    apt "Installing what debian/control names for '$action': ${unmet:-what the build needs}" \
        build-dep -y --no-install-recommends "${profiles[@]}" ./
    if ((${#tools[@]})); then
        apt "Installing the test tools that tests/packages names" install -y --no-install-recommends "${tools[@]}"
    fi
fi

build() { # folder, extra CMake arguments
    local dir=$1
    shift
    local args=(-S . -B "$dir" -G Ninja "$@")
    # CI treats every warning as an error.
    [[ -n "${CI:-}" ]] && args+=(-DCMAKE_COMPILE_WARNING_AS_ERROR=ON)
    cmake "${args[@]}" >/dev/null
    cmake --build "$dir"
}

# The browser edition, with emscripten's CMake toolchain; with its tests, their node packages too.
build_web() { # BUILD_TESTING: ON or OFF
    build "$build_dir-web" -DCMAKE_TOOLCHAIN_FILE=/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake \
        -DCMAKE_BUILD_TYPE=MinSizeRel -DBUILD_TESTING="$1"
    if [[ "$1" == ON ]]; then
        echo "Installing the browser tests' node packages (package-lock.json)"
        (cd "$build_dir-web/tests/web" && PUPPETEER_SKIP_DOWNLOAD=1 npm ci --no-audit --no-fund >npm.log 2>&1) \
            || { tail -n 5 "$build_dir-web/tests/web/npm.log" >&2; exit 1; }
    fi
}

if [[ "$action" == web ]]; then
    build_web OFF
    echo "$build_dir-web/window/web/bitki.html"
    exit 0
fi

if [[ "$action" == release ]]; then
    exec tools/release.sh "$build_dir-release" "$(realpath -m "${DIST_DIR:-dist}")"
fi

if [[ "$action" == run ]]; then
    build "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF -DBITKI_BUILD_BENCH=OFF
    exec "$build_dir/window/qt/bitki"
fi

# The browser edition first: Orca's scenario also runs against it in Chromium and Firefox.
build_web ON
# CI, as root, also takes the source package through Debian's gates for this Debian release.
debian_gates=OFF
[[ -n "${CI:-}" ]] && ((EUID == 0)) && debian_gates=ON
build "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON -DBITKI_BUILD_BENCH=ON \
    -DBITKI_WEB_HTML="$build_dir-web/window/web/bitki.html" -DBITKI_DEBIAN_GATES="$debian_gates"
ctest --test-dir "$build_dir" --output-on-failure --no-tests=error
# The static checks pass with Debian 12's clang-tidy 14 and cppcheck 2.10 and Debian 13's 19 and
# 2.17; CI holds to them, other versions may find other things.
if [[ -n "${CI:-}" ]]; then
    tools/lint.sh "$build_dir"
else
    tools/lint.sh "$build_dir" || echo "static checks found something (see above)"
fi
build "$build_dir-sanitize" -DCMAKE_BUILD_TYPE=Debug -DBITKI_SANITIZE=ON
ctest --test-dir "$build_dir-sanitize" --output-on-failure --no-tests=error

# The native Windows program and its installer, cross-compiled with mingw-w64 and tested under
# Wine in a throw-away prefix, on a virtual X server.
build "$build_dir-win32" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DCMAKE_BUILD_TYPE=Release
WINEPREFIX="$build_dir-win32/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" \
    xvfb-run --auto-servernum --server-args="-screen 0 1024x768x24 -noreset" \
    ctest --test-dir "$build_dir-win32" --output-on-failure --no-tests=error

# The browser edition in Chromium, Firefox and WebKit.
ctest --test-dir "$build_dir-web" --output-on-failure --no-tests=error
