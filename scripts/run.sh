#!/usr/bin/env bash
# Builds the receiver and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default --target tavo-receiver
exec build/default/app/tavo-receiver "$@"
