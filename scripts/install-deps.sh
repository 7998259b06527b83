#!/usr/bin/env bash
# Installs the Debian packages the build, the program and the tests need, when any is missing.
set -euo pipefail
PKGS=(build-essential cmake pkg-config qt6-base-dev qt6-base-dev-tools qt6-charts-dev
      libqt6sql6-sqlite libqt6sql6-psql libqt6svg6 libqt6opengl6-dev libgl-dev libsqlite3-dev libsodium-dev
      libfreexl-dev libxlsxwriter-dev libminizip-dev fonts-noto-cjk postgresql xvfb xauth
      poppler-utils)
missing=()
for p in "${PKGS[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  if [ "$(id -u)" -ne 0 ]; then SUDO=sudo; else SUDO=; fi
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
