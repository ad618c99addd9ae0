#!/usr/bin/env bash
# The editor opens a 1000 x 650 window at the top-left corner, and the close button ends it,
# removes the working files and logs the end lines.
source "$(dirname "$0")/e2e_lib.sh"

mkdir -p "$LUMENKRAFT_WORK_DIR/a" "$LUMENKRAFT_WORK_DIR/b"
touch "$LUMENKRAFT_WORK_DIR/newfile1.jpg" "$LUMENKRAFT_WORK_DIR/save_rot0.jpg" "$LUMENKRAFT_WORK_DIR/a/1.jpg"

start_editor
geometry=$(xwininfo -id "$WINDOW")
echo "$geometry" | grep -q "Width: 1000" || fail "window width: $geometry"
echo "$geometry" | grep -q "Height: 650" || fail "window height: $geometry"
echo "$geometry" | grep -q "Absolute upper-left X:  0" || fail "window x: $geometry"
echo "$geometry" | grep -q "Absolute upper-left Y:  0" || fail "window y: $geometry"
screenshot start-window

grep -q "^the system time is: " "$LOG_FILE" || fail "no start line in the log"
grep -q "^start time: -\?[0-9]* ms$" "$LOG_FILE" || fail "no start time in the log"

click_at 20 18
wait_for_exit

[ ! -e "$LUMENKRAFT_WORK_DIR/newfile1.jpg" ] || fail "newfile1.jpg survived the close button"
[ ! -e "$LUMENKRAFT_WORK_DIR/save_rot0.jpg" ] || fail "save_rot0.jpg survived the close button"
[ ! -d "$LUMENKRAFT_WORK_DIR/a" ] || fail "folder a survived the close button"
[ ! -d "$LUMENKRAFT_WORK_DIR/b" ] || fail "folder b survived the close button"
grep -q "^end time: -\?[0-9]* ms$" "$LOG_FILE" || fail "no end line in the log"
grep -q "^time:[0-9]* ms$" "$LOG_FILE" || fail "no run time in the log"
echo "1 passed, 0 failed"
