#!/usr/bin/env bash
# Runs a command on a private session bus of its own, which ends with it.
#
#   with-session-bus.sh COMMAND [ARG...]
#
# A command given --gtest_list_tests runs directly, so that gtest_discover_tests can use this
# script as a target's CROSSCOMPILING_EMULATOR cheaply. Exits with the command's status.
set -euo pipefail

for arg in "$@"; do
    [ "$arg" != --gtest_list_tests ] || exec "$@"
done
exec dbus-run-session -- "$@"
