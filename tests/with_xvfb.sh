#!/bin/sh
# Runs a command on a private X server (Xvfb) with Qt's X11 platform, for what only a real X
# server has, such as the selection clipboard. The display number is picked at random from a
# high range, and the server must answer before it is taken: an X server of another session on
# the machine may hold a low number whose lock file is not visible here.
set -u
server=
trap 'kill "$server" 2>/dev/null; wait "$server" 2>/dev/null' EXIT
for attempt in 1 2 3 4 5 6 7 8 9 10; do
  display=":$(shuf -i 200-999 -n 1)"
  Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  server=$!
  tries=0
  while kill -0 "$server" 2>/dev/null && [ "$tries" -lt 50 ]; do
    if xdpyinfo -display "$display" >/dev/null 2>&1; then
      status=0
      DISPLAY="$display" QT_QPA_PLATFORM=xcb "$@" || status=$?
      exit "$status"
    fi
    sleep 0.1
    tries=$((tries + 1))
  done
  kill "$server" 2>/dev/null
  wait "$server" 2>/dev/null
done
echo "Xvfb did not start" >&2
exit 1
