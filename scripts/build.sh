#!/usr/bin/env bash
# Configures and builds DriveSim into build/ (Release with debug info).
# Extra arguments go to cmake's configure step.
set -euo pipefail
cd "$(dirname "$0")/.."
generator=()
if command -v ninja >/dev/null 2>&1; then generator=(-G Ninja); fi
cmake -S . -B build "${generator[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
cmake --build build -j"$(nproc)"
