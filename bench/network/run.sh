#!/usr/bin/env bash
# Builds the network benchmark (RelWithDebInfo) and runs it. As root it runs beside a private
# avahi-daemon in a loopback-only network namespace, so the listener advertises as it would for
# real; otherwise without any daemon, where the listener waits to advertise but still accepts.
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
build="${TAVO_BENCH_BUILD:-$root/build/bench}"

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target tavo_network_bench -j2

bench="$build/bench/network/tavo_network_bench"
if [ "$(id -u)" -eq 0 ]; then
    exec "$root/tests/support/avahi/with-avahi-netns.sh" "$bench"
fi
exec "$bench"
