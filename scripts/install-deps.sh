#!/usr/bin/env bash
# Installs the Debian 12 packages Plandor needs to build, run and test.
# Does nothing when everything is already there.
set -euo pipefail

PACKAGES=(
  libwxgtk3.2-dev libglu1-mesa-dev libcairo2-dev libgtest-dev libgmock-dev libbenchmark-dev
  cmake ninja-build g++ ccache clang-format
  xvfb xauth xdotool imagemagick fonts-dejavu-core libgl1-mesa-dri poppler-utils libxml2-utils
  cups-daemon cups-client libgtk-3-dev
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
echo "Installing: ${missing[*]}"
$SUDO apt-get update
DEBIAN_FRONTEND=noninteractive $SUDO apt-get -o DPkg::Lock::Timeout=600 install -y \
  --no-install-recommends "${missing[@]}"
