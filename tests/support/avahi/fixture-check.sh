#!/usr/bin/env bash
# Checks with-avahi-netns.sh from inside: only loopback, a service published on lo resolves to
# 127.0.0.1, and the daemon comes back after TAVO_AVAHI_RESTART.
set -euo pipefail

interfaces=$(ip -o link show | cut -d: -f2 | tr -d ' ')
[ "$interfaces" = lo ] || { echo "interfaces besides lo: $interfaces" >&2; exit 1; }

resolved() {
    avahi-browse -rpt _tavo._tcp | grep -q "^=;lo;IPv4;fixture-check;_tavo._tcp;local;.*;127.0.0.1;$1;"
}

for round in 1 2; do
    avahi-publish -s fixture-check _tavo._tcp $((4000 + round)) >/dev/null 2>&1 &
    publisher=$!
    deadline=$((SECONDS + 10))
    until resolved $((4000 + round)); do
        [ $SECONDS -lt $deadline ] || { echo "round $round: not resolved" >&2; exit 1; }
    done
    kill $publisher
    wait $publisher || true
    [ $round -eq 2 ] || sh -c "$TAVO_AVAHI_RESTART"
done
