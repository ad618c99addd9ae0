#!/usr/bin/env bash
# A photo larger than its preview taken in through the open dialog, a filter, a light and a
# frame clicked on, turned and mirrored, Ctrl+S, the name typed into the save dialog: the file
# must be the full-size picture that lumenkraft-render exports with the same options, and carry
# the photo's camera.
source "$(dirname "$0")/e2e_lib.sh"

RENDER=$BIN_DIR/lumenkraft-render
[ -x "$RENDER" ] || fail "lumenkraft-render is not built"
command -v exiv2 >/dev/null || fail "exiv2 is not installed"

# 1800 x 1200 under a 1000 x 666 preview, with a camera in its EXIF.
PHOTO=$E2E_ROOT/harbour.day.jpg
convert "${LK_TEST_DATA:?}/coffee.png" -resize 300% -quality 92 "$PHOTO"
exiv2 -q -M"set Exif.Image.Make Lumenkraft Optics" -M"set Exif.Image.Model Test Camera 7" "$PHOTO"
OUT_DIR=$E2E_ROOT/exports
mkdir -p "$OUT_DIR"
EXPORTED="$OUT_DIR/harbour export.jpg"

cell_x() { echo $((764 + 1 + 10 + 42 + ($1 % 2) * 95)); }
cell_y() { echo $((100 + 1 + 10 + 42 + ($1 / 2) * 95)); }
click_cell() { click_at "$(cell_x "$1")" "$(cell_y "$1")" "${2:-2}"; }
save_as() { # path
  local dialog
  dialog=$(timeout 20 xdotool search --sync --onlyvisible --name '^Export$' | head -n 1) ||
    fail "the save dialog did not appear"
  screenshot export-dialog
  xdotool windowactivate --sync "$dialog" 2>/dev/null || xdotool windowfocus --sync "$dialog"
  sleep 0.5
  # The proposed name is selected; what is typed replaces it.
  xdotool key ctrl+a
  xdotool type --delay 20 "$1"
  sleep 0.3
  xdotool key Return
  sleep 1
  [ -z "$(xdotool search --onlyvisible --name '^Export$' 2>/dev/null)" ] || fail "the save dialog stayed open"
}

start_editor
open_picture "$PHOTO"
wait_for_thumbnails
mapfile -t NUMBERS < <(ls "$LUMENKRAFT_WORK_DIR/a" | sed -n 's/^\([0-9]*\)\.jpg$/\1/p' | sort -n)
FILTER=${NUMBERS[2]}

# The third filter, the first light, the first frame (the album page); one press of Rotate
# and the left-to-right mirror.
click_cell 2 3
click_at 867 73 1
click_cell 0 3
click_at 942 73 1
click_cell 0 3
click_at 495 614 2
click_at 527 614 0.5
screenshot export-look

xdotool key ctrl+s
sleep 1
save_as "$EXPORTED"

for _ in $(seq 1 240); do
  [ -f "$EXPORTED" ] && break
  sleep 0.5
done
[ -f "$EXPORTED" ] || fail "nothing was exported"
sleep 1
screenshot export-done
kill -0 "$APP_PID" || fail "the editor ended while exporting"
[ "$(identify -format '%wx%h' "$EXPORTED")" = "1200x1800" ] || fail "the export is not full size and turned"

# What the renderer exports with the same options.
"$RENDER" --filter "$FILTER" --light 1 --frame album --rotate 270 --flip-h "$PHOTO" "$E2E_ROOT/expected.jpg" >/dev/null ||
  fail "lumenkraft-render failed"
expect_below "$(mean_difference "$EXPORTED" "$E2E_ROOT/expected.jpg")" 0.002 \
  "the export differs from lumenkraft-render's"
exiv2 -q -K Exif.Image.Model -P v "$EXPORTED" | grep -q "Test Camera 7" || fail "the camera was not kept"
[ "$(ls "$OUT_DIR")" = "harbour export.jpg" ] || fail "other files beside the export: $(ls "$OUT_DIR")"

click_at 20 18
wait_for_exit
echo "1 passed, 0 failed"
