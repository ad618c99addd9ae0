#!/usr/bin/env bash
# Builds the tests that run threads (thumbnail workers, the hand-over of cells to the window's
# lists, report lines, intake, export, printing, batches and the edit history) with the thread sanitizer in build-tsan/ and runs them.
# Qt and ImageMagick are not instrumented; tests/sanitizers/tsan.supp names what of theirs the
# sanitizer cannot see through, and why.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh

# The artwork is drawn once by the normal build and copied: drawn under the sanitizer it takes
# half an hour and is not what this run looks at.
cmake --build "$(scripts/build-dir.sh)" --target lk_artwork 2>/dev/null || scripts/build.sh
build=build-tsan
if [ ! -f "$build/build.ninja" ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DENABLE_TSAN=ON \
    -DLK_ARTWORK_FROM="$PWD/$(scripts/build-dir.sh)/bin" -DLK_TEST_TIMEOUT=1800 \
    $(command -v ccache >/dev/null && echo -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
threaded='tst_(thumbnail_worker|report_lines|editor_intake|editor_panels|multiframe|intake_writes|window_guards|ui_intake|ui_thumblist|bad_pictures|export[a-z_]*|render_batch|print_job|history[a-z_]*|editing_tools)$'
targets=$(ninja -C "$build" -t targets all | sed -n 's/^\(tst_[a-z_]*\): phony$/\1/p' | grep -E "$threaded")
cmake --build "$build" --target lk_data lk_artwork lumenkraft-render $targets
cd "$build"
# Everything runs many times slower under the sanitizer; Qt Test would give up on a test function
# after five minutes.
export QTEST_FUNCTION_TIMEOUT=1800000
# Some tests start programs from a process that already runs threads (fork, then exec).
TSAN_OPTIONS="suppressions=$PWD/../tests/sanitizers/tsan.supp halt_on_error=1 second_deadlock_stack=1 die_after_fork=0" \
  ctest --output-on-failure --timeout 1800 -R "$threaded"
