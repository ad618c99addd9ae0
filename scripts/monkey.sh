#!/usr/bin/env bash
# The long monkey run: the address- and undefined-behaviour-sanitized editor under Xvfb takes a
# seeded random sequence of input events (default 2000) and must not crash, hang or end with
# its controls disabled.
#   scripts/monkey.sh [events] [seed]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh --sanitize
build=$(scripts/build-dir.sh --sanitize)
export MONKEY_EVENTS=${1:-2000}
[ -n "${2:-}" ] && export MONKEY_SEED=$2
# Leaks of the toolkit's and the image library's caches at exit are not this run's subject.
export ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1
export LK_BIN_DIR=$PWD/$build/bin LK_TEST_DATA=$PWD/tests/data LK_ARTIFACTS=$PWD/$build/tests/artifacts
xvfb-run -a -s "-screen 0 1280x800x24" bash tests/e2e/e2e_monkey.sh
