#!/usr/bin/env bash
# The self-update end to end, as a user meets it: an old Moorlet, installed from its relocatable
# archive into a folder whose path holds a space, finds the current version that the release tools
# published to a local server, downloads and stages it, and on "Restart to update" replaces
# itself and starts again. Runs on a private Xvfb display and session bus with a fake
# notification server and tray; prints each step and ends non-zero at the first one that fails.
#
# Usage: tools/release/end-to-end.sh [SCRATCH_DIR]
#   SCRATCH_DIR defaults to build-end-to-end/ in the source tree and is emptied first, but for its
#   build folder, which is reused: keep it under /work so that ccache finds its objects.
#   MOORLET_OLD_VERSION (default 0.0.1) is the version installed first; the published one is the
#   source tree's own. MOORLET_BUILD_DIR (default build/) is the developer build folder the fake
#   services are built in.
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
step() { echo "== $*"; }
fail() { echo "FAIL: $*" >&2; exit 1; }

if [[ -z ${MOORLET_END_TO_END_INSIDE:-} ]]; then
  scratch=$(realpath -m "${1:-$top/build-end-to-end}")
  build=$scratch/build
  old=${MOORLET_OLD_VERSION:-0.0.1}
  new=$(sed -n 's/^set(MOORLET_VERSION \([0-9.]*\) CACHE.*/\1/p' "$top/CMakeLists.txt")
  developer_build=$(realpath "${MOORLET_BUILD_DIR:-$top/build}")
  install_dir="$scratch/Applications folder/Moorlet"
  site=$scratch/site
  [[ -n $new ]] || fail "cannot read the default MOORLET_VERSION from CMakeLists.txt"
  [[ $old != "$new" && $(printf '%s\n' "$old" "$new" | sort -V | tail -n 1) == "$new" ]] \
    || fail "the old version $old must be lower than the published $new"
  # The scratch folder is emptied: only one this script made, never a folder someone pointed it at.
  if [[ -n $(ls -A "$scratch" 2>/dev/null) && ! -f $scratch/.moorlet-end-to-end ]]; then
    fail "'$scratch' holds files this script did not make; give an empty or new folder"
  fi
  mkdir -p "$scratch"
  find "$scratch" -mindepth 1 -maxdepth 1 ! -name build ! -name .moorlet-end-to-end -exec rm -rf {} +
  touch "$scratch/.moorlet-end-to-end"

  step "fake services for the run, in $developer_build"
  cmake --build "$developer_build" --target MoorletFakeNotificationServer MoorletFakeStatusNotifierWatcher update-feed
  fakes=$developer_build/tests/fakes

  step "signing key pair for the test"
  "$developer_build/tools/UpdateFeed/update-feed" keygen "$scratch/keys"
  public_key=$(head -n 1 "$scratch/keys/update-signing.pub")

  # The origin can never be reached: only ML_UPDATE_SERVER leads the program to the local server.
  configure() {
    cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" \
      -DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DMOORLET_WERROR=ON -DBUILD_TESTING=OFF -DMOORLET_BUILD_BENCHMARKS=OFF \
      -DMOORLET_UPDATE_ORIGIN=https://updates.invalid -DMOORLET_UPDATE_PUBLIC_KEY="$public_key" \
      -DMOORLET_VERSION="$1" >"$scratch/configure-$1.log" || { cat "$scratch/configure-$1.log" >&2; fail "configure $1"; }
  }

  step "build and pack the old version $old in $build"
  configure "$old"
  cmake --build "$build" --parallel "$(nproc 2>/dev/null || echo 2)"
  cpack --config "$build/CPackConfig.cmake" -G TGZ -B "$scratch/old-package" >/dev/null
  old_archive=$(ls "$scratch"/old-package/moorlet-"$old"-*.tar.gz)
  mkdir -p "$install_dir"
  tar -xzf "$old_archive" -C "$install_dir" --strip-components=1
  echo "installed $(basename "$old_archive") in '$install_dir': $("$install_dir/bin/moorlet" --version)"

  # The feed names its archive by URL, so the port is chosen before publishing.
  port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
  step "publish the new version $new for http://127.0.0.1:$port"
  configure "$new"
  "$top/tools/release/publish.sh" --notes "End-to-end test release." "$build" "$site" "http://127.0.0.1:$port" \
    "$scratch/keys/update-signing.key"

  # The program stages the update in the temporary folder and leaves it there: keep it in scratch.
  mkdir -p "$scratch/tmp"
  exec "$top/tests/support/with-private-environment.sh" MOORLET_END_TO_END_INSIDE=1 SDL_AUDIODRIVER=dummy TZ=UTC \
    "TMPDIR=$scratch/tmp" \
    "scratch=$scratch" "install_dir=$install_dir" "site=$site" "port=$port" "fakes=$fakes" "old=$old" "new=$new" \
    -- "$top/tests/support/with-dbus.sh" "$top/tests/support/with-xvfb.sh" "$0"
fi

# From here on: a private home, display and session bus; the settings above arrive as variables.
pids=()
cleanup() {
  for pid in "${pids[@]}"; do
    kill "$pid" 2>/dev/null || true
  done
}
trap cleanup EXIT

# wait_for SECONDS DESCRIPTION COMMAND…: runs COMMAND every 0.2 s until it succeeds.
wait_for() {
  local seconds=$1 what=$2
  shift 2
  for _ in $(seq $((seconds * 5))); do
    "$@" >/dev/null 2>&1 && return 0
    sleep 0.2
  done
  fail "$what within $seconds s"
}

# The running moorlet-app of the install folder (its process id), if any.
installed_app_pid() {
  local exe
  for proc in /proc/[0-9]*; do
    exe=$(readlink "$proc/exe" 2>/dev/null) || continue
    [[ $exe == "$install_dir/libexec/moorlet/moorlet-app" ]] && { echo "${proc#/proc/}"; return 0; }
  done
  return 1
}

# tray_click LABEL: picks the tray menu's entry LABEL as a desktop's tray does, over
# com.canonical.dbusmenu, from the item the fake watcher registered.
tray_click() {
  local call=(dbus-send --session --print-reply) item service path menu id
  item=$("${call[@]}" --dest=org.kde.StatusNotifierWatcher /StatusNotifierWatcher org.freedesktop.DBus.Properties.Get \
    string:org.kde.StatusNotifierWatcher string:RegisteredStatusNotifierItems | sed -n 's/^ *string "\(.*\)"$/\1/p' | head -n 1)
  [[ -n $item ]] || return 1
  service=${item%%/*}
  path=/StatusNotifierItem
  [[ $item == */* ]] && path=/${item#*/}
  menu=$("${call[@]}" --dest="$service" "$path" org.freedesktop.DBus.Properties.Get string:org.kde.StatusNotifierItem \
    string:Menu | sed -n 's/.*object path "\(.*\)"$/\1/p')
  # GetLayout's entries are structs opening with their id; the label follows among the properties.
  id=$("${call[@]}" --dest="$service" "${menu:-/MenuBar}" com.canonical.dbusmenu.GetLayout int32:0 int32:-1 array:string: \
    | awk -v label="$1" '
        opened && /^ *int32 -?[0-9]+$/ { id = $2 }
        { opened = /struct {$/ }
        /string "label"$/ { getline; if (index($0, "variant") && index($0, "\"" label "\"")) { print id; exit } }')
  [[ -n $id ]] || return 1
  "${call[@]}" --dest="$service" "${menu:-/MenuBar}" com.canonical.dbusmenu.Event int32:"$id" string:clicked \
    variant:int32:0 uint32:"$(date +%s)" >/dev/null
}

# The settings view moves through its panes with the arrow keys (About is the last) and through a
# pane's controls with Tab, top to bottom: Help's two buttons, then the Updates rows.
go_to_restart_to_update() {
  xdotool key --delay 100 Down Down Down Down Down Down
  xdotool key --delay 100 Tab Tab Tab
}

has_bus_name() {
  dbus-send --session --print-reply --dest=org.freedesktop.DBus / org.freedesktop.DBus.NameHasOwner string:"$1" \
    | grep -q 'boolean true'
}
server_answers() { (exec 3<>"/dev/tcp/127.0.0.1/$port"); }
process_gone() { ! kill -0 "$1" 2>/dev/null; }

step "local update server on port $port, fake notification server and tray"
"$top/tools/release/serve.sh" "$site" "$port" >"$scratch/server.log" 2>&1 &
pids+=($!)
notifications=$scratch/notifications.jsonl
"$fakes/NotificationServer/fake-notification-server" --log "$notifications" &
pids+=($!)
"$fakes/StatusNotifierWatcher/fake-status-notifier-watcher" &
pids+=($!)
wait_for 10 "the update server did not answer" server_answers
wait_for 10 "the fake notification server did not start" has_bus_name org.freedesktop.Notifications
wait_for 10 "the fake tray did not start" has_bus_name org.kde.StatusNotifierWatcher

# The welcome tour would open a window of its own; automatic download is the default, set anyway.
mkdir -p "$XDG_CONFIG_HOME/Moorlet"
echo '{"com.veltrane.focus.hasCompletedTour": true, "com.veltrane.focus.autoUpdateEnabled": true}' \
  >"$XDG_CONFIG_HOME/Moorlet/defaults.json"

step "start Moorlet $old from '$install_dir' with ML_UPDATE_SERVER=http://127.0.0.1:$port"
ML_UPDATE_SERVER=http://127.0.0.1:$port "$install_dir/bin/moorlet" >"$scratch/moorlet-$old.log" 2>&1 &
old_pid=$!
pids+=("$old_pid")
wait_for 30 "Moorlet $old did not answer --status" "$install_dir/bin/moorlet" --status
echo "Moorlet $old runs as process $old_pid"

step "wait until it has found, downloaded and staged $new"
wait_for 120 "no notification said Moorlet $new is ready" grep -q "\"Moorlet $new is ready\"" "$notifications"
sed -n 's/.*"summary": *"\([^"]*\)".*/notified: \1/p' "$notifications"
grep -q "GET /downloads/moorlet-$new-" "$scratch/server.log" || fail "the archive was never downloaded"
grep 'GET /' "$scratch/server.log" | sed 's/^/server: /'

step "Settings from the tray menu, About pane, Restart to update"
wait_for 20 "the tray menu's Settings entry could not be clicked" tray_click Settings
wait_for 10 "the settings window did not open" xdotool search --onlyvisible --name Settings
window=$(xdotool search --onlyvisible --name Settings | head -n 1)
xdotool windowfocus --sync "$window"
go_to_restart_to_update
# What the pane showed when the key went down, for when a step below fails.
ffmpeg -loglevel error -y -f x11grab -i "$DISPLAY" -frames:v 1 "$scratch/settings.png" || true
xdotool key Return

step "wait for Moorlet $old to quit and the new one to start from the install folder"
wait_for 30 "Moorlet $old did not quit" process_gone "$old_pid"
wait_for 60 "no Moorlet runs again from the install folder" installed_app_pid
new_pid=$(installed_app_pid)
pids+=("$new_pid")
wait_for 30 "the relaunched Moorlet did not answer --status" "$install_dir/bin/moorlet" --status
echo "process $new_pid runs $(readlink "/proc/$new_pid/exe")"

step "check the installed version"
version=$("$install_dir/bin/moorlet" --version)
echo "'$install_dir/bin/moorlet' --version: $version"
[[ $version == "Moorlet $new" ]] || fail "expected Moorlet $new"
echo "end-to-end update from $old to $new passed"
