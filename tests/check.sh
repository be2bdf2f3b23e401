# Sourced by the shell tests: check EXPECTED COMMAND... runs the command, says ok or FAILED with
# what was expected, and counts the failures in $failures; copy_source copies a source as it stands;
# same compares two files to the byte, showing where they differ.
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

# The files git knows in SOURCE (changes not yet committed included), copied into FOLDER.
copy_source() { # SOURCE FOLDER
    mkdir -p "$2"
    git -C "$1" ls-files -z --cached --others --exclude-standard | (cd "$1" && tar --null -T - -cf -) \
        | tar -xf - -C "$2"
}

same() { # FILE FILE
    cmp -s "$1" "$2" || { diffoscope --text-color=never "$1" "$2" | head -n 60; return 1; }
}
