#!/usr/bin/env bash
# Runs a command beside its own avahi-daemon, in a private network namespace that has only loopback.
#
#   with-avahi-netns.sh COMMAND [ARG...]
#
# The command runs in new network, mount and PID namespaces: loopback is up and multicast-capable,
# /run and /tmp/.X11-unix are private tmpfs (so /run/dbus, /run/avahi-daemon and X displays are
# ours), a system bus and an avahi-daemon limited to lo (IPv4) are running. No mDNS packet can leave the machine, and when the
# namespace's first process ends the kernel ends every process left in it. Needs root (CI runs as
# root; without root it exits with 77, which ctest reads as skipped). The script exits with the
# command's status.
#
# The command gets, beside DBUS_SYSTEM_BUS_ADDRESS:
#   TAVO_AVAHI_STOP     a shell command line that stops avahi-daemon and returns once it is gone
#   TAVO_AVAHI_START    a shell command line that starts it and returns once it serves on the bus
#   TAVO_AVAHI_RESTART  both of the above, in that order
#   TAVO_AVAHI_LOG      the daemon's log file
# They are meant for std::system() or sh -c, and exit non-zero when the daemon misbehaves.
#
# A command given --gtest_list_tests runs directly, without namespaces or daemons, so that
# gtest_discover_tests can use this script as a target's CROSSCOMPILING_EMULATOR cheaply.
set -euo pipefail

self=$(readlink -f "$0")
state=/run/tavo-avahi
readyTimeout=10

fail() {
    echo "with-avahi-netns: $*" >&2
    exit 1
}

# Alive and not a zombie waiting to be reaped.
alive() {
    [ -r "/proc/$1/stat" ] && ! grep -q '^[0-9]* (.*) Z' "/proc/$1/stat" 2>/dev/null
}

avahiRunning() {
    dbus-send --system --print-reply --reply-timeout=1000 --dest=org.freedesktop.Avahi / \
        org.freedesktop.Avahi.Server.GetState 2>/dev/null | grep -q 'int32 2'
}

stopAvahi() {
    [ -s "$state/avahi.pid" ] || return 0
    local pid
    pid=$(cat "$state/avahi.pid")
    rm -f "$state/avahi.pid"
    kill -TERM "$pid" 2>/dev/null || return 0
    local deadline=$((SECONDS + readyTimeout))
    while alive "$pid"; do
        [ $SECONDS -lt $deadline ] || {
            kill -KILL "$pid" 2>/dev/null || true
            break
        }
        sleep 0.02
    done
    # A killed daemon leaves its pid file behind, which would stop the next one.
    rm -f /run/avahi-daemon/pid
}

startAvahi() {
    [ ! -s "$state/avahi.pid" ] || fail "avahi-daemon is already running"
    # setsid and a log file: the daemon must hold neither the caller's terminal nor its pipes.
    setsid avahi-daemon --no-rlimits --no-drop-root --no-chroot --no-proc-title \
        -f "$state/avahi-daemon.conf" </dev/null >>"$state/avahi.log" 2>&1 &
    local pid=$!
    echo "$pid" >"$state/avahi.pid"
    local deadline=$((SECONDS + readyTimeout))
    until avahiRunning; do
        if ! alive "$pid" || [ $SECONDS -ge $deadline ]; then
            cat "$state/avahi.log" >&2
            fail "avahi-daemon did not start"
        fi
        sleep 0.02
    done
}

case "${1:-}" in
--stop-avahi)
    stopAvahi
    exit 0
    ;;
--start-avahi)
    startAvahi
    exit 0
    ;;
--restart-avahi)
    stopAvahi
    startAvahi
    exit 0
    ;;
--inside)
    shift
    ;;
"")
    fail "usage: with-avahi-netns.sh COMMAND [ARG...]"
    ;;
*)
    for arg in "$@"; do
        [ "$arg" != --gtest_list_tests ] || exec "$@"
    done
    if [ "$(id -u)" -ne 0 ]; then
        echo "with-avahi-netns: skipped: network namespaces need root" >&2
        exit 77
    fi
    # unshare ignores TERM and INT while it waits, but its death kills the namespace's first process
    # and with it the whole namespace: so a signal here, or this script's death, ends unshare.
    setpriv --pdeathsig KILL unshare --net --mount --pid --fork --kill-child --mount-proc \
        "$self" --inside "$@" <&0 &
    unsharePid=$!
    trap 'kill -KILL $unsharePid 2>/dev/null; exit 143' TERM
    trap 'kill -KILL $unsharePid 2>/dev/null; exit 130' INT
    status=0
    wait $unsharePid || status=$?
    exit $status
    ;;
esac

# From here on: inside the namespaces, as their first process.
ip link set lo up
ip link set lo multicast on
mount -t tmpfs -o mode=0755 tavo-run /run
# Private X sockets too: an X server in here may take a display number that a server outside
# holds (it cannot see that server's process behind its lock file), and the two must not share
# the socket's path.
mkdir -p /tmp/.X11-unix
mount -t tmpfs -o mode=1777 tavo-x11 /tmp/.X11-unix
mkdir -p /run/dbus /run/avahi-daemon "$state"

cat >"$state/avahi-daemon.conf" <<'EOF'
[server]
use-ipv4=yes
use-ipv6=no
allow-interfaces=lo
enable-dbus=yes
ratelimit-interval-usec=1000000
ratelimit-burst=1000

[wide-area]
enable-wide-area=no

[publish]
publish-hinfo=no
publish-workstation=no
publish-addresses=yes

[reflector]

[rlimits]
EOF

dbusPid=""
teardown() {
    stopAvahi
    [ -z "$dbusPid" ] || kill -TERM "$dbusPid" 2>/dev/null || true
}
trap teardown EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

dbusPid=$(dbus-daemon --system --fork --print-pid </dev/null 2>"$state/dbus.log") || {
    cat "$state/dbus.log" >&2
    fail "dbus-daemon did not start"
}
export DBUS_SYSTEM_BUS_ADDRESS=unix:path=/run/dbus/system_bus_socket

startAvahi

quotedSelf=$(printf '%q' "$self")
export TAVO_AVAHI_STOP="$quotedSelf --stop-avahi"
export TAVO_AVAHI_START="$quotedSelf --start-avahi"
export TAVO_AVAHI_RESTART="$quotedSelf --restart-avahi"
export TAVO_AVAHI_LOG="$state/avahi.log"

status=0
"$@" || status=$?
exit $status
