#!/usr/bin/env bash
# Makes the screenshot software centres show, packaging/screenshots/main-window.png:
# the main window with the drawing the editor ships shown under the field and
# its outline traced over it through the trace window, in English.
# Usage: packaging/screenshot.sh <build folder> [output.png]
# Runs itself again under xvfb-run; needs xdotool and ImageMagick.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
if [ -z "${LASERPIC_UNDER_XVFB:-}" ]; then
  exec env LASERPIC_UNDER_XVFB=1 xvfb-run -a -s "-screen 0 800x550x24 -noreset" bash "$0" "$@"
fi
unset QT_QPA_PLATFORM WAYLAND_DISPLAY
build=$(cd "$1" && pwd)
out=$(realpath -m "${2:-$here/screenshots/main-window.png}")
work=$(mktemp -d)
pid=
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "screenshot: $*" >&2; exit 1; }

# Waits up to thirty seconds for a window whose caption matches; prints its id.
window() {
  local id
  for _ in $(seq 300); do
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1) && [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}

# A fresh settings folder, so nothing of the user's shows.
env XDG_CONFIG_HOME="$work" LANGUAGE=en LC_ALL=C.UTF-8 "$build/laserpic" >"$work/log" 2>&1 &
pid=$!
editor=$(window "Laser Picture Editor") || fail "the editor did not start: $(cat "$work/log")"
# There is no window manager to maximise it: it gets the screen itself.
xdotool windowmove --sync "$editor" 0 0 windowsize --sync "$editor" 800 550
# The drawing under the field (the button with the picture), then the trace
# window (Ctrl+T), whose contour Return makes the figure.
xdotool mousemove --window "$editor" 467 11 click 1 sleep 0.5 key ctrl+t
trace=$(window "^Trace$") || fail "the trace window did not open"
# Return applies once the tracing (on a worker thread) is done.
for _ in $(seq 20); do
  sleep 1
  # A click on the window's blank bottom left makes it the active one.
  xdotool mousemove --window "$trace" 10 310 click 1 sleep 0.5 key Return
  sleep 0.5
  xdotool search --onlyvisible --name "^Trace$" >/dev/null || break
done
xdotool search --onlyvisible --name "^Trace$" >/dev/null && fail "the traced contour was not applied"
xdotool mousemove 799 549  # no tooltip in the picture
sleep 2
mkdir -p "$(dirname "$out")"
import -window root png:- | convert - -strip "$out"  # no time stamps: the same picture, the same file
echo "$out: $(identify -format '%wx%h' "$out")"
