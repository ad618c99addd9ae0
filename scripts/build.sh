#!/usr/bin/env bash
# Configures and builds into build/ (or build-sanitize/ with --sanitize).
#   scripts/build.sh              everything the tests need: programs, data, tests
#   scripts/build.sh --programs   only the two programs and their data, as ./run.sh needs them
#   scripts/build.sh --sanitize   everything, with the address and undefined-behaviour sanitizers
# Benchmarks build on demand: cmake --build build --target benchmarks
set -euo pipefail
cd "$(dirname "$0")/.."

build_dir=$(scripts/build-dir.sh "$@")
cmake_args=(-G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo)
if [ "${1:-}" = "--sanitize" ]; then
  cmake_args=(-G Ninja -DCMAKE_BUILD_TYPE=Debug -DENABLE_SANITIZERS=ON)
fi
# Rebuilds of several checkouts share one compiler cache when the machine has one.
if command -v ccache >/dev/null 2>&1; then
  cmake_args+=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi

if [ ! -f "$build_dir/build.ninja" ]; then
  cmake -S . -B "$build_dir" "${cmake_args[@]}"
fi
if [ "${1:-}" = "--programs" ]; then
  cmake --build "$build_dir" --target lumenkraft lumenkraft-render lk_data lk_artwork lk_icons
else
  cmake --build "$build_dir"
fi
