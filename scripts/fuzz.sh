#!/usr/bin/env bash
# Runs every fuzz target of a sanitizer build for a while, each from its seed folders, and fails
# on any finding (a crash, a sanitizer report, a leak, a timeout or running out of memory).
# Usage: scripts/fuzz.sh [seconds per target, default 30] [build folder, default build-asan]
# Prints one line per target: "fuzz <target>: <executions> executions in <seconds> s, <findings>".
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"

seconds=${1:-30}
build=${2:-build-asan}
work="$build/fuzz-work"
source scripts/sanitizer-env.sh

status=0
for seeds in "$build"/tests/fuzz/*.seeds; do
  name=$(basename "$seeds" .seeds)
  corpus="$work/$name/corpus"
  mkdir -p "$corpus"
  folders=()
  while IFS= read -r folder; do
    [[ -d $folder ]] && folders+=("$folder")
  done < "$seeds"
  log="$work/$name.log"
  # Each input is small; a decode of a few kilobytes that runs for seconds is itself a finding.
  if "$build/tests/fuzz/$name" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -print_final_stats=1 -artifact_prefix="$work/$name/" "$corpus" "${folders[@]}" >"$log" 2>&1; then
    findings="no findings"
  else
    findings="FINDING (see $log)"
    status=1
    tail -n 60 "$log" >&2
  fi
  executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  echo "fuzz $name: ${executions:-0} executions in $seconds s, $findings"
done
exit $status
