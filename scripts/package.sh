#!/usr/bin/env bash
# Installs what is missing, builds DriveSim and makes its Debian package,
# build/drivesim_<version>_<arch>.deb, then checks the package (fields,
# dependencies, file list, desktop entry, metadata, manual pages) without
# installing it. Install it with: sudo apt install ./build/drivesim_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
rm -f build/drivesim_*.deb
(cd build && cpack -G DEB)
deb=$(ls build/drivesim_*.deb)
bash scripts/check-package.sh "$deb"
echo "Package: $deb"
