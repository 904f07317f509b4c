#!/usr/bin/env bash
# Installs what is missing, builds and starts the simulator.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
# Until the main window exists, the simulator runs without a window: the
# batch tool with the window's default inputs prints one CSV row per tick.
# Arguments are passed on to it (see drivesim-batch --help).
exec ./build/src/ui/drivesim-batch "$@"
