#!/usr/bin/env bash
# Installs what the project needs (as root, on Debian 12), configures, builds and runs every test.
# Usage: sudo scripts/test.sh            (build folder: build/)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"

bash scripts/install-deps.sh

build=${MOORLET_BUILD_DIR:-build}
jobs=$(nproc 2>/dev/null || echo 2)
# Optimised without debug information: debug information doubles the compile time of the
# heavier translation units, and the test run needs none.
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" \
  -DMOORLET_WERROR=ON -DBUILD_TESTING=ON -DMOORLET_BUILD_BENCHMARKS=ON
cmake --build "$build" --parallel "$jobs"
# Each test is its own process; slow ones (X11, D-Bus) start their own display and bus.
ctest --test-dir "$build" --output-on-failure --parallel "$jobs" --timeout 600
