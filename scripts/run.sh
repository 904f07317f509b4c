#!/usr/bin/env bash
# Installs what is missing, builds and opens the simulator's window. Without
# a display the program says so in one line and points to drivesim-batch,
# which runs the simulation without a window.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
# Only the program itself: the tests and benchmarks are the test command's.
DRIVESIM_TARGETS=drivesim bash scripts/build.sh
exec ./build/src/ui/drivesim
