#!/usr/bin/env bash
# Builds the fuzz targets with clang's libFuzzer and the address sanitizer in build-fuzz/, then
# runs each for the given number of seconds (default 600) on its corpus in tests/fuzz/<target>/.
# New inputs that reach new code are added to the corpus; a crash is written to
# tests/fuzz/<target>/crashes/, where the normal test suite replays it from then on.
#   scripts/fuzz.sh [seconds] [target...]      targets: catalogue intake
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-600}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(catalogue intake)

scripts/deps.sh
if ! command -v clang++ >/dev/null 2>&1 || ! compgen -G "/usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a" >/dev/null; then
  if [ "$(id -u)" -ne 0 ]; then
    echo "clang with libFuzzer is missing. Run: sudo apt-get install -y clang libclang-rt-dev"
    exit 1
  fi
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends clang libclang-rt-dev >/dev/null ||
    apt-get install -y -qq --no-install-recommends clang >/dev/null
fi

build=build-fuzz
if [ ! -f "$build/build.ninja" ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLK_FUZZ=ON \
    -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_CXX_FLAGS=-Wno-unused-command-line-argument \
    $(command -v ccache >/dev/null && echo -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake --build "$build" --target "${targets[@]/#/fuzz_}"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
for target in "${targets[@]}"; do
  corpus=tests/fuzz/$target
  mkdir -p "$corpus/crashes"
  echo "== fuzz_$target for ${seconds}s"
  # Qt runs without a display; the working files of the intake go to a folder of this run.
  QT_QPA_PLATFORM=offscreen LUMENKRAFT_WORK_DIR=$work/$target ASAN_OPTIONS=detect_leaks=0 \
    "$build/tests/fuzz_$target" "$corpus" -max_total_time="$seconds" -max_len=65536 \
    -rss_limit_mb=3072 -timeout=30 -artifact_prefix="$corpus/crashes/" -print_final_stats=1 ||
    status=$?
done
exit $status
