#!/usr/bin/env bash
# The tool buttons along the bottom of the window, driven as a person would: a crop box drawn
# with the mouse and committed, a quarter turn, both mirrors, the before/after view and two
# random looks.
source "$(dirname "$0")/e2e_lib.sh"

WORK=$LUMENKRAFT_WORK_DIR
# A 2000 x 1000 photo is drawn 700 x 350 at (10, 135): 10/7 preview pixels and 20/7 full-size
# pixels per screen pixel.
PHOTO="$E2E_ROOT/wide photo.jpg"
convert "${LK_TEST_DATA:?}/rocket.jpg" -resize 2000x1000\! -quality 92 "$PHOTO"

size_of() { identify -format '%wx%h' "$1" 2>/dev/null || echo missing; }
grab() { # name geometry
  import -window root -crop "$2" +repage "$E2E_ROOT/$1.png"
}
# Waits until the file exists with the size given.
wait_for_size() { # path size what
  for _ in $(seq 1 60); do
    [ "$(size_of "$1")" = "$2" ] && return 0
    sleep 0.25
  done
  fail "$3: $(size_of "$1"), expected $2"
}
work_listing() { find "$WORK" -type f -printf '%p %s %T@\n' | sort; }
VIEW=700x500+10+60

start_editor
open_picture "$PHOTO"
wait_for_thumbnails

# Crop: the tool opens, a box is dragged from (110, 185) to (410, 385), and Ok cuts it.
click_at 107 614 0.5
xdotool mousemove 110 185 mousedown 1
for step in 1 2 3 4 5; do
  xdotool mousemove $((110 + step * 60)) $((185 + step * 40))
  sleep 0.05
done
xdotool mouseup 1
sleep 0.3
screenshot tools-crop-box
click_at 390 614 1
wait_for_size "$WORK/a/new.jpg" 428x285 "the preview cut does not match the box"
[ ! -e "$WORK/a/source_cut.jpg" ] || fail "the full-size cut was written, though only the export needs it"
screenshot tools-cropped

# A quarter turn counter-clockwise writes the turned cut.
click_at 495 614 1
wait_for_size "$WORK/save.jpg" 285x428 "the turned picture"
grab turned "$VIEW"
screenshot tools-turned

# Mirrors change the view and write nothing; mirrored twice, the view is as it was.
before=$(work_listing)
click_at 527 614 0.5
click_at 563 614 0.5
grab mirrored "$VIEW"
screenshot tools-mirrored
[ "$(work_listing)" = "$before" ] || fail "mirroring wrote files"
expect_above "$(mean_difference "$E2E_ROOT/turned.png" "$E2E_ROOT/mirrored.png")" 0.01 "mirroring changed nothing"
click_at 527 614 0.5
click_at 563 614 0.5
grab unmirrored "$VIEW"
expect_below "$(mean_difference "$E2E_ROOT/turned.png" "$E2E_ROOT/unmirrored.png")" 0.005 "mirrored twice is not the view as it was"

# The before/after view: the turned cut (285 x 428) stands 400 pixels high in each half, the
# gap between the halves shows no picture. It stays until the second press.
convert "$WORK/save.jpg" -resize 266x400\! "$E2E_ROOT/half-expected.png"
click_at 641 614 0.5
xdotool mousemove 450 645
sleep 1
grab left 266x400+42+110
grab right 266x400+382+110
grab gap 40x300+320+150
screenshot tools-compare
expect_below "$(mean_difference "$E2E_ROOT/left.png" "$E2E_ROOT/half-expected.png")" 0.05 "the left half does not show the picture"
expect_below "$(mean_difference "$E2E_ROOT/right.png" "$E2E_ROOT/half-expected.png")" 0.05 "the right half does not show the picture"
convert "$E2E_ROOT/turned.png" -crop 40x300+310+90 +repage "$E2E_ROOT/gap-before.png"
expect_above "$(mean_difference "$E2E_ROOT/gap.png" "$E2E_ROOT/gap-before.png")" 0.02 "the picture still fills the gap"
click_at 641 614 0.5
grab compared "$VIEW"
expect_below "$(mean_difference "$E2E_ROOT/turned.png" "$E2E_ROOT/compared.png")" 0.005 "the second press did not end the before/after view"

# Two random looks in quick succession: each puts a different look on the picture.
click_at 689 614 3
grab random1 "$VIEW"
screenshot tools-random1
click_at 689 614 3
grab random2 "$VIEW"
screenshot tools-random2
expect_above "$(mean_difference "$E2E_ROOT/turned.png" "$E2E_ROOT/random1.png")" 0.005 "the random look changed nothing"
expect_above "$(mean_difference "$E2E_ROOT/random1.png" "$E2E_ROOT/random2.png")" 0.005 "two random looks were the same"
kill -0 "$APP_PID" || fail "the editor ended"

click_at 20 18
wait_for_exit
echo "1 passed, 0 failed"
