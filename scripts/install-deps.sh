#!/usr/bin/env bash
# Installs the Debian 12 packages Plandor needs to build, run and test.
# Does nothing when everything is already there.
set -euo pipefail

PACKAGES=(
  libwxgtk3.2-dev libglu1-mesa-dev libcairo2-dev libgtest-dev libgmock-dev libbenchmark-dev
  cmake ninja-build g++ ccache clang-format
  xvfb xauth xdotool imagemagick fonts-dejavu-core libgl1-mesa-dri poppler-utils libxml2-utils
  cups-daemon cups-client libgtk-3-dev gettext locales
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  $SUDO apt-get update
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get -o DPkg::Lock::Timeout=600 install -y \
    --no-install-recommends "${missing[@]}"
fi

# The tests write files under a German locale to prove that files do not depend on it.
if ! locale -a 2>/dev/null | grep -qix 'de_DE.utf-\?8'; then
  echo "Generating the de_DE.UTF-8 locale"
  $SUDO sed -i 's/^# *\(de_DE.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^de_DE.UTF-8 UTF-8' /etc/locale.gen || echo 'de_DE.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
  $SUDO locale-gen
fi
