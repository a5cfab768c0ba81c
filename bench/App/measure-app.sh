#!/usr/bin/env bash
# Measures what the running program costs: starts the built moorlet on a private Xvfb display and
# session bus (home and XDG folders in a temporary folder, SDL's dummy audio driver) and samples
# its CPU time (/proc/PID/stat, user + system) and resident memory (VmRSS) for a while in each
# state: idle with the tile collapsed, a focus block running collapsed, and running with the card
# expanded. Takes a screenshot of the screen in each state.
#
# Usage: bench/App/measure-app.sh [path/to/moorlet] [seconds per state] [output folder]
# Defaults: build/Moorlet/App/moorlet, 30 s, /tmp/moorlet-measure.
# Exits 1 when a target is missed: idle <= 0.1 % of one core, running collapsed <= 1 %, running
# expanded <= 5 %, resident memory < 80 MB throughout.
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
program=$(realpath "${1:-$top/build/Moorlet/App/moorlet}")
seconds=${2:-30}
out=${3:-/tmp/moorlet-measure}
mkdir -p "$out"

if [[ -z "${MOORLET_MEASURE_INSIDE:-}" ]]; then
  # Run the rest on a private display and bus, like the program tests.
  export MOORLET_MEASURE_INSIDE=1
  exec "$top/tests/support/with-xvfb.sh" "$top/tests/support/with-dbus.sh" "$0" "$program" "$seconds" "$out"
fi

scratch=$(mktemp -d /tmp/moorlet-measure.XXXXXX)
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$scratch"' EXIT
source "$top/tests/support/private-home.sh"
private_home "$scratch"

start_program "$program"

ticks_per_second=$(getconf CLK_TCK)
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$pid/stat"; }
rss_kb() { awk '/^VmRSS:/ { print $2 }' "/proc/$pid/status"; }
screenshot() {
  ffmpeg -loglevel error -y -f x11grab -video_size 1440x900 -i "$DISPLAY" -frames:v 1 "$out/$1.png" || true
}

missed=0
# measure NAME TARGET_PERCENT: samples for $seconds and prints one line.
measure() {
  local name=$1 target=$2 start end peak=0 rss
  sleep 3 # let the state settle (animations, the first paints)
  start=$(cpu_ticks)
  for _ in $(seq "$seconds"); do
    sleep 1
    rss=$(rss_kb)
    ((rss > peak)) && peak=$rss
  done
  end=$(cpu_ticks)
  local percent
  percent=$(awk -v d=$((end - start)) -v hz="$ticks_per_second" -v s="$seconds" 'BEGIN { printf "%.3f", d / hz / s * 100 }')
  local verdict=ok
  if awk -v p="$percent" -v t="$target" 'BEGIN { exit !(p > t) }' || ((peak >= 80 * 1024)); then
    verdict=MISSED
    missed=1
  fi
  printf '%-20s cpu %7s %% of one core (target <= %s %%)   peak VmRSS %6.1f MB (target < 80 MB)   %s\n' \
    "$name" "$percent" "$target" "$(awk -v k="$peak" 'BEGIN { print k / 1024 }')" "$verdict"
  screenshot "$name"
}

measure idle-collapsed 0.1
"$program" --toggle
measure running-collapsed 1
# A click on the tile, docked at the right edge in the middle of the 1440 x 900 screen, opens the
# card; the pointer stays over it so it does not collapse again.
xdotool mousemove $((1440 - 84)) 450 click 1
measure running-expanded 5
echo "screenshots in $out"
exit $missed
