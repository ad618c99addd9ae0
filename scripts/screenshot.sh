#!/usr/bin/env bash
# Takes docs/screenshot.png, the picture of the window in use that the user guide and the
# software-centre entry show: a photo with a filter and a light, under a private X server.
#   scripts/screenshot.sh [photo]     (default: tests/data/coffee.png)
set -euo pipefail
cd "$(dirname "$0")/.."

if [ -z "${LK_SCREENSHOT_IN_XVFB:-}" ]; then
  scripts/build.sh >/dev/null
  LK_SCREENSHOT_IN_XVFB=1 exec xvfb-run -a -s "-screen 0 1000x650x24" "$0" "$@"
fi

photo=$(realpath "${1:-tests/data/coffee.png}")
root=$(mktemp -d)
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$root"' EXIT
export HOME=$root/home XDG_DATA_HOME=$root/data XDG_CACHE_HOME=$root/cache LUMENKRAFT_WORK_DIR=$root/work
mkdir -p "$HOME"

build/bin/lumenkraft "$photo" &
pid=$!
window=$(timeout 30 xdotool search --sync --onlyvisible --name '^Lumenkraft$' | head -n 1)
# The run is over when the Filter tab comes back from its inactive look.
sleep 1
import -window root -crop 63x29+761+59 +repage "$root/tab-before.png"
for _ in $(seq 1 240); do
  import -window root -crop 63x29+761+59 +repage "$root/tab-now.png"
  change=$({ compare -metric MAE "$root/tab-before.png" "$root/tab-now.png" null: 2>&1 || true; } |
    sed -n 's/.*(\(.*\)).*/\1/p')
  awk -v d="$change" 'BEGIN { exit !(d > 0.02) }' && break
  sleep 0.5
done
# The third filter cell (second row, first column), then the Light tab and its second light.
cell() { xdotool mousemove $((764 + 1 + 10 + 42 + ($1 % 2) * 95)) $((100 + 1 + 10 + 42 + ($1 / 2) * 95)) click 1; sleep 3; }
cell 2
xdotool mousemove 867 73 click 1
sleep 1
cell 1
# Back on the Filter panel, so the picture shows the filter thumbnails beside the look.
xdotool mousemove 792 73 click 1
xdotool mousemove 500 30
sleep 1
import -window "$window" docs/screenshot.png
echo "docs/screenshot.png"
