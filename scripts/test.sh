#!/usr/bin/env bash
# Builds the normal and the sanitizer configuration, runs the whole suite on both, then fuzzes
# frame decoding for a bounded time (FUZZ_SECONDS, default 60).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

for preset in default sanitize; do
    cmake --preset "$preset"
    cmake --build --preset "$preset"
    ctest --preset "$preset" --timeout 600 -j 2
done

corpus=$(mktemp -d)
trap 'rm -rf "$corpus"' EXIT
build/sanitize/tests/kit/tavo_frame_fuzzer -max_total_time="${FUZZ_SECONDS:-60}" \
    -rss_limit_mb=1024 "$corpus" tests/kit/fuzz_seeds
