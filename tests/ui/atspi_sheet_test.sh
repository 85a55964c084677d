#!/usr/bin/env bash
# The sheet through a screen reader's eyes: the real program on Xvfb with openbox, on a private
# session bus with the accessibility bus, a formula typed as a user types it (xdotool), and its
# result read back over AT-SPI from the sheet's table cell and from the digit display.
# Usage: atspi_sheet_test.sh TESSARIN_BINARY
set -euo pipefail

if [ -z "${TESSARIN_ATSPI_SESSION:-}" ]; then
  command -v dbus-run-session >/dev/null || { echo "FAIL: dbus-run-session is missing" >&2; exit 1; }
  TESSARIN_ATSPI_SESSION=1 exec dbus-run-session -- bash "$0" "$@"
fi

program=$1
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/tessarin-atspi-XXXXXX")
pids=()

cleanup() {
  local i
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
    kill "${pids[i]}" 2>/dev/null || true
    wait "${pids[i]}" 2>/dev/null || true
  done
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

for tool in Xvfb openbox xdotool /usr/libexec/at-spi-bus-launcher; do
  command -v "$tool" >/dev/null || fail "$tool is missing (scripts/setup.sh installs it)"
done
/usr/bin/python3 -c 'import gi; gi.require_version("Atspi", "2.0")' 2>/dev/null ||
  fail "python3-gi with Atspi 2.0 is missing (scripts/setup.sh installs it)"

Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
export DISPLAY=":$(head -n 1 "$work/display")"
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_CACHE_HOME="$work/home/.cache"
mkdir -p "$HOME"

openbox >"$work/openbox.log" 2>&1 &
pids+=($!)
/usr/libexec/at-spi-bus-launcher --launch-immediately >"$work/bus.log" 2>&1 &
pids+=($!)

mkdir -p "$work/data"
TESSARIN_DATA_DIR="$work/data" QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 \
  "$program" >"$work/program.log" 2>&1 &
pids+=($!)

/usr/bin/python3 "$here/atspi_sheet_read.py" || fail "program output: $(cat "$work/program.log")"
