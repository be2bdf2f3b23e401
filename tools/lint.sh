#!/usr/bin/env bash
# Static checks over our own code: the layout (clang-format), clang-tidy and cppcheck.
#   tools/lint.sh [build folder with compile_commands.json, default build]
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${1:-build}

mapfile -t sources < <(git ls-files '*.cpp' '*.h')
echo "clang-format: ${#sources[@]} files"
clang-format --dry-run --Werror "${sources[@]}"

# The Windows and browser sources are checked by their own builds' warnings (mingw-w64,
# emscripten); this compilation database is the Linux one.
mapfile -t units < <(git ls-files '*.cpp' | grep -v -e '^window/win32/' -e '^tests/win32_' -e '^window/web/' -e '^tests/web/')
echo "clang-tidy: ${#units[@]} files"
printf '%s\n' "${units[@]}" | xargs -P "$(nproc)" -n 2 clang-tidy -p "$build_dir" --quiet 2> >(grep -v 'warnings generated' >&2)

echo "cppcheck"
cppcheck --enable=warning,style,performance,portability --std=c++20 --library=qt --library=googletest \
    --library=tests/typed-tests.cfg \
    --inline-suppr --error-exitcode=1 --quiet --suppress=missingIncludeSystem \
    --suppress=normalCheckLevelMaxBranches -DBITKI_VERSION='"0"' \
    -I core -I window -I window/qt -I window/rules -I tests -i window/win32 -i tests/win32_window_test.cpp -I window/web core window tests bench
echo "static checks: clean"
