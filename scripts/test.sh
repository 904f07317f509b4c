#!/usr/bin/env bash
# Installs what is missing, builds with warnings as errors and runs every
# test suite through CTest.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh -DCMAKE_COMPILE_WARNING_AS_ERROR=ON
cd build
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)"
