#!/usr/bin/env bash
# A seeded random sequence of clicks, drags, double-clicks, wheel turns and key presses over the
# controls and the picture of an editor with a photo loaded (its close and minimise buttons and
# the keys that close it left out). Every dialog it opens is dismissed so the sequence goes on.
# The editor must not crash or hang, and must end with its controls usable.
#   MONKEY_EVENTS (default 150) and MONKEY_SEED (default: drawn and printed) replay a run.
source "$(dirname "$0")/e2e_lib.sh"

EVENTS=${MONKEY_EVENTS:-150}
SEED=${MONKEY_SEED:-$(( $(date +%s%N) % 1000000 ))}
echo "monkey seed $SEED, $EVENTS events (replay: MONKEY_SEED=$SEED MONKEY_EVENTS=$EVENTS)"
RANDOM=$SEED

start_editor
# Print and export are disabled until a picture has its thumbnails; this is how they look then.
PRINT_EXPORT=82x36+808+6
import -window root -crop "$PRINT_EXPORT" +repage "$E2E_ROOT/print-export-off.png"
open_picture "$LK_TEST_DATA/chelsea.png"
wait_for_thumbnails

alive() {
  kill -0 "$APP_PID" 2>/dev/null ||
    fail "the editor ended at event $1 (seed $SEED): $(tail -n 30 "$E2E_ROOT/stderr.txt")"
  timeout 2 xdotool getwindowname "$WINDOW" >/dev/null ||
    fail "the editor did not answer within 2 s at event $1 (seed $SEED)"
}

# Every window of the editor but its main one is a dialog or a menu the sequence opened.
dismiss_dialogs() {
  local tries others
  for tries in 1 2 3 4 5 6; do
    others=$(xdotool search --onlyvisible --pid "$APP_PID" 2>/dev/null | grep -vx "$WINDOW" || true)
    [ -z "$others" ] && return 0
    for w in $others; do
      xdotool windowfocus "$w" 2>/dev/null || true
      xdotool key --clearmodifiers Escape
    done
    sleep 0.4
  done
  fail "a window stayed open after Escape at event $1 (seed $SEED): $(xdotool getwindowname $others)"
}

# A point on the window away from its close and minimise buttons (top left).
random_point() {
  while :; do
    X=$((RANDOM % 1000)) Y=$((RANDOM % 650))
    [ "$X" -lt 64 ] && [ "$Y" -lt 34 ] && continue
    return 0
  done
}

KEYS=(r h v c Escape Return space Tab Left Right Up Down ctrl+r ctrl+o ctrl+s ctrl+p ctrl+a F1 a 1 Delete)
for event in $(seq 1 "$EVENTS"); do
  random_point
  case $((RANDOM % 10)) in
  0 | 1 | 2 | 3) xdotool mousemove "$X" "$Y" click 1 ;;
  4) xdotool mousemove "$X" "$Y" click --repeat 2 --delay 80 1 ;;
  5 | 6)
    xdotool mousemove "$X" "$Y" mousedown 1
    random_point
    xdotool mousemove --sync "$X" "$Y" mouseup 1 ;;
  7) xdotool mousemove "$X" "$Y" click $((RANDOM % 2 + 4)) ;;
  *)
    xdotool windowfocus "$WINDOW" 2>/dev/null || true
    xdotool key --clearmodifiers "${KEYS[RANDOM % ${#KEYS[@]}]}" ;;
  esac
  sleep 0.05
  dismiss_dialogs "$event"
  [ $((event % 10)) -eq 0 ] && alive "$event"
done

# A final wait for anything the sequence started; with a crop box left open closed, the
# controls must be usable again.
sleep 3
dismiss_dialogs end
alive end
xdotool windowfocus "$WINDOW" 2>/dev/null || true
xdotool key --clearmodifiers Escape
for _ in $(seq 1 60); do
  dismiss_dialogs end
  import -window root -crop "$PRINT_EXPORT" +repage "$E2E_ROOT/print-export-end.png"
  change=$(mean_difference "$E2E_ROOT/print-export-off.png" "$E2E_ROOT/print-export-end.png")
  awk -v d="$change" 'BEGIN { exit !(d > 0.02) }' && break
  sleep 1
done
screenshot monkey-end
expect_above "$change" 0.02 "print and export stayed disabled after the sequence (seed $SEED)"
no_sanitizer_report
# And it still closes cleanly (the sequence may have moved the window, so by its key).
xdotool windowfocus "$WINDOW" 2>/dev/null || true
xdotool key --clearmodifiers ctrl+q
wait_for_exit
echo "1 passed, 0 failed (seed $SEED)"
