#!/usr/bin/env bash
# On a real X server: a picture named on the command line opens with its
# caption; a short one gives the error box over the blank editor; and a .kvt
# opened through the desktop (gio open, with the installed menu entry and
# MIME package) starts the editor on it.
# Usage: desktop_open.sh <build folder>; runs itself again under xvfb-run.
set -euo pipefail
# -noreset: without it the server resets when its last client goes, and an
# editor started in that moment cannot connect.
if [ -z "${LASERPIC_UNDER_XVFB:-}" ]; then
  exec env LASERPIC_UNDER_XVFB=1 xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" bash "$0" "$@"
fi
unset QT_QPA_PLATFORM WAYLAND_DISPLAY
build=$(cd "$1" && pwd)
work=$(mktemp -d)
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "FAIL: $*" >&2
  echo "windows on the display:" >&2
  for id in $(xdotool search --name . 2>/dev/null); do echo "  $id: $(xdotool getwindowname "$id")" >&2; done
  echo "editor output:" >&2
  cat "$work"/*.log >&2 2>/dev/null || true
  exit 1
}

# Waits up to thirty seconds (a loaded machine) for a window whose caption
# matches; prints its id.
window() {
  local id
  for _ in $(seq 300); do
    id=$(xdotool search --name "$1" 2>/dev/null | head -1) && [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}

head -c 2048 /dev/urandom >"$work/good.kvt"
head -c 1000 /dev/urandom >"$work/short.kvt"

"$build/laserpic" "$work/good.kvt" 2>"$work/good.log" & pids+=($!)
window "good\.kvt\]" >/dev/null || fail "no editor window captioned with the picture"
echo "command line, good picture: $(xdotool getwindowname "$(window 'good\.kvt\]')")"
kill "${pids[-1]}"

"$build/laserpic" "$work/short.kvt" 2>"$work/short.log" & pids+=($!)
window "^Ошибка$" >/dev/null || fail "no error box for a short picture"
editor=$(window "no FileLaser") || fail "the editor does not start blank after the error"
echo "command line, short picture: error box over \"$(xdotool getwindowname "$editor")\""
kill "${pids[-1]}"

# Through the desktop, as a double click in a file manager does it.
DESTDIR="$work/root" cmake --install "$build" --prefix /usr >/dev/null
share=$work/root/usr/share
update-mime-database "$share/mime" >/dev/null
update-desktop-database "$share/applications"
mkdir -p "$work/home/data" "$work/home/config" "$work/home/cache"
env XDG_DATA_HOME="$work/home/data" XDG_CONFIG_HOME="$work/home/config" XDG_CACHE_HOME="$work/home/cache" \
    XDG_DATA_DIRS="$share:/usr/share" PATH="$work/root/usr/bin:$PATH" gio open "$work/good.kvt"
editor=$(window "good\.kvt\]") || fail "gio open did not start the editor on the picture"
pids+=("$(xdotool getwindowpid "$editor")")
[ "$(readlink "/proc/${pids[-1]}/exe")" = "$work/root/usr/bin/laserpic" ] || fail "not the installed editor"
echo "gio open good.kvt: the installed editor shows \"$(xdotool getwindowname "$editor")\""
