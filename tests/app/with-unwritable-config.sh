#!/bin/sh
# Runs a command in a private mount namespace beside two config folders whose autostart folder
# cannot take an entry, also for root: a read-only bind mount (TAVO_READ_ONLY_CONFIG) and a full
# tmpfs (TAVO_FULL_CONFIG). Needs root; exits 77 otherwise, which ctest reads as skipped.
set -eu
if [ "$(id -u)" -ne 0 ]; then
    echo "with-unwritable-config: skipped: mounts need root" >&2
    exit 77
fi
if [ "${1:-}" != --inside ]; then
    exec unshare --mount --propagation private "$0" --inside "$@"
fi
shift

base=$(mktemp -d /tmp/tavo-unwritable-XXXXXX)
cleanup() {
    umount "$base/read-only/autostart" "$base/full" 2>/dev/null || true
    rm -rf "$base"
}
trap cleanup EXIT

mkdir -p "$base/read-only/autostart" "$base/full"
mount --bind "$base/read-only/autostart" "$base/read-only/autostart"
mount -o remount,bind,ro "$base/read-only/autostart"
mount -t tmpfs -o size=4k tavo-full "$base/full"
mkdir "$base/full/autostart"
# Fills the one page the folder has.
head -c 65536 /dev/zero >"$base/full/filler" 2>/dev/null || true

status=0
TAVO_READ_ONLY_CONFIG="$base/read-only" TAVO_FULL_CONFIG="$base/full" "$@" || status=$?
exit $status
