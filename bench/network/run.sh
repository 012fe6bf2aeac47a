#!/usr/bin/env bash
# Builds the network benchmark in the default preset's build (build/default, where the Quick start
# builds; the preset turns benchmarks on) and runs it. As root it runs beside a private
# avahi-daemon in a loopback-only network namespace, so the listener advertises as it would for
# real; otherwise without any daemon, where the listener waits to advertise but still accepts.
set -euo pipefail
cd "$(dirname "$0")/../.."

cmake --preset default >/dev/null
cmake --build --preset default --target tavo_network_bench

bench=build/default/bench/network/tavo_network_bench
if [ "$(id -u)" -eq 0 ]; then
    exec tests/support/avahi/with-avahi-netns.sh "$bench"
fi
exec "$bench"
