#!/bin/sh
# Runs a command on a private X server (Xvfb on a display it picks itself) with Qt's X11
# platform, for what only a real X server has, such as the selection clipboard.
set -u
folder=$(mktemp -d)
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$folder/display" 2>/dev/null &
server=$!
trap 'kill "$server" 2>/dev/null; wait "$server" 2>/dev/null; rm -rf "$folder"' EXIT
tries=0
while [ ! -s "$folder/display" ] && [ "$tries" -lt 100 ]; do
  sleep 0.1
  tries=$((tries + 1))
done
display=$(head -n 1 "$folder/display")
if [ -z "$display" ]; then
  echo "Xvfb did not start" >&2
  exit 1
fi
status=0
DISPLAY=":$display" QT_QPA_PLATFORM=xcb "$@" || status=$?
exit "$status"
