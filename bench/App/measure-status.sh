#!/usr/bin/env bash
# Measures what a status bar pays for Moorlet's status: starts the built moorlet on a private Xvfb
# display and session bus (home and XDG folders in a temporary folder, SDL's dummy audio driver),
# then
#   one-shot   CPU time (user + system) and peak resident memory of one `moorlet --status`, from
#              a run of many calls less a run of as many calls of `true` (the shell's own cost);
#   follow     the CPU share and resident memory of one `moorlet --status --follow` while a focus
#              block runs (a line a second) and the lines it printed.
#
# Usage: bench/App/measure-status.sh [path/to/moorlet] [calls] [seconds following]
# Defaults: build/Moorlet/App/moorlet, 200 calls, 20 s.
# Exits 1 when a target is missed: one-shot < 10 ms of CPU, follow <= 0.1 % of one core.
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
program=$(realpath "${1:-$top/build/Moorlet/App/moorlet}")
calls=${2:-200}
seconds=${3:-20}

if [[ -z "${MOORLET_MEASURE_INSIDE:-}" ]]; then
  export MOORLET_MEASURE_INSIDE=1
  exec "$top/tests/support/with-xvfb.sh" "$top/tests/support/with-dbus.sh" "$0" "$program" "$calls" "$seconds"
fi

scratch=$(mktemp -d /tmp/moorlet-status.XXXXXX)
trap 'kill "$pid" "${follower:-}" 2>/dev/null || true; rm -rf "$scratch"' EXIT
source "$top/tests/support/private-home.sh"
private_home "$scratch"

start_program "$program"

ticks_per_second=$(getconf CLK_TCK)
# The CPU seconds of this shell's finished children so far (the second line of `times`); read
# through a file, since a command substitution's subshell has children of its own.
# Call it directly, never inside $(…).
children_cpu() {
  times >"$scratch/times"
  read -r "$1" < <(awk 'NR == 2 { gsub(/[ms]/, " "); print $1 * 60 + $2 + $3 * 60 + $4 }' "$scratch/times")
}
# loop_cpu VARIABLE COMMAND…: the CPU seconds of $calls runs of COMMAND.
loop_cpu() {
  local variable=$1 before after
  shift
  children_cpu before
  for _ in $(seq "$calls"); do "$@" >/dev/null; done
  children_cpu after
  printf -v "$variable" '%s' "$(awk -v a="$after" -v b="$before" 'BEGIN { print a - b }')"
}
loop_cpu with_status env -u DISPLAY "$program" --status
loop_cpu baseline env -u DISPLAY true
per_call_ms=$(awk -v s="$with_status" -v b="$baseline" -v n="$calls" 'BEGIN { printf "%.2f", (s - b) / n * 1000 }')
peak_kb=$( { /usr/bin/time -f '%M' env -u DISPLAY "$program" --status >/dev/null; } 2>&1)

missed=0
verdict=ok
awk -v m="$per_call_ms" 'BEGIN { exit !(m >= 10) }' && { verdict=MISSED; missed=1; }
printf 'one-shot --status     cpu %6s ms per call (target < 10 ms)   peak RSS %6.1f MB   %s\n' \
  "$per_call_ms" "$(awk -v k="$peak_kb" 'BEGIN { print k / 1024 }')" "$verdict"

"$program" --toggle
"$program" --status --follow >"$scratch/lines" &
follower=$!
sleep 1
start=$(awk '{ print $14 + $15 }' "/proc/$follower/stat")
sleep "$seconds"
end=$(awk '{ print $14 + $15 }' "/proc/$follower/stat")
rss_kb=$(awk '/^VmRSS:/ { print $2 }' "/proc/$follower/status")
percent=$(awk -v d=$((end - start)) -v hz="$ticks_per_second" -v s="$seconds" 'BEGIN { printf "%.3f", d / hz / s * 100 }')
verdict=ok
awk -v p="$percent" 'BEGIN { exit !(p > 0.1) }' && { verdict=MISSED; missed=1; }
printf 'status --follow       cpu %6s %% of one core (target <= 0.1 %%)   RSS %6.1f MB   %d lines in %d s   %s\n' \
  "$percent" "$(awk -v k="$rss_kb" 'BEGIN { print k / 1024 }')" "$(wc -l <"$scratch/lines")" "$((seconds + 1))" "$verdict"
exit $missed
