#!/usr/bin/env bash
# Takes screenshots of the running program's expanded card with every optional row shown (an
# upcoming deadline, a best-hour insight, a running music player), idle and during focus, so a
# person can check that the card fits its panel. Runs on a private Xvfb display and session bus
# with a seeded data folder; a test MPRIS player (tests/fakes/MprisPlayer) plays the music.
#
# Usage: bench/App/card-screenshots.sh [build folder] [output folder]
# Defaults: build, /tmp/moorlet-screenshots.
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
build=$(realpath "${1:-$top/build}")
out=${2:-/tmp/moorlet-screenshots}
program=$build/Moorlet/App/moorlet
player=$build/tests/fakes/MprisPlayer/MprisPlayer
mkdir -p "$out"

if [[ -z "${MOORLET_SCREENSHOTS_INSIDE:-}" ]]; then
  export MOORLET_SCREENSHOTS_INSIDE=1
  exec "$top/tests/support/with-xvfb.sh" "$top/tests/support/with-dbus.sh" "$0" "$build" "$out"
fi

scratch=$(mktemp -d /tmp/moorlet-screenshots.XXXXXX)
pids=()
trap 'kill "${pids[@]}" 2>/dev/null || true; rm -rf "$scratch"' EXIT
export HOME=$scratch/home XDG_CONFIG_HOME=$scratch/home/.config XDG_DATA_HOME=$scratch/home/.local/share
export XDG_CACHE_HOME=$scratch/home/.cache XDG_RUNTIME_DIR=$scratch/runtime XDG_DATA_DIRS=$scratch/share
export SDL_AUDIODRIVER=dummy
mkdir -p "$XDG_CONFIG_HOME" "$XDG_DATA_HOME/Moorlet" "$XDG_RUNTIME_DIR" "$XDG_DATA_DIRS"
chmod 700 "$XDG_RUNTIME_DIR"

# Yesterday's two blocks at 09:00 give a best hour; an exam in five days gives the exam row.
yesterday=$(date -u -d 'yesterday 09:00' +%Y-%m-%dT%H:%M:%SZ)
exam=$(date -u -d '+5 days 09:00' +%Y-%m-%dT%H:%M:%SZ)
cat >"$XDG_DATA_HOME/Moorlet/sessions.json" <<JSON
[{"id":"6F1C2B52-3A5D-4C1E-9A0B-1D2E3F405162","startDate":"$yesterday","duration":1500,"mode":"pomodoro","completed":true},
 {"id":"7A2D3C63-4B6E-4D2F-8B1C-2E3F40516273","startDate":"$yesterday","duration":1500,"mode":"pomodoro","completed":true}]
JSON
cat >"$XDG_DATA_HOME/Moorlet/deadlines.json" <<JSON
[{"id":"8B3E4D74-5C7F-4E30-9C2D-3F4051627384","title":"Statistics exam","date":"$exam","subject":null}]
JSON

"$player" --bus-name org.mpris.MediaPlayer2.testplayer --identity "Rhythmbox" \
  --track "Weightless|Marconi Union" --status Playing &
pids+=($!)
"$program" &
pids+=($!)
for _ in $(seq 100); do
  "$program" --status >/dev/null 2>&1 && break
  sleep 0.2
done

shot() {
  sleep 2
  ffmpeg -loglevel error -y -f x11grab -video_size 1440x900 -i "$DISPLAY" -frames:v 1 "$out/$1.png"
  local id
  id=$(xdotool search --onlyvisible --pid "${pids[1]}" | head -1)
  echo "$1: $(xdotool getwindowgeometry "$id" | tr '\n' ' ')"
}

shot collapsed-idle
xdotool mousemove $((1440 - 84)) 450 click 1
shot expanded-idle-all-rows
"$program" --toggle
shot expanded-focusing-all-rows
"$program" --skip
shot expanded-break-all-rows
echo "screenshots in $out"
