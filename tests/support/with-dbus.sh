#!/usr/bin/env bash
# Runs a command inside its own private session bus (no service activation).
here=$(cd "$(dirname "$0")" && pwd)
exec dbus-run-session --config-file="$here/session-bus.conf" -- "$@"
