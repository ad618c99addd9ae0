#!/usr/bin/env bash
# The installed program: `cmake --install` into a staging folder (DESTDIR) under a prefix, the
# menu entry and the software-centre file validated, --help and --version answered without a
# display, and the installed editor started the way a file manager starts it, with a photo whose
# path has a blank in it, finding its data under the prefix and rendering the thumbnails.
source "$(dirname "$0")/e2e_lib.sh"

BUILD_DIR=$(dirname "$BIN_DIR")
APP_ID=org.lumenkraft.Lumenkraft
STAGE=$E2E_ROOT/stage
PREFIX=/opt/lumenkraft
ROOT=$STAGE$PREFIX

DESTDIR=$STAGE cmake --install "$BUILD_DIR" --prefix "$PREFIX" >"$E2E_ROOT/install.txt" ||
  fail "cmake --install failed: $(tail -n 5 "$E2E_ROOT/install.txt")"

for path in bin/lumenkraft bin/lumenkraft-render \
  share/lumenkraft/deploy/vuvedieffect.xml share/lumenkraft/deploy/vuvedilightborder.xml \
  share/lumenkraft/UI/1.png share/lumenkraft/lightimage.bundle/1.jpg share/lumenkraft/border.bundle/border01.png \
  share/lumenkraft/help/index.html share/lumenkraft/magick/policy.xml \
  share/applications/$APP_ID.desktop share/metainfo/$APP_ID.metainfo.xml; do
  [ -s "$ROOT/$path" ] || fail "$path is not installed"
done
for side in 16 22 24 32 48 64 128 256 512; do
  icon=$ROOT/share/icons/hicolor/${side}x$side/apps/$APP_ID.png
  [ "$(identify -format '%wx%h' "$icon" 2>/dev/null)" = "${side}x$side" ] || fail "no ${side}x$side icon"
done
# Nothing of the build tree may leak into the installed copy.
[ ! -e "$ROOT/bin/deploy" ] || fail "data installed beside the executables"

desktop-file-validate "$ROOT/share/applications/$APP_ID.desktop" || fail "the menu entry does not validate"
grep -q '^Exec=lumenkraft %U$' "$ROOT/share/applications/$APP_ID.desktop" || fail "the menu entry passes no file"
appstreamcli validate --no-net "$ROOT/share/metainfo/$APP_ID.metainfo.xml" >"$E2E_ROOT/appstream.txt" 2>&1 ||
  fail "the metainfo does not validate: $(cat "$E2E_ROOT/appstream.txt")"

# Both questions answered on standard output by both programs, with no display at all.
for program in lumenkraft lumenkraft-render; do
  out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u XAUTHORITY "$ROOT/bin/$program" --version) ||
    fail "$program --version failed"
  [[ $out =~ ^$program\ [0-9]+\.[0-9]+\.[0-9]+$ ]] || fail "$program --version says '$out'"
  out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u XAUTHORITY "$ROOT/bin/$program" --help) ||
    fail "$program --help failed"
  grep -q "^Usage: .*$program" <<<"$out" || fail "$program --help says '$out'"
done

# The photo as a file manager hands it over: a file:// URL of a path with a blank.
mkdir -p "$E2E_ROOT/My Photos"
PHOTO="$E2E_ROOT/My Photos/coffee cup.png"
cp "${LK_TEST_DATA:?}/coffee.png" "$PHOTO"
URL="file://${PHOTO// /%20}"

unset LUMENKRAFT_DATA_DIR
cd "$E2E_ROOT"
"$ROOT/bin/lumenkraft" "$URL" >"$E2E_ROOT/stdout.txt" 2>"$E2E_ROOT/stderr.txt" &
APP_PID=$!
WINDOW=$(timeout 30 xdotool search --sync --onlyvisible --name '^Lumenkraft$' | head -n 1) ||
  fail "the installed editor did not show its window: $(cat "$E2E_ROOT/stderr.txt")"

# The photo comes in without any dialog, and one filter thumbnail per look of the installed
# catalogue is rendered into the working folder and shown in the list. A small photo can be done
# before a first screenshot, so the wait looks at the result, not at the run going by.
THUMBS=$LUMENKRAFT_WORK_DIR/a
LOOKS=$(grep -c '<effect>' "$ROOT/share/lumenkraft/deploy/vuvedieffect.xml")
spread() { convert "$E2E_ROOT/$1.png" -colorspace Gray -format '%[fx:standard_deviation]' info:; }
ready=
for _ in $(seq 1 240); do
  kill -0 "$APP_PID" 2>/dev/null || fail "the installed editor ended: $(cat "$E2E_ROOT/stderr.txt")"
  if [ "$( (ls "$THUMBS" 2>/dev/null || true) | wc -l)" -ge "$LOOKS" ]; then
    grab_area list 200x460+766+102
    if awk -v s="$(spread list)" 'BEGIN { exit !(s > 0.05) }'; then ready=1; break; fi
  fi
  sleep 0.5
done
[ -n "$ready" ] || fail "the thumbnails of the photo given on the command line were not rendered"
[ -z "$(xdotool search --onlyvisible --name '^Open$' 2>/dev/null)" ] || fail "an open dialog came up"
screenshot install-started-with-a-photo

# The view shows the photo, no longer the start invitation.
grab_area view 700x467+10+76
convert "$PHOTO" -resize 700x467\! "$E2E_ROOT/expected.png"
difference=$(mean_difference "$E2E_ROOT/view.png" "$E2E_ROOT/expected.png")
awk -v d="$difference" 'BEGIN { exit !(d != "" && d < 0.04) }' || fail "the view does not show the photo ($difference)"

# Ctrl+Q closes as the close button does: the working files go.
xdotool windowactivate --sync "$WINDOW" 2>/dev/null || xdotool windowfocus --sync "$WINDOW"
# The editor may be gone before the keys are let go; sending those to its window then fails.
xdotool key --window "$WINDOW" ctrl+q 2>/dev/null || true
wait_for_exit
[ ! -e "$THUMBS" ] || fail "Ctrl+Q left the thumbnails behind"
echo "1 passed, 0 failed"
