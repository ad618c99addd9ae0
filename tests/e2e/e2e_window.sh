#!/usr/bin/env bash
# The window as the user meets it: the start screen, a button's hover tip, the help menu
# opened and dismissed, and the About box opened from it and closed with OK.
source "$(dirname "$0")/e2e_lib.sh"

# Mean colour of a screen area, as "r g b" in 0..255.
area_colour() { # x y w h
  import -window root -crop "$3x$4+$1+$2" +repage -resize 1x1\! -depth 8 txt:- |
    sed -n '2s/.*(\([0-9.]*\),\([0-9.]*\),\([0-9.]*\).*/\1 \2 \3/p' | awk '{printf "%d %d %d\n", $1, $2, $3}'
}
# How much two screenshots of the same area differ (RMSE, 0..1).
area_difference() { # a b
  # compare exits non-zero whenever the pictures differ; only its number matters here.
  { compare -metric RMSE "$1" "$2" null: 2>&1 || true; } | sed -n 's/.*(\(.*\)).*/\1/p'
}
grab_area() { # name x y w h
  import -window root -crop "$4x$5+$2+$3" +repage "$E2E_ROOT/$1.png"
}
visible_named() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1; }

start_editor
screenshot window-start
# The start background and the controls are painted, not left black or red.
read -r r g b <<<"$(area_colour 100 100 500 400)"
[ $((r + g + b)) -gt 30 ] || fail "the picture area is black: $r $g $b"
read -r r g b <<<"$(area_colour 46 600 25 25)"
{ [ "$r" -gt 200 ] && [ "$g" -lt 40 ] && [ "$b" -lt 40 ]; } && fail "the load button has no picture"

# Resting on the load button brings up its tip, which goes away again by itself.
xdotool mousemove 300 300
sleep 0.3
grab_area before 20 590 160 60
xdotool mousemove 55 614
sleep 0.1
xdotool mousemove 56 615
sleep 0.6
tip=$(visible_named '^Lumenkraft tip$')
screenshot window-hover-load
[ -n "$tip" ] || fail "no hover tip over the load button"
sleep 2
[ -z "$(visible_named '^Lumenkraft tip$')" ] || fail "the hover tip did not go away"

# The help menu opens at the pointer and Escape dismisses it without any other effect.
grab_area calm 700 0 300 200
click_at 960 24 0.6
grab_area menu 700 0 300 200
screenshot window-help-menu
difference=$(area_difference "$E2E_ROOT/calm.png" "$E2E_ROOT/menu.png")
awk -v d="$difference" 'BEGIN { exit !(d > 0.01) }' || fail "the help menu did not open ($difference)"
xdotool key Escape
sleep 0.5
grab_area dismissed 700 0 300 200
difference=$(area_difference "$E2E_ROOT/calm.png" "$E2E_ROOT/dismissed.png")
awk -v d="$difference" 'BEGIN { exit !(d < 0.01) }' || fail "the help menu stayed open ($difference)"
[ -z "$(visible_named '^About Lumenkraft$')" ] || fail "dismissing the menu opened the About box"
kill -0 "$APP_PID" || fail "Escape ended the editor"

# About is the menu's last item; OK (Enter) closes the box, and the editor runs on.
click_at 960 24 0.6
xdotool key Up Return
timeout 10 xdotool search --sync --onlyvisible --name '^About Lumenkraft$' >/dev/null ||
  fail "the About box did not open"
screenshot window-about
xdotool key Return
sleep 0.5
[ -z "$(visible_named '^About Lumenkraft$')" ] || fail "OK did not close the About box"
kill -0 "$APP_PID" || fail "closing the About box ended the editor"

click_at 20 18
wait_for_exit
echo "1 passed, 0 failed"
