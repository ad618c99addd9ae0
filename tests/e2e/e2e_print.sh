#!/usr/bin/env bash
# A real photo with a look and a frame, printed at the default page set-up through the print
# dialog and Qt's own print dialog into a PDF file: the preview shows the framed look, and the
# page holds it whole inside the margins, at the place the preview shows. The PDF is kept in the
# artifacts beside the screenshots.
source "$(dirname "$0")/e2e_lib.sh"

# A photo larger than the picture the editor shows, so a sharp print can tell the two apart.
PHOTO=$E2E_ROOT/coffee-2400.png
convert "${LK_TEST_DATA:?}/coffee.png" -resize 2400x1600\! "$PHOTO"
FIT_GEOMETRY=700x467+10+76
PDF=$HOME/Lumenkraft.pdf

start_editor
open_picture "$PHOTO"
wait_for_thumbnails

# A filter, then the first frame over it.
click_cell 2 3
grab_area look "$FIT_GEOMETRY"
click_at 942 73 1
click_cell 0 3
grab_area framed "$FIT_GEOMETRY"
expect_above "$(mean_difference "$E2E_ROOT/look.png" "$E2E_ROOT/framed.png")" 0.002 "the frame is not shown"

# The print button opens the print dialog.
click_at 826 24 1
DIALOG=$(timeout 20 xdotool search --sync --onlyvisible --name '^Print$' | head -n 1) ||
  fail "the print dialog did not appear"
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$DIALOG")"
DX=$X DY=$Y
screenshot print-dialog

# A4 portrait, 10 mm margins: the 3:2 photo spans the printable width, (124, 186)-(495, 433) of
# the dialog. Two pixels in from the edges, clear of the dashed margin line.
grab_area preview "367x243+$((DX + 126))+$((DY + 188))"
for shot in look framed; do
  convert "$E2E_ROOT/$shot.png" -resize 371x247\! -crop 367x243+2+2 +repage "$E2E_ROOT/$shot-small.png"
done
to_framed=$(mean_difference "$E2E_ROOT/preview.png" "$E2E_ROOT/framed-small.png")
to_look=$(mean_difference "$E2E_ROOT/preview.png" "$E2E_ROOT/look-small.png")
expect_below "$to_framed" 0.06 "the preview does not show the framed look"
expect_below "$to_framed" "$to_look" "the preview does not show the frame"

# Print, then Qt's print dialog: with no printer it offers a PDF file, named after the document.
click_at $((DX + 677)) $((DY + 22)) 1
QT_DIALOG=
for _ in $(seq 1 40); do
  QT_DIALOG=$(xdotool search --onlyvisible --name '^Print$' 2>/dev/null | grep -vx "$DIALOG" | head -n 1) || true
  [ -n "$QT_DIALOG" ] && break
  sleep 0.25
done
[ -n "$QT_DIALOG" ] || fail "Qt's print dialog did not appear"
sleep 0.5
screenshot print-qt-dialog
xdotool windowactivate --sync "$QT_DIALOG" 2>/dev/null || xdotool windowfocus --sync "$QT_DIALOG"
xdotool key Return

printed=
for _ in $(seq 1 240); do
  if [ -s "$PDF" ] && pdfinfo "$PDF" >/dev/null 2>&1 &&
    [ -z "$(xdotool search --onlyvisible --name '^Print$' 2>/dev/null | grep -vx "$DIALOG")" ]; then
    printed=1
    break
  fi
  sleep 0.5
done
[ -n "$printed" ] || fail "no PDF was printed to $PDF"
sleep 1
screenshot print-done
cp "$PDF" "$ARTIFACTS/e2e-print.pdf"

pdfinfo "$PDF" >"$E2E_ROOT/info.txt"
grep -Eq '^Pages: +1$' "$E2E_ROOT/info.txt" || fail "the PDF does not hold one page"
grep -Eq '^Title: +Lumenkraft$' "$E2E_ROOT/info.txt" || fail "the document is not named Lumenkraft"
grep -Eq '^Page size: .*\(A4\)' "$E2E_ROOT/info.txt" || fail "the page is not A4"

# Sharp: the page holds the picture made again from the 2400-pixel photo (the printable width
# at the printer's resolution is larger still), not the 1000-pixel raster the screen shows. A
# nine-slice frame may add part of a tile.
read -r image_w image_h <<<"$(pdfimages -list "$PDF" | awk '$3 == "image" { print $4, $5; exit }')"
[ -n "$image_w" ] || fail "the PDF holds no picture"
[ "$image_w" -ge 2400 ] && [ "$image_w" -le 2520 ] && [ "$image_h" -ge 1600 ] && [ "$image_h" -le 1680 ] ||
  fail "the printed picture is ${image_w}x${image_h}, not the photo's 2400x1600"

# The page at 60 dpi (496 x 702): the 10 mm margins are 23.6 pixels; the picture lies where the
# preview puts it, 0.2717 of the printable height down, 0.4566 of it high, the full width across.
pdftoppm -png -r 60 -singlefile "$PDF" "$E2E_ROOT/page"
cp "$E2E_ROOT/page.png" "$ARTIFACTS/e2e-print-page.png"
read -r w h x y <<<"$(convert "$E2E_ROOT/page.png" -fuzz 6% -trim -format '%w %h %X %Y' info:)"
x=${x#+} y=${y#+}
near() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a - b <= 3 && b - a <= 3) }' || fail "$3 ($1, expected $2)"; }
near "$x" 24 "the picture's left edge"
near "$((x + w))" 472 "the picture's right edge"
near "$y" 201 "the picture's top edge"
near "$((y + h))" 500 "the picture's bottom edge"
[ "$x" -ge 23 ] && [ "$y" -ge 23 ] && [ $((x + w)) -le 473 ] && [ $((y + h)) -le 679 ] ||
  fail "the picture reaches into the margins"

# What prints is what the preview shows.
convert "$E2E_ROOT/page.png" -crop "${w}x${h}+${x}+${y}" +repage -resize 371x247\! -crop 367x243+2+2 +repage \
  "$E2E_ROOT/page-picture.png"
expect_below "$(mean_difference "$E2E_ROOT/preview.png" "$E2E_ROOT/page-picture.png")" 0.08 \
  "the page does not show what the preview shows"

# Cancel closes the print dialog; the editor goes on.
click_at $((DX + 677)) $((DY + 73)) 1
[ -z "$(xdotool search --onlyvisible --name '^Print$' 2>/dev/null)" ] || fail "the print dialog stayed open"
kill -0 "$APP_PID" || fail "the editor ended"

click_at 20 18
wait_for_exit
echo "1 passed, 0 failed"
