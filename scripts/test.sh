#!/usr/bin/env bash
# Installs what is missing, builds with warnings as errors and runs every
# test suite through CTest; then builds the whole suite again with
# AddressSanitizer and UndefinedBehaviorSanitizer (build-asan/) and runs it
# there too.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh -DCMAKE_COMPILE_WARNING_AS_ERROR=ON
(cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)")

# The sanitizer build: -O1 with line tables only, which halves its compile
# time and still names every frame of a report; no benchmarks. Each target
# is compiled as one unity file, which takes less than half the time of
# its files one by one (headers, templates and inline code made once per
# target, not once per file). That hides nothing: the build above compiled
# every file on its own includes, and this one is there to run the tests.
generator=()
if command -v ninja >/dev/null 2>&1; then generator=(-G Ninja); fi
cmake -S . -B build-asan "${generator[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1 -DNDEBUG" -DDRIVESIM_SANITIZE=ON \
  -DDRIVESIM_BUILD_BENCH=OFF -DCMAKE_COMPILE_WARNING_AS_ERROR=ON \
  -DCMAKE_UNITY_BUILD=ON -DCMAKE_UNITY_BUILD_BATCH_SIZE=0 >/dev/null
cmake --build build-asan -j"$(nproc)"
(cd build-asan && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)")
