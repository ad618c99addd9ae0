#!/usr/bin/env bash
# Undo and redo in the real window: a filter and a quarter turn, taken back with Ctrl+Z twice,
# leave the view as it was before either; Ctrl+Y brings the filter back. A half-strength
# filter shows halfway between the two.
source "$(dirname "$0")/e2e_lib.sh"

PHOTO="$E2E_ROOT/photo.jpg"
convert "${LK_TEST_DATA:?}/chelsea.png" -quality 92 "$PHOTO"
VIEW=700x500+10+60

start_editor
open_picture "$PHOTO"
wait_for_thumbnails
grab_area untouched "$VIEW"

# Filter 3 of the list, then a quarter turn.
click_cell 2 3
grab_area filtered "$VIEW"
expect_above "$(mean_difference "$E2E_ROOT/untouched.png" "$E2E_ROOT/filtered.png")" 0.01 "the filter changed nothing"
xdotool key r
sleep 1.5
grab_area turned "$VIEW"
screenshot undo-turned
expect_above "$(mean_difference "$E2E_ROOT/filtered.png" "$E2E_ROOT/turned.png")" 0.01 "the turn changed nothing"

# Two steps back: the view is the untouched picture again.
xdotool key ctrl+z
sleep 1
grab_area back1 "$VIEW"
expect_below "$(mean_difference "$E2E_ROOT/filtered.png" "$E2E_ROOT/back1.png")" 0.002 "one step back is not the filtered picture"
xdotool key ctrl+z
sleep 1
grab_area back2 "$VIEW"
screenshot undo-back
expect_below "$(mean_difference "$E2E_ROOT/untouched.png" "$E2E_ROOT/back2.png")" 0.002 "two steps back is not the untouched picture"

# One step forward: the filter again, from what the editor kept.
xdotool key ctrl+y
sleep 1
grab_area forward "$VIEW"
expect_below "$(mean_difference "$E2E_ROOT/filtered.png" "$E2E_ROOT/forward.png")" 0.002 "redo did not bring the filter back"

# Five steps down with "[": the filter at half strength lies between the two pictures.
for _ in 1 2 3 4 5; do xdotool key bracketleft; sleep 0.2; done
sleep 0.5
grab_area half "$VIEW"
screenshot undo-half-strength
convert "$E2E_ROOT/untouched.png" "$E2E_ROOT/filtered.png" -evaluate-sequence mean "$E2E_ROOT/half-expected.png"
expect_below "$(mean_difference "$E2E_ROOT/half-expected.png" "$E2E_ROOT/half.png")" 0.004 "half strength is not halfway"
kill -0 "$APP_PID" || fail "the editor ended"

click_at 20 18
wait_for_exit
echo "1 passed, 0 failed"
