#!/usr/bin/env bash
# Resident memory (VmRSS) of the idle tavo-receiver with its panel never opened and after opening
# it, beside a minimal Qt tray application measured in the same run on the same private display.
#
#   bench/app/memory.sh [BUILD_DIR]     (default build/default; needs tavo-receiver and
#                                        tavo_minimal_tray_app built there)
#
# As root it runs beside a private avahi-daemon, so that the receiver advertises as it would on a
# desktop. Target: the receiver within 20% of the minimal application.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "${1:-$root/build/default}" && pwd)

if [ "$(id -u)" -eq 0 ] && [ -z "${TAVO_AVAHI_LOG:-}" ]; then
    exec "$root/tests/support/avahi/with-avahi-netns.sh" "$0" "$build"
fi

work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    rm -rf "$work"
}
trap cleanup EXIT

exec 3<> <(:)
Xvfb -displayfd 3 -noreset -nolisten tcp -screen 0 1280x800x24 2>/dev/null &
pids+=($!)
read -r -t 10 number <&3
export DISPLAY=":$number" HOME="$work" XDG_CONFIG_HOME="$work/config"
unset QT_QPA_PLATFORM WAYLAND_DISPLAY

trayer --edge top --align right --widthtype request --height 24 >/dev/null 2>&1 &
pids+=($!)
until xdotool search --onlyvisible --name '^panel$' >/dev/null 2>&1; do sleep 0.05; done

# The one small visible window of the given class: its tray icon.
iconOf() {
    local window
    for window in $(xdotool search --onlyvisible --classname "$1" 2>/dev/null); do
        eval "$(xdotool getwindowgeometry --shell "$window")"
        if [ "$WIDTH" -le 64 ]; then
            echo "$((X + WIDTH / 2)) $((Y + HEIGHT / 2))"
            return 0
        fi
    done
    return 1
}

# Resident KiB: all of it, and the private anonymous part (without shared library and font pages).
rssOf() { awk '/^VmRSS:/ { rss = $2 } /^RssAnon:/ { anon = $2 } END { print rss, anon }' \
    "/proc/$1/status"; }

start() {
    "$@" >/dev/null 2>&1 &
    pids+=($!)
    started=$!
    until iconOf "$(basename "$1")" >/dev/null; do sleep 0.05; done
    sleep 2  # let start-up allocations settle before measuring
}

# Clicks the tray icon of the application started last and waits for its window to show.
openPanel() {
    local x y
    read -r x y < <(iconOf "$1")
    xdotool mousemove "$x" "$y" click 1
    until [ "$(xdotool search --onlyvisible --classname "$1" | wc -l)" -ge 2 ]; do sleep 0.05; done
    sleep 1
}

start "$build/bench/app/tavo_minimal_tray_app"
read -r minimal minimalAnon < <(rssOf "$started")
openPanel tavo_minimal_tray_app
read -r minimalOpened minimalOpenedAnon < <(rssOf "$started")

start "$build/app/tavo-receiver"
read -r unopened unopenedAnon < <(rssOf "$started")
openPanel tavo-receiver
read -r opened openedAnon < <(rssOf "$started")

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
figure() {
    printf '%-40s VmRSS %6d KiB  %s x   RssAnon %6d KiB  %s x\n' "$1" "$2" \
        "$(ratio "$2" "$4")" "$3" "$(ratio "$3" "$5")"
}
figure "minimal Qt tray application" "$minimal" "$minimalAnon" "$minimal" "$minimalAnon"
figure "tavo-receiver, panel never opened" "$unopened" "$unopenedAnon" "$minimal" "$minimalAnon"
figure "minimal application, window opened" "$minimalOpened" "$minimalOpenedAnon" \
    "$minimalOpened" "$minimalOpenedAnon"
figure "tavo-receiver, after opening the panel" "$opened" "$openedAnon" "$minimalOpened" \
    "$minimalOpenedAnon"
echo "ratios against the minimal application in the same state; target: VmRSS within 1.20 x"
