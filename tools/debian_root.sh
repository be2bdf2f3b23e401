#!/usr/bin/env bash
# Runs the README's test command where a new user of another Debian release would: in a fresh
# root made with debootstrap (minbase and git), on the source as committed, cloned inside.
#   tools/debian_root.sh SUITE [FOLDER]       as root; SUITE: trixie, say; FOLDER: build-SUITE-root
set -euo pipefail
suite=$1
source_dir=$(cd "$(dirname "$0")/.." && pwd)
root=$(realpath -m "${2:-$source_dir/build-$suite-root}")
((EUID == 0)) || { echo "debian_root.sh: run it as root (debootstrap and its mounts need it)" >&2; exit 1; }
command -v debootstrap >/dev/null || DEBIAN_FRONTEND=noninteractive apt-get install -y -qq debootstrap >/dev/null

rm -rf --one-file-system "$root"
echo "Making a $suite root in $root"
# debootstrap's own choice of archive, as a new user's would be.
debootstrap --variant=minbase --include=git,ca-certificates "$suite" "$root" \
    >"$root.log" 2>&1 || { tail -n 5 "$root.log" >&2; exit 1; }
cp /etc/resolv.conf "$root/etc/"
# Where this machine reaches npm only through its own certificate authority, the root trusts it too.
environment=(PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 CI=1)
if [[ -n "${NODE_EXTRA_CA_CERTS:-}" && -f "$NODE_EXTRA_CA_CERTS" ]]; then
    cp "$NODE_EXTRA_CA_CERTS" "$root/etc/ssl/certs/this-machine.crt"
    environment+=(NODE_EXTRA_CA_CERTS=/etc/ssl/certs/this-machine.crt)
fi
git clone -q "$source_dir" "$root/src"
echo "Running ./build.sh test in the $suite root"
# The root becomes / in a mount namespace of its own, by pivot_root rather than chroot: the Debian
# package's clean builds make user namespaces, which the kernel refuses inside a chroot. Its mounts
# end with the namespace.
# shellcheck disable=SC2016 # expanded by the inner shell
unshare --mount --propagation private bash -c 'root=$1 && shift &&
    mount --bind "$root" "$root" && mount -t proc proc "$root/proc" && mount -t sysfs sys "$root/sys" &&
    mount --rbind /dev "$root/dev" && cd "$root" && mkdir -p .host && pivot_root . .host && cd / &&
    umount -l /.host && rmdir /.host && exec env -i "$@"' \
    _ "$root" "${environment[@]}" bash -c 'cd /src && ./build.sh test'
