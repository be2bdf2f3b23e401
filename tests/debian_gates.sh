#!/usr/bin/env bash
# The source package through the gates a package passes to enter Debian, for the Debian release
# this runs on: built in a clean chroot by sbuild into the release's own package, checked by
# lintian, installed and purged by piuparts, its installed quiz played by autopkgtest. Each tool
# finds the archive as apt does here.
#   debian_gates.sh SOURCE_FOLDER RELEASE_FOLDER   as root (debootstrap, and sub-ids for user
#                                                  namespaces); RELEASE_FOLDER holds the release's .deb
set -uo pipefail
source_dir=$(realpath "$1")
release=$2
((EUID == 0)) || { echo "debian_gates.sh: run it as root" >&2; exit 1; }
source "$(dirname "$0")/check.sh"
suite=$(. /etc/os-release && echo "$VERSION_CODENAME")
work=$(mktemp -d "${TMPDIR:-/tmp}/bitki-gates.XXXXXX")
trap 'rm -rf --one-file-system "$work"' EXIT
# Where a step fails, the end of its log.
logged() { # log name, command...
    local log=$work/$1.log
    shift
    "$@" >"$log" 2>&1 && return 0
    tail -n 25 "$log"
    return 1
}

# sbuild's and autopkgtest's user namespaces map root's subordinate ids.
for ids in /etc/subuid /etc/subgid; do
    grep -q '^root:' "$ids" 2>/dev/null || echo 'root:100000:65536' >>"$ids"
done

# The source package, from the files git knows (changes not yet committed included).
mkdir "$work/out"
copy_source "$source_dir" "$work/bitki"
check "dpkg-source packs the source" logged source sh -c "cd '$work' && dpkg-source -b bitki"
dsc=$(echo "$work"/bitki_*.dsc)

# One clean $suite root for both: sbuild's build environment, with the package lists autopkgtest needs.
check "mmdebstrap makes a clean $suite root" logged mmdebstrap mmdebstrap --variant=buildd --mode=unshare \
    --include=apt-utils --skip=cleanup/apt/lists --skip=output/mknod "$suite" "$work/$suite.tar"
# The changelog's distribution ("stable") is the one the package is meant for, built in the root.
check "sbuild builds it there, its fast tests passing" logged sbuild sh -c "cd '$work' && sbuild \
    --chroot-mode=unshare --chroot='$work/$suite.tar' --dist=stable --source --arch-all --no-run-lintian \
    --no-run-piuparts --no-run-autopkgtest --build-dir='$work/out' '$dsc'"
((failures == 0)) || exit 1
changes=$(echo "$work"/out/bitki_*_amd64.changes)
deb=$(echo "$work"/out/bitki_*_amd64.deb)
check "... the release's own package, to the byte" same "$deb" "$release/$(basename "$deb")"
# The package follows the policy of Debian 13 (4.7.2), which Debian 12's lintian does not know yet.
quiet=()
[[ "$suite" == bookworm ]] && quiet=(--suppress-tags newer-standards-version)
check "lintian --pedantic finds nothing above information in the source, the package and the upload" \
    logged lintian lintian --pedantic --fail-on error,warning "${quiet[@]}" "$changes" && cat "$work/lintian.log"
# 1.00 is the first release: no earlier one to upgrade from yet.
check "piuparts installs and purges it on a fresh $suite" logged piuparts piuparts -d "$suite" "$deb"
# In a CI's environment too, where the project's own configure asks for every system test's tools.
check "autopkgtest plays the installed quiz" logged autopkgtest autopkgtest --env=CI=1 "$deb" "$work/bitki" \
    -- unshare --release "$suite" --tarball "$work/$suite.tar"

((failures == 0))
