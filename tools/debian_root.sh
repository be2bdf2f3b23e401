#!/usr/bin/env bash
# Runs the README's test command where a new user of another Debian release would: in a fresh
# root made with debootstrap (minbase and git), on the source as committed, cloned inside.
#   tools/debian_root.sh SUITE [FOLDER]       as root; SUITE: trixie, say; FOLDER: build-SUITE-root
set -euo pipefail
suite=$1
source_dir=$(cd "$(dirname "$0")/.." && pwd)
root=$(realpath -m "${2:-$source_dir/build-$suite-root}")
((EUID == 0)) || { echo "debian_root.sh: run it as root (debootstrap and chroot need it)" >&2; exit 1; }
command -v debootstrap >/dev/null || DEBIAN_FRONTEND=noninteractive apt-get install -y -qq debootstrap >/dev/null

mounted=()
release() {
    local at
    for ((at = ${#mounted[@]} - 1; at >= 0; --at)); do
        umount -l "${mounted[at]}" 2>/dev/null || true
    done
}
trap release EXIT
rm -rf "$root"
echo "Making a $suite root in $root"
debootstrap --variant=minbase --include=git,ca-certificates "$suite" "$root" http://deb.debian.org/debian \
    >"$root.log" 2>&1 || { tail -n 5 "$root.log" >&2; exit 1; }
mount -t proc proc "$root/proc" && mounted+=("$root/proc")
mount -t sysfs sys "$root/sys" && mounted+=("$root/sys")
mount --rbind /dev "$root/dev" && mount --make-rslave "$root/dev" && mounted+=("$root/dev")
cp /etc/resolv.conf "$root/etc/"
# Where this machine reaches npm only through its own certificate authority, the root trusts it too.
environment=(PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 CI=1)
if [[ -n "${NODE_EXTRA_CA_CERTS:-}" && -f "$NODE_EXTRA_CA_CERTS" ]]; then
    cp "$NODE_EXTRA_CA_CERTS" "$root/etc/ssl/certs/this-machine.crt"
    environment+=(NODE_EXTRA_CA_CERTS=/etc/ssl/certs/this-machine.crt)
fi
git clone -q "$source_dir" "$root/src"
echo "Running ./build.sh test in the $suite root"
chroot "$root" env -i "${environment[@]}" bash -c 'cd /src && ./build.sh test'
