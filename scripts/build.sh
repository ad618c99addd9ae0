#!/usr/bin/env bash
# Configures and builds into build/ (or build-sanitize/ with --sanitize).
set -euo pipefail
cd "$(dirname "$0")/.."

build_dir=$(scripts/build-dir.sh "$@")
cmake_args=(-G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo)
if [ "${1:-}" = "--sanitize" ]; then
  cmake_args=(-G Ninja -DCMAKE_BUILD_TYPE=Debug -DENABLE_SANITIZERS=ON)
fi

if [ ! -f "$build_dir/build.ninja" ]; then
  cmake -S . -B "$build_dir" "${cmake_args[@]}"
fi
cmake --build "$build_dir"
