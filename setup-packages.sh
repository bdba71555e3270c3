#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Veloxa need,
# only those that are missing. Shared by ./run and ./test; with --list-only
# (when sourced by tools/check-packages.sh) it only defines the list.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-charts-dev qt6-svg-dev qt6-tools-dev libqt6opengl6-dev libgl-dev
  qt6-translations-l10n
  libgtest-dev libgmock-dev libbenchmark-dev clang libclang-rt-14-dev
  nlohmann-json3-dev libzip-dev libpugixml-dev libxlsxwriter-dev libx11-dev
  fonts-noto-cjk xvfb xauth
  poppler-utils xdotool
)
if [ "${1:-}" = "--list-only" ]; then return 0 2>/dev/null || exit 0; fi
# Only for making and checking the Debian package, not for building.
if [ "${1:-}" = "--packaging" ]; then
  packages+=(file dpkg-dev lintian desktop-file-utils appstream)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
