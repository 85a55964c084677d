#!/bin/sh
# Runs a command as a client of a private headless Wayland compositor (weston) with Qt's Wayland
# platform. Anything the command writes to standard error (a warning of Qt's Wayland platform
# included) fails the run.
set -u
folder=$(mktemp -d)
runtime="$folder/runtime"
mkdir -m 700 "$runtime"
socket=tessarin-test
XDG_RUNTIME_DIR="$runtime" weston --backend=headless-backend.so --socket="$socket" \
  --width=1280 --height=1024 --idle-time=0 --no-config >"$folder/weston.log" 2>&1 &
server=$!
trap 'kill "$server" 2>/dev/null; wait "$server" 2>/dev/null; rm -rf "$folder"' EXIT
tries=0
while [ ! -S "$runtime/$socket" ] && [ "$tries" -lt 100 ]; do
  sleep 0.1
  tries=$((tries + 1))
done
if [ ! -S "$runtime/$socket" ]; then
  echo "weston did not start:" >&2
  cat "$folder/weston.log" >&2
  exit 1
fi
status=0
# A headless compositor has no seat: Qt's Wayland text input would look for the keyboard of the
# seat on every key a test sends itself, and find none. The compose input context is the one of
# a desktop without an input method.
XDG_RUNTIME_DIR="$runtime" WAYLAND_DISPLAY="$socket" QT_QPA_PLATFORM=wayland QT_IM_MODULE=compose "$@" \
  2>"$folder/stderr" || status=$?
if [ -s "$folder/stderr" ]; then
  echo "standard error was not empty:" >&2
  cat "$folder/stderr" >&2
  [ "$status" -ne 0 ] || status=1
fi
exit "$status"
