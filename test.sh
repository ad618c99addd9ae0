#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test.
#   ./test.sh              the normal build
#   ./test.sh --sanitize   address and undefined-behaviour sanitizers
set -euo pipefail
cd "$(dirname "$0")"
scripts/deps.sh
scripts/build.sh "$@"
build_dir=$(scripts/build-dir.sh "$@")
cd "$build_dir"
ctest --output-on-failure --timeout 600 -j2
