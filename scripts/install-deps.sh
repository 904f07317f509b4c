#!/usr/bin/env bash
# Installs every Debian package DriveSim needs to build, test and run.
# Idempotent: packages already installed are left alone, and apt is not
# touched at all when nothing is missing.
set -euo pipefail

packages=(
  build-essential
  cmake
  ninja-build
  pkg-config
  qt6-base-dev
  qt6-l10n-tools
  qt6-tools-dev
  qt6-tools-dev-tools
  qt6-translations-l10n
  libgl-dev
  libgtest-dev
  libgmock-dev
  libbenchmark-dev
  fonts-liberation2
  fontconfig
  xvfb
  xauth
  xdotool
  x11-apps
  dpkg-dev
  file
  desktop-file-utils
  shared-mime-info
  appstream
  man-db
  groff-base
  poppler-utils
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg -s "$p" >/dev/null 2>&1; then
    missing+=("$p")
  fi
done

if [ "${#missing[@]}" -eq 0 ]; then
  exit 0
fi

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  sudo_cmd=(sudo)
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
