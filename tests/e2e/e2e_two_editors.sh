#!/usr/bin/env bash
# Two editors at once keep their working files apart, and closing one leaves the other's; the
# folders of killed editors are emptied or removed at the next start, never piling up.
source "$(dirname "$0")/e2e_lib.sh"

WORK=$LUMENKRAFT_WORK_DIR

launch() { # picture...; sets PID and WIN
  "$BIN_DIR/lumenkraft" "$@" >>"$E2E_ROOT/stdout.txt" 2>>"$E2E_ROOT/stderr.txt" &
  PID=$!
  WIN=$(timeout 30 xdotool search --sync --onlyvisible --pid "$PID" | head -n 1) ||
    fail "the editor window did not appear"
  sleep 0.5
}

has_picture_files() { # folder
  compgen -G "$1/newfile*.jpg" >/dev/null && [ -d "$1/a" ]
}

wait_for_picture_files() { # folder
  for _ in $(seq 1 120); do
    has_picture_files "$1" && return 0
    sleep 0.5
  done
  fail "no working files of a picture in $1"
}

ended() { # pid
  for _ in $(seq 1 100); do
    kill -0 "$1" 2>/dev/null || return 0
    sleep 0.1
  done
  return 1
}

launch "$LK_TEST_DATA/coffee.png"
FIRST_PID=$PID FIRST_WIN=$WIN
APP_PID=$FIRST_PID
wait_for_picture_files "$WORK"
launch "$LK_TEST_DATA/chelsea.png"
SECOND_PID=$PID SECOND_WIN=$WIN
wait_for_picture_files "$WORK-2"
sleep 2

# The second editor's close button; the first one's files stay.
xdotool windowraise "$SECOND_WIN"
sleep 0.3
click_at 20 18
ended "$SECOND_PID" || fail "the second editor did not end"
! has_picture_files "$WORK-2" || fail "the second editor left its files"
has_picture_files "$WORK" || fail "closing the second editor removed the first one's files"
timeout 2 xdotool getwindowname "$FIRST_WIN" >/dev/null || fail "the first editor stopped answering"

# Both killed, one after the other with a picture open.
launch "$LK_TEST_DATA/chelsea.png"
THIRD_PID=$PID
wait_for_picture_files "$WORK-2"
sleep 2
kill -9 "$THIRD_PID" "$FIRST_PID"
ended "$THIRD_PID" && ended "$FIRST_PID" || fail "kill did not end the editors"

# The next editor takes the first folder over, empty, and the other one goes.
launch
APP_PID=$PID
sleep 1
! has_picture_files "$WORK" || fail "a killed editor's files were left in the folder taken over"
[ ! -e "$WORK-2" ] || fail "a killed editor's folder was left: $(ls "$WORK-2")"
folders=$(find "$(dirname "$WORK")" -maxdepth 1 -type d -name "$(basename "$WORK")*" | wc -l)
[ "$folders" -eq 1 ] || fail "$folders working folders for one editor"
click_at 20 18
wait_for_exit
echo "1 passed, 0 failed"
