#!/usr/bin/env bash
# Installs the Debian 12 packages needed to build, run and test ZRN.
set -euo pipefail
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
PKGS=(
  build-essential cmake ninja-build ccache pkg-config
  file dpkg-dev
  qtbase5-dev qtbase5-dev-tools qttools5-dev qttools5-dev-tools qtwebengine5-dev libqt5webchannel5-dev libqt5sql5-sqlite libqt5sql5-mysql libqt5svg5
  libsqlite3-dev libcrypt-dev libical-dev libical3 tzdata
  mariadb-server mariadb-client
  qttranslations5-l10n unzip zip libjs-leaflet
  xvfb xauth fonts-dejavu-core
)
missing=()
for p in "${PKGS[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update
  $SUDO apt-get install -y "${missing[@]}"
fi
