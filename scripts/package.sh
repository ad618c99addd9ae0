#!/usr/bin/env bash
# Builds the editor and packs it as a Debian package: build/lumenkraft_<version>_<arch>.deb.
# Install it with  sudo apt-get install ./build/lumenkraft_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh
scripts/build.sh
cd build
cpack -G DEB
ls -1 "$PWD"/lumenkraft_*.deb
