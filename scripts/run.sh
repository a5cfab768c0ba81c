#!/usr/bin/env bash
# Installs what Moorlet needs (as root, on Debian 12), builds the program and starts it on the
# desktop of the user who ran this script.
# Usage: sudo scripts/run.sh            (build folder: build/, as the test command uses)
#
# Run through sudo, the build runs as root and the program as the user who called sudo, on that
# user's display and session bus. Run as an ordinary user with the packages already installed,
# everything runs as that user.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"

bash scripts/install-deps.sh

build=${MOORLET_BUILD_DIR:-build}
# A build folder the test command already configured is used as it is (its options kept).
if [[ ! -f "$build/CMakeCache.txt" ]]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" >/dev/null
fi
cmake --build "$build" --target moorlet --parallel "$(nproc 2>/dev/null || echo 2)"
program="$top/$build/Moorlet/App/moorlet"

if [[ $(id -u) -eq 0 && -n "${SUDO_USER:-}" && "$SUDO_USER" != root ]]; then
  # Start it in the calling user's session, not as root: their settings, data, display and bus.
  uid=$(id -u "$SUDO_USER")
  runtime=/run/user/$uid
  session=(
    "HOME=$(getent passwd "$SUDO_USER" | cut -d: -f6)"
    "XDG_RUNTIME_DIR=$runtime"
    "DBUS_SESSION_BUS_ADDRESS=${DBUS_SESSION_BUS_ADDRESS:-unix:path=$runtime/bus}"
    "DISPLAY=${DISPLAY:-:0}"
  )
  [[ -n "${XAUTHORITY:-}" ]] && session+=("XAUTHORITY=$XAUTHORITY")
  [[ -n "${WAYLAND_DISPLAY:-}" ]] && session+=("WAYLAND_DISPLAY=$WAYLAND_DISPLAY")
  [[ -n "${XDG_SESSION_TYPE:-}" ]] && session+=("XDG_SESSION_TYPE=$XDG_SESSION_TYPE")
  echo "Starting Moorlet for $SUDO_USER (quit it from its tray menu, or with Ctrl+C here)."
  exec runuser -u "$SUDO_USER" -- env "${session[@]}" "$program"
fi

echo "Starting Moorlet (quit it from its tray menu, or with Ctrl+C here)."
exec "$program"
