#!/usr/bin/env bash
# Installs what the project needs (as root, on Debian 12), configures, builds and runs every test,
# then runs the same suite again in a Clang build with AddressSanitizer and
# UndefinedBehaviorSanitizer, the audio thread tests under ThreadSanitizer, and every fuzz target
# for 30 seconds. Each stage prints how long it took.
# Usage: sudo scripts/test.sh            (build folders: build/, build-asan/, build-tsan/)
#        MOORLET_QUICK=1 scripts/test.sh  (the first build and suite only)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"

stage() {
  local name=$1 started=$SECONDS
  shift
  "$@"
  echo "stage $name: $((SECONDS - started)) s"
}

stage dependencies bash scripts/install-deps.sh

build=${MOORLET_BUILD_DIR:-build}
jobs=$(nproc 2>/dev/null || echo 2)
launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
# Optimised without debug information: debug information doubles the compile time of the
# heavier translation units, and the test run needs none.
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" \
  -DMOORLET_WERROR=ON -DBUILD_TESTING=ON -DMOORLET_BUILD_BENCHMARKS=ON "${launcher[@]}"
stage build cmake --build "$build" --parallel "$jobs"
# Each test is its own process; slow ones (X11, D-Bus) start their own display and bus.
stage tests ctest --test-dir "$build" --output-on-failure --parallel "$jobs" --timeout 600

if [[ -n ${MOORLET_QUICK:-} ]]; then
  exit 0
fi

# The same suite built by Clang (so an argument order g++ happens to get right fails here too)
# with AddressSanitizer and UndefinedBehaviorSanitizer: a leak, an overflow or undefined
# behaviour ends the test that meets it. -O1 keeps the build and the run fast enough.
asan=build-asan
CC=clang CXX=clang++ cmake -S . -B "$asan" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O1" \
  -DMOORLET_SANITIZE=address,undefined -DMOORLET_FUZZ=ON -DMOORLET_WERROR=ON -DBUILD_TESTING=ON -DMOORLET_BUILD_BENCHMARKS=OFF \
  "${launcher[@]}"
stage sanitizer-build cmake --build "$asan" --parallel "$jobs"
source scripts/sanitizer-env.sh
stage sanitizer-tests ctest --test-dir "$asan" --output-on-failure --parallel "$jobs" --timeout 900

# ThreadSanitizer over the tests where the audio thread and the main thread hand voices, cues
# and buffers to each other.
tsan=build-tsan
thread_tests=(AudioMixerTest SdlAudioOutputTest SoundEffectsTest)
CC=clang CXX=clang++ cmake -S . -B "$tsan" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O1" \
  -DMOORLET_SANITIZE=thread -DMOORLET_WERROR=ON -DBUILD_TESTING=ON -DMOORLET_BUILD_BENCHMARKS=OFF "${launcher[@]}"
stage thread-build cmake --build "$tsan" --parallel "$jobs" --target "${thread_tests[@]}"
stage thread-tests ctest --test-dir "$tsan" --output-on-failure --timeout 600 \
  -R "^($(IFS='|'; echo "${thread_tests[*]}"))\$"

stage fuzz bash scripts/fuzz.sh 30 "$asan"
