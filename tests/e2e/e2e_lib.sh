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

# Waits for the editor to end after it was told to close; it must end cleanly, with status 0 and
# no sanitizer report (in a sanitized build the leak check at exit takes a few seconds).
wait_for_exit() {
  local status=0
  for _ in $(seq 1 300); do
    if ! kill -0 "$APP_PID" 2>/dev/null; then
      wait "$APP_PID" || status=$?
      APP_PID=
      [ "$status" -eq 0 ] || fail "the editor ended with status $status: $(tail -n 30 "$E2E_ROOT/stderr.txt")"
      no_sanitizer_report
      return 0
    fi
    sleep 0.1
  done
  fail "the editor did not end"
}

no_sanitizer_report() {
  local report="ERROR: AddressSanitizer\|ERROR: LeakSanitizer\|runtime error:"
  if grep -q "$report" "$E2E_ROOT/stderr.txt"; then
    fail "sanitizer report: $(grep -m1 -A20 "$report" "$E2E_ROOT/stderr.txt")"
  fi
}

click_at() { xdotool mousemove "$1" "$2" click 1; sleep "${3:-0.3}"; }

screenshot() { import -window root "$ARTIFACTS/$1.png"; }

# Mean absolute difference of two pictures of one size, 0..1.
mean_difference() { # a b
  # compare exits non-zero whenever the pictures differ; only its number matters here.
  { compare -metric MAE "$1" "$2" null: 2>&1 || true; } | sed -n 's/.*(\(.*\)).*/\1/p'
}
expect_below() { # value limit what
  awk -v d="$1" -v l="$2" 'BEGIN { exit !(d != "" && d < l) }' || fail "$3 ($1, limit $2)"
}
expect_above() { # value limit what
  awk -v d="$1" -v l="$2" 'BEGIN { exit !(d != "" && d > l) }' || fail "$3 ($1, limit $2)"
}

grab_area() { # name geometry
  import -window root -crop "$2" +repage "$E2E_ROOT/$1.png"
}
# Centre of cell k of the thumbnail list: two columns on a 95-pixel pitch.
cell_x() { echo $((764 + 1 + 10 + 42 + ($1 % 2) * 95)); }
cell_y() { echo $((100 + 1 + 10 + 42 + ($1 / 2) * 95)); }
click_cell() { click_at "$(cell_x "$1")" "$(cell_y "$1")" "${2:-2}"; }

# The tab buttons start inactive after an intake and come back once every thumbnail is rendered.
TAB_GEOMETRY=63x29+761+59

# Takes a picture in through the load button, typing its path into the open dialog.
open_picture() { # path
  import -window root -crop "$TAB_GEOMETRY" +repage "$E2E_ROOT/tab-inactive.png"
  click_at 55 614 0.5
  local dialog
  dialog=$(timeout 20 xdotool search --sync --onlyvisible --name '^Open$' | head -n 1) ||
    fail "the open dialog did not appear"
  xdotool windowactivate --sync "$dialog" 2>/dev/null || xdotool windowfocus --sync "$dialog"
  sleep 0.5
  xdotool type --delay 20 "$1"
  sleep 0.3
  xdotool key Return
  sleep 1
  [ -z "$(xdotool search --onlyvisible --name '^Open$' 2>/dev/null)" ] || fail "the open dialog stayed open"
}

# Waits for the thumbnail run of the picture just opened: the thumbnails appear in the working
# folder, then the tabs come back.
wait_for_thumbnails() {
  local change
  for _ in $(seq 1 240); do
    if [ -d "$LUMENKRAFT_WORK_DIR/a" ]; then
      import -window root -crop "$TAB_GEOMETRY" +repage "$E2E_ROOT/tab-now.png"
      change=$(mean_difference "$E2E_ROOT/tab-inactive.png" "$E2E_ROOT/tab-now.png")
      if awk -v d="$change" 'BEGIN { exit !(d > 0.02) }'; then return 0; fi
    fi
    sleep 0.5
  done
  fail "the filter thumbnails were not finished in time"
}

cleanup() {
  [ -n "$APP_PID" ] && kill "$APP_PID" 2>/dev/null || true
  rm -rf "$E2E_ROOT"
}
trap cleanup EXIT
