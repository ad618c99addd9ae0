#!/usr/bin/env bash
# Installs what is missing, builds, and starts the editor.
set -euo pipefail
cd "$(dirname "$0")"
scripts/deps.sh
scripts/build.sh --programs
build_dir=$(scripts/build-dir.sh)
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "lumenkraft: no display found (DISPLAY and WAYLAND_DISPLAY are unset); start it from a desktop session or under xvfb-run." >&2
  exit 2
fi
exec "$build_dir/bin/lumenkraft" "$@"
