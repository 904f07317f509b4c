#!/usr/bin/env bash
# Configures and builds DriveSim into build/ (Release with debug info).
# Extra arguments go to cmake's configure step. DRIVESIM_TARGETS, when set,
# names the targets to build (all of them otherwise).
set -euo pipefail
cd "$(dirname "$0")/.."
generator=()
if command -v ninja >/dev/null 2>&1; then generator=(-G Ninja); fi
cmake -S . -B build "${generator[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
targets=()
for t in ${DRIVESIM_TARGETS:-}; do targets+=(--target "$t"); done
cmake --build build -j"$(nproc)" "${targets[@]}"
