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
# The leak check at the end runs as in the sanitized test suite (see tests/sanitizers/lsan.supp).
export LSAN_OPTIONS=suppressions=$PWD/tests/sanitizers/lsan.supp:use_tls=0:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1
export LK_BIN_DIR=$PWD/$build/bin LK_TEST_DATA=$PWD/tests/data LK_ARTIFACTS=$PWD/$build/tests/artifacts
xvfb-run -a -s "-screen 0 1280x800x24" bash tests/e2e/e2e_monkey.sh
