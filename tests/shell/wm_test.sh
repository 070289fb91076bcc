#!/bin/sh
# Runs the window-manager tests ($1) in an X server of their own with openbox; skipped (77)
# where either is missing.
set -u
command -v Xvfb >/dev/null 2>&1 && command -v openbox >/dev/null 2>&1 || { echo "Xvfb or openbox missing"; exit 77; }
display=""
for n in $(seq 91 190); do
  if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then display=$n; break; fi
done
[ -n "$display" ] || { echo "no free display"; exit 77; }
home=$(mktemp -d)
xvfb=""
wm=""
cleanup() {
  [ -n "$wm" ] && kill "$wm" 2>/dev/null
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
  rm -rf "$home"
}
trap cleanup EXIT
# The X keyboard library hands strndup a name that is not NUL-terminated inside its buffer
# (it stops at the length): under the sanitizers' strict string checks that alone would stop
# the run, in a library of the system.
[ -n "${ASAN_OPTIONS:-}" ] && export ASAN_OPTIONS="$ASAN_OPTIONS:strict_string_checks=0"
Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
i=0
while [ ! -e "/tmp/.X11-unix/X$display" ]; do
  i=$((i + 1)); [ $i -gt 100 ] && { echo "Xvfb did not start"; exit 1; }
  sleep 0.1
done
kill -0 "$xvfb" 2>/dev/null || { echo "Xvfb :$display ended (display taken?)"; exit 1; }
# A home of its own: openbox and the help engine write their files there.
HOME=$home DISPLAY=":$display" openbox --sm-disable >/dev/null 2>&1 &
wm=$!
sleep 1
HOME=$home XDG_CONFIG_HOME=$home/.config XDG_CACHE_HOME=$home/.cache DISPLAY=":$display" QT_QPA_PLATFORM=xcb "$1"
