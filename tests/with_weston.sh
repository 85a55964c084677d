#!/bin/sh
# Runs a command as a client of a private headless Wayland compositor (weston) with Qt's Wayland
# platform. Anything the command writes to standard error (a Qt warning included) fails the run.
set -u
folder=$(mktemp -d)
export XDG_RUNTIME_DIR="$folder/runtime" WAYLAND_DISPLAY=tessarin-test
mkdir -m 700 "$XDG_RUNTIME_DIR"
weston --backend=headless-backend.so --socket="$WAYLAND_DISPLAY" --width=1280 --height=1024 \
  --idle-time=0 --no-config >"$folder/weston.log" 2>&1 &
server=$!
trap 'kill "$server" 2>/dev/null; wait "$server" 2>/dev/null; rm -rf "$folder"' EXIT
for _ in $(seq 100); do [ -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ] && break; sleep 0.1; done
[ -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ] || { cat "$folder/weston.log" >&2; exit 1; }
# A headless compositor has no seat: Qt's Wayland text input would look for the seat's keyboard
# on every key a test sends itself. The compose input context is a desktop's without an input
# method.
# Under the address sanitizer, a block Mesa's EGL driver keeps is reported from a module already
# unloaded; only the full unwinder reaches the EGL library that tests/lsan.supp names.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}fast_unwind_on_malloc=0"
status=0
QT_QPA_PLATFORM=wayland QT_IM_MODULE=compose "$@" 2>"$folder/stderr" || status=$?
if [ -s "$folder/stderr" ]; then
  cat "$folder/stderr" >&2
  [ "$status" -ne 0 ] || status=1
fi
exit "$status"
