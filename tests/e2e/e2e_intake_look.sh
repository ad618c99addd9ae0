#!/usr/bin/env bash
# A photo taken in through the open dialog, its filter thumbnails rendered into the list, and
# a filter, a light and a frame clicked on in turn; the view must show what the command-line
# renderer makes of the same photo.
source "$(dirname "$0")/e2e_lib.sh"

PHOTO=${LK_TEST_DATA:?}/coffee.png
RENDER=$BIN_DIR/lumenkraft-render
[ -x "$RENDER" ] || fail "lumenkraft-render is not built"
# coffee.png (600 x 400) fits into the view at (10, 76)-(710, 543).
FIT_GEOMETRY=700x467+10+76

# The view compared with a rendered picture scaled into the fit rectangle.
view_matches() { # screenshot-name rendered what
  convert "$2" -resize 700x467\! "$E2E_ROOT/$1-expected.png"
  grab_area "$1" "$FIT_GEOMETRY"
  cp "$E2E_ROOT/$1.png" "$ARTIFACTS/e2e-intake-$1.png"
  expect_below "$(mean_difference "$E2E_ROOT/$1.png" "$E2E_ROOT/$1-expected.png")" 0.04 "$3"
}

start_editor
open_picture "$PHOTO"
wait_for_thumbnails
THUMBS=$LUMENKRAFT_WORK_DIR/a
screenshot intake-thumbnails
# One cell per filter with steps: a thumbnail file each, numbered by catalogue position.
mapfile -t NUMBERS < <(ls "$THUMBS" | sed -n 's/^\([0-9]*\)\.jpg$/\1/p' | sort -n)
[ "${#NUMBERS[@]}" -gt 4 ] || fail "only ${#NUMBERS[@]} filter thumbnails"
kill -0 "$APP_PID" || fail "the editor ended while rendering thumbnails"

# The third filter cell: the view shows that filter on the photo.
FILTER=${NUMBERS[2]}
click_cell 2 3
"$RENDER" --filter "$FILTER" "$PHOTO" "$E2E_ROOT/filtered.png" || fail "lumenkraft-render --filter $FILTER failed"
view_matches filter "$E2E_ROOT/filtered.png" "the view does not show filter $FILTER"
screenshot intake-filter

# The Light tab, then the fifth light: laid over the filtered photo.
click_at 867 73 1
click_cell 4 3
"$RENDER" --light 5 "$E2E_ROOT/filtered.png" "$E2E_ROOT/lit.png" || fail "lumenkraft-render --light 5 failed"
view_matches light "$E2E_ROOT/lit.png" "the view does not show light 5 over filter $FILTER"
expect_above "$(mean_difference "$E2E_ROOT/filter.png" "$E2E_ROOT/light.png")" 0.002 "the light changed nothing"
screenshot intake-light

# The Frame tab, then its first frame, drawn over the look.
click_at 942 73 1
click_cell 0 3
grab_area frame "$FIT_GEOMETRY"
screenshot intake-frame
expect_above "$(mean_difference "$E2E_ROOT/light.png" "$E2E_ROOT/frame.png")" 0.002 "the frame is not shown"
kill -0 "$APP_PID" || fail "the editor ended"

click_at 20 18
wait_for_exit
echo "1 passed, 0 failed"
