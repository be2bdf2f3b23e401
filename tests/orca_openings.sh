#!/usr/bin/env bash
# How often Orca speaks the page's opening (the box's name and the task, no key pressed): opens the
# browser edition N times in a row in each browser, both ways, through the screen reader tests of
# a build, and counts. Not part of the default run: N × 4 openings take a few minutes.
#   tests/orca_openings.sh BUILD_FOLDER [N]
set -uo pipefail
build=$1
runs=${2:-20}
for test in screen_reader_chromium_test screen_reader_chromium_link_test screen_reader_firefox_test \
    screen_reader_firefox_link_test; do
    heard=0 silent=0 other=0
    for ((run = 1; run <= runs; ++run)); do
        log=$(ctest --test-dir "$build" -R "^$test\$" --output-on-failure --no-tests=error 2>&1)
        if grep -q 'the opening was not heard' <<<"$log"; then
            silent=$((silent + 1))
            printf '%s, opening %d: silent\n%s\n' "$test" "$run" "$(grep -A8 'heard:' <<<"$log")" >&2
        elif grep -q '100% tests passed' <<<"$log"; then
            heard=$((heard + 1))
        else
            other=$((other + 1))
            printf '%s, opening %d: failed otherwise\n%s\n' "$test" "$run" "$(tail -n 30 <<<"$log")" >&2
        fi
    done
    echo "$test: opening heard and game played in $heard of $runs, silent in $silent, failed otherwise in $other"
done
