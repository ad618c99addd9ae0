# Helpers for the end-to-end tests: each runs the real editor in an Xvfb server and drives it
# with xdotool. Sourced by the test scripts; they run inside xvfb-run.
set -euo pipefail

BIN_DIR=${LK_BIN_DIR:?}
ARTIFACTS=${LK_ARTIFACTS:-$PWD/artifacts}
mkdir -p "$ARTIFACTS"

# A private home, data folder and working folder for this run.
E2E_ROOT=$(mktemp -d)
export HOME=$E2E_ROOT/home XDG_DATA_HOME=$E2E_ROOT/data XDG_CACHE_HOME=$E2E_ROOT/cache
export LUMENKRAFT_WORK_DIR=$E2E_ROOT/work
unset QT_QPA_PLATFORM
mkdir -p "$HOME" "$LUMENKRAFT_WORK_DIR"
LOG_FILE=$XDG_DATA_HOME/lumenkraft/lumenkraft.log
APP_PID=

fail() { echo "FAIL: $*" >&2; exit 1; }

start_editor() {
  "$BIN_DIR/lumenkraft" >"$E2E_ROOT/stdout.txt" 2>"$E2E_ROOT/stderr.txt" &
  APP_PID=$!
  WINDOW=$(timeout 30 xdotool search --sync --onlyvisible --name '^Lumenkraft$' | head -n 1) ||
    fail "the editor window did not appear"
  sleep 0.5
}

wait_for_exit() {
  for _ in $(seq 1 100); do
    kill -0 "$APP_PID" 2>/dev/null || { wait "$APP_PID" || true; return 0; }
    sleep 0.1
  done
  kill "$APP_PID" 2>/dev/null || true
  fail "the editor did not end"
}

click_at() { xdotool mousemove "$1" "$2" click 1; sleep "${3:-0.3}"; }

screenshot() { import -window root "$ARTIFACTS/$1.png"; }

cleanup() {
  [ -n "$APP_PID" ] && kill "$APP_PID" 2>/dev/null || true
  rm -rf "$E2E_ROOT"
}
trap cleanup EXIT
