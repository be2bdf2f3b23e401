# Sourced by the shell tests: check EXPECTED COMMAND... runs the command, says ok or FAILED with
# what was expected, and counts the failures in $failures.
failures=0
check() {
    local expected=$1
    shift
    if "$@"; then
        echo "ok: $expected"
    else
        echo "FAILED: $expected"
        failures=$((failures + 1))
    fi
}
