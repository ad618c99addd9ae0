#!/usr/bin/env bash
# Installs the Debian packages the editor, its tests, its benchmarks and its Debian package need.
# As root it installs what is missing; otherwise it prints the one line to run.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-image-formats-plugins
  libmagickwand-6.q16-dev zlib1g-dev
  fonts-liberation
  xvfb xauth xdotool x11-utils imagemagick
  libjpeg-turbo-progs poppler-utils
  libexiv2-dev exiv2
  libbenchmark-dev
  dpkg-dev file desktop-file-utils appstream
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  echo "Missing packages. Run this once, then try again:"
  echo "  sudo apt-get update && sudo apt-get install -y ${missing[*]}"
  exit 1
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
