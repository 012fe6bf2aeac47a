#!/usr/bin/env bash
# Runs a command as an unprivileged user, with a private XDG_RUNTIME_DIR and its own session bus,
# ready to start Wayland compositors (sway refuses to run as root).
#
#   with-wayland-user.sh COMMAND [ARG...]
#
# As root the command runs as "nobody"; as anyone else, as that user. WAYLAND_DISPLAY and DISPLAY
# are cleared, so that nothing reaches the caller's own session. The runtime directory is removed
# afterwards. A command given --gtest_list_tests runs directly, so that gtest_discover_tests can use
# this script as a target's CROSSCOMPILING_EMULATOR cheaply. Exits with the command's status.
set -euo pipefail

for arg in "$@"; do
    [ "$arg" != --gtest_list_tests ] || exec "$@"
done
[ $# -gt 0 ] || {
    echo "usage: with-wayland-user.sh COMMAND [ARG...]" >&2
    exit 2
}

runtime=$(mktemp -d /tmp/tavo-wayland-XXXXXX)
trap 'rm -rf "$runtime"' EXIT
chmod 700 "$runtime"

asUser=(setpriv --pdeathsig KILL)
if [ "$(id -u)" -eq 0 ]; then
    chown nobody:nogroup "$runtime"
    asUser+=(--reuid=nobody --regid=nogroup --clear-groups)
fi

status=0
"${asUser[@]}" env -u WAYLAND_DISPLAY -u DISPLAY -u DBUS_SESSION_BUS_ADDRESS \
    XDG_RUNTIME_DIR="$runtime" HOME="$runtime" XDG_CONFIG_HOME="$runtime/config" \
    XDG_CACHE_HOME="$runtime/cache" XDG_DATA_HOME="$runtime/data" \
    dbus-run-session -- "$@" || status=$?
exit $status
