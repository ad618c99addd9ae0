#!/usr/bin/env bash
# A photo larger than its preview taken in through the open dialog, a filter, a light and a
# frame clicked on, Ctrl+S, the name typed into the save dialog: the file must be the full-size
# picture that lumenkraft-render exports with the same options, and carry the photo's camera.
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

mean_difference() { # a b
  { compare -metric MAE "$1" "$2" null: 2>&1 || true; } | sed -n 's/.*(\(.*\)).*/\1/p'
}
grab_area() { import -window root -crop "$2" +repage "$E2E_ROOT/$1.png"; }
cell_x() { echo $((764 + 1 + 10 + 42 + ($1 % 2) * 95)); }
cell_y() { echo $((100 + 1 + 10 + 42 + ($1 / 2) * 95)); }
click_cell() { click_at "$(cell_x "$1")" "$(cell_y "$1")" "${2:-2}"; }
type_into_dialog() { # title text
  local dialog
  dialog=$(timeout 20 xdotool search --sync --onlyvisible --name "$1" | head -n 1) ||
    fail "the dialog \"$1\" did not appear"
  xdotool windowactivate --sync "$dialog" 2>/dev/null || xdotool windowfocus --sync "$dialog"
  sleep 0.5
  xdotool key ctrl+a
  xdotool type --delay 20 "$2"
  sleep 0.3
  xdotool key Return
  sleep 1
}

start_editor
TAB_GEOMETRY=63x29+761+59
grab_area tab-inactive "$TAB_GEOMETRY"
click_at 55 614 0.5
type_into_dialog '^Open$' "$PHOTO"

THUMBS=$LUMENKRAFT_WORK_DIR/a
ready=
for _ in $(seq 1 240); do
  if [ -d "$THUMBS" ]; then
    grab_area tab-now "$TAB_GEOMETRY"
    if awk -v d="$(mean_difference "$E2E_ROOT/tab-inactive.png" "$E2E_ROOT/tab-now.png")" \
      'BEGIN { exit !(d > 0.02) }'; then ready=1; break; fi
  fi
  sleep 0.5
done
[ -n "$ready" ] || fail "the filter thumbnails were not finished in time"
mapfile -t NUMBERS < <(ls "$THUMBS" | sed -n 's/^\([0-9]*\)\.jpg$/\1/p' | sort -n)
FILTER=${NUMBERS[2]}

# The third filter, the first light, the first frame (the album page).
click_cell 2 3
click_at 867 73 1
click_cell 0 3
click_at 942 73 1
click_cell 0 3
screenshot export-look

# Ctrl+S: the save dialog proposes the stem before the first dot, in the photo's folder.
xdotool key ctrl+s
sleep 1
DIALOG=$(timeout 20 xdotool search --sync --onlyvisible --name '^Export$' | head -n 1) ||
  fail "the save dialog did not appear"
screenshot export-dialog
type_into_dialog '^Export$' "$EXPORTED"
[ -z "$(xdotool search --onlyvisible --name '^Export$' 2>/dev/null)" ] || fail "the save dialog stayed open"

for _ in $(seq 1 240); do
  [ -f "$EXPORTED" ] && break
  sleep 0.5
done
[ -f "$EXPORTED" ] || fail "nothing was exported"
sleep 1
screenshot export-done
kill -0 "$APP_PID" || fail "the editor ended while exporting"
[ "$(identify -format '%wx%h' "$EXPORTED")" = "1800x1200" ] || fail "the export is not full size"

# What the renderer exports with the same options.
"$RENDER" --filter "$FILTER" --light 1 --frame album "$PHOTO" "$E2E_ROOT/expected.jpg" >/dev/null ||
  fail "lumenkraft-render failed"
difference=$(mean_difference "$EXPORTED" "$E2E_ROOT/expected.jpg")
awk -v d="$difference" 'BEGIN { exit !(d != "" && d < 0.002) }' ||
  fail "the export differs from lumenkraft-render's ($difference)"
exiv2 -q -K Exif.Image.Model -P v "$EXPORTED" | grep -q "Test Camera 7" || fail "the camera was not kept"
[ "$(ls "$OUT_DIR")" = "harbour export.jpg" ] || fail "other files beside the export: $(ls "$OUT_DIR")"

click_at 20 18
wait_for_exit
echo "1 passed, 0 failed"
