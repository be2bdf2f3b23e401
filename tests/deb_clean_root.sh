#!/usr/bin/env bash
# What an administrator sees on a clean machine of this Debian release: apt installs the package
# with what it depends on, the installed quiz opens its window (on Xvfb), and apt's removal leaves
# nothing of it. The machine is a fresh debootstrap root (minbase) from Debian's mirror.
#   deb_clean_root.sh FOLDER      as root; FOLDER holds the package (the build's, or dist/)
set -uo pipefail
debs=("$1"/bitki_*.deb)
[[ -f "${debs[0]}" ]] || { echo "deb_clean_root.sh: no package in $1" >&2; exit 1; }
deb=$(realpath "${debs[0]}")
((EUID == 0)) || { echo "deb_clean_root.sh: run it as root (debootstrap and chroot need it)" >&2; exit 1; }
source "$(dirname "$0")/check.sh"

suite=$(. /etc/os-release && echo "$VERSION_CODENAME")
root=$(mktemp -d "${TMPDIR:-/tmp}/bitki-root.XXXXXX")
release() {
    ((failures == 0)) || { echo "the end of apt's output:"; tail -n 15 "$root.log"; }
    umount -R -l "$root/dev" 2>/dev/null
    umount -l "$root/proc" "$root/sys" 2>/dev/null
    rm -rf --one-file-system "$root" "$root.log"
}
trap release EXIT
if ! debootstrap --variant=minbase "$suite" "$root" http://deb.debian.org/debian >"$root.log" 2>&1; then
    tail -n 5 "$root.log"
    echo "FAILED: a clean $suite root"
    exit 1
fi
mount -t proc proc "$root/proc" && mount -t sysfs sys "$root/sys"
mount --rbind /dev "$root/dev" && mount --make-rslave "$root/dev"
cp /etc/resolv.conf "$root/etc/"
in_root() {
    chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 \
        DEBIAN_FRONTEND=noninteractive "$@"
}
quietly() { "$@" >>"$root.log" 2>&1; }

# The check's own tools come first: an X server and a way to list its windows.
check "a clean $suite root gets an X server" quietly in_root apt-get install -y --no-install-recommends \
    xvfb xauth x11-utils
cp "$deb" "$root/tmp/bitki.deb"
check "apt installs the package and what it depends on" quietly in_root apt-get install -y ./tmp/bitki.deb
rm "$root/tmp/bitki.deb"
# The window's title names the quiz's site; xwininfo lists every window by its title.
window_opens() {
    # shellcheck disable=SC2016 # expanded inside the root
    in_root xvfb-run -a sh -c 'bitki 2>/dev/null & quiz=$!
        for _ in $(seq 100); do
            if xwininfo -root -tree | grep -q "bitki.example"; then kill $quiz; exit 0; fi
            sleep 0.1
        done
        kill $quiz; exit 1'
}
check "the installed quiz opens its window" window_opens
check "apt removes it" quietly in_root apt-get remove -y bitki
forgotten() { # dpkg knows the package as not installed, or not at all: no configuration kept
    local status
    status=$(in_root dpkg-query -W -f='${db:Status-Abbrev}' bitki 2>/dev/null)
    [[ -z "$status" || "$status" == un* ]]
}
check "... and dpkg keeps nothing of it" forgotten
left=$(find "$root" -xdev -iname '*bitki*' | sed "s|^$root||")
check "... and no file of it is left" test -z "$left"
[[ -n "$left" ]] && echo "$left"

((failures == 0))
