#!/usr/bin/env bash
# Installs what orbic40 needs to build and test on Debian 12. Safe to run again:
# packages already present are left alone.
set -euo pipefail

packages=(
  build-essential cmake pkg-config clang-format
  libhidapi-dev libudev-dev libcli11-dev nlohmann-json3-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  # the desktop program: Qt widgets, picture decoders, fonts, a headless X server
  qt6-base-dev qt6-qpa-plugins libgl-dev libgif-dev libpng-dev
  # keyboard layouts compiled without a display, for the key-position tests
  libxkbcommon-dev xkb-data
  fonts-liberation2 fonts-noto-cjk xvfb xauth
  # packaging: the Debian package and the checks of the desktop files
  dpkg-dev fakeroot file lintian desktop-file-utils appstream
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "==> All build dependencies are installed."
  exit 0
fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then
  sudo="sudo"
fi
echo "==> Installing: ${missing[*]}"
$sudo apt-get update
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
