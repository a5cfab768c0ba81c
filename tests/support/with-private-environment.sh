#!/usr/bin/env bash
# with-private-environment.sh [NAME=VALUE…] -- command [arguments…]
#
# Runs a test in an environment of its own, so that it sees only what it sets up: a fresh home
# and XDG folders (none of the machine's desktop entries, MIME defaults, settings or data), no
# display, session bus or system bus of the machine, a fixed locale, and of the caller's
# environment only PATH, the temporary folder and debugging aids. The NAME=VALUE settings come
# last and win. The folders are removed afterwards.
set -u
settings=()
while (($# > 0)) && [[ $1 != -- ]]; do
  settings+=("$1")
  shift
done
shift
root=$(mktemp -d "${TMPDIR:-/tmp}/moorlet-test-env.XXXXXX") || exit 1
trap 'rm -rf "$root"' EXIT
mkdir -p "$root"/{home,config,config-dirs,data,data-dirs,cache,state,runtime}
chmod 700 "$root/runtime"

kept=()
for name in PATH TMPDIR TERM LD_LIBRARY_PATH QT_LOGGING_RULES QT_DEBUG_PLUGINS $(compgen -e | grep -E '^(GTEST_|[A-Z]+SAN_OPTIONS$)'); do
  if [[ -v $name ]]; then
    kept+=("$name=${!name}")
  fi
done

env -i "${kept[@]}" LANG=C.UTF-8 HOME="$root/home" \
  XDG_CONFIG_HOME="$root/config" XDG_CONFIG_DIRS="$root/config-dirs" \
  XDG_DATA_HOME="$root/data" XDG_DATA_DIRS="$root/data-dirs" \
  XDG_CACHE_HOME="$root/cache" XDG_STATE_HOME="$root/state" XDG_RUNTIME_DIR="$root/runtime" \
  DBUS_SYSTEM_BUS_ADDRESS="unix:path=$root/no-system-bus" \
  "${settings[@]}" "$@"
