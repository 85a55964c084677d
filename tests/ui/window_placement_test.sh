#!/usr/bin/env bash
# Window placement on a real X server with a real window manager (Xvfb and openbox), driven as
# a user drives it (xdotool): the saved bounds come back exactly, start after start, with every
# combination of stay-on-top and splash; bounds off the screen, above it or larger than it come
# back onto it; stay-on-top turns on and off in place; windows carry the program's icon; a
# message box and the settings dialog of a first run lie wholly on the screen.
# Usage: window_placement_test.sh TESSARIN_BINARY
# With TESSARIN_SCREENSHOTS=FOLDER the screen is kept there as PNG files at the checked moments.
set -euo pipefail

program=$1
screen_width=1280
screen_height=1024
work=$(mktemp -d "${TMPDIR:-/tmp}/tessarin-windows-XXXXXX")
pids=()  # the X server and the window manager
app=      # the program while it runs

cleanup() {
  local i
  if [ -n "$app" ]; then
    kill "$app" 2>/dev/null || true
    wait "$app" 2>/dev/null || true
  fi
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

# Runs a command until it succeeds, for at most about $1 seconds.
retry() {
  local seconds=$1
  shift
  local i
  for ((i = 0; i < seconds * 10; i++)); do
    if "$@" >/dev/null 2>&1; then return 0; fi
    sleep 0.1
  done
  return 1
}

for tool in Xvfb openbox xdotool xprop xwininfo; do
  command -v "$tool" >/dev/null || fail "$tool is missing (scripts/setup.sh installs it)"
done

# A display of its own: Xvfb takes a free number and writes it out.
Xvfb -displayfd 3 -screen 0 "${screen_width}x${screen_height}x24" -nolisten tcp \
  3>"$work/display" >"$work/xvfb.log" 2>&1 &
pids+=($!)
retry 20 test -s "$work/display" || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
export DISPLAY=":$(head -n 1 "$work/display")"

# Every file the window manager and the program write stays in the work folder.
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_CACHE_HOME="$work/home/.cache"
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
export QT_QPA_PLATFORM=xcb
unset SESSION_MANAGER

openbox --sm-disable >"$work/openbox.log" 2>&1 &
pids+=($!)
retry 20 sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' ||
  fail "openbox did not start: $(cat "$work/openbox.log")"

screenshot() {
  [ -n "${TESSARIN_SCREENSHOTS:-}" ] || return 0
  mkdir -p "$TESSARIN_SCREENSHOTS"
  import -window root "$TESSARIN_SCREENSHOTS/$1.png"
}

# write_settings FOLDER LEFT TOP WIDTH HEIGHT TMOST FLASH
write_settings() {
  mkdir -p "$1"
  printf 'LEFT     =%s\r\nTOP      =%s\r\nWIDTH    =%s\r\nHEIGHT   =%s\r\nTMOST    =%s\r\nFLASH    =%s\r\n' \
    "$2" "$3" "$4" "$5" "$6" "$7" >"$1/TSRN.sts"
}

# setting FOLDER KEY: the value the program saved.
setting() {
  sed -n "s/^$2 *=\([^\r]*\)\r*\$/\1/p" "$1/TSRN.sts"
}

# The visible windows of the running program.
visible_windows() {
  xdotool search --onlyvisible --pid "$app" 2>/dev/null || true
}

# A shown window of the program other than the main window.
other_window() {
  visible_windows | grep -vx "$main" | head -n 1
}
dialog_shown() { [ -n "$(other_window)" ]; }

# Opens the settings dialog from the menu (表示 with Alt+V, its last item 設定) as dialog.
open_settings() {
  xdotool windowactivate --sync "$main" >/dev/null 2>&1 || true
  xdotool key --clearmodifiers alt+v
  sleep 0.5
  xdotool key Up Return
  retry 10 dialog_shown || fail "the settings dialog did not open"
  dialog=$(other_window)
}
dialog_gone() { [ -z "$(other_window)" ]; }

# Starts the program on data folder $1 and waits until its main window alone is shown, the
# splash (if any) gone; sets app and main.
start() {
  TESSARIN_DATA_DIR="$1/" "$program" >>"$work/program.log" 2>&1 &
  app=$!
  retry 30 sh -c "xdotool search --onlyvisible --pid $app | grep -q ." ||
    fail "no window appeared: $(cat "$work/program.log")"
  # The splash stays a second; after it the main window takes its layer.
  local i
  for ((i = 0; i < 100; i++)); do
    if [ "$(visible_windows | wc -l)" -eq 1 ]; then break; fi
    sleep 0.1
  done
  sleep 1.5
  [ "$(visible_windows | wc -l)" -eq 1 ] || fail "more than the main window is shown"
  main=$(visible_windows)
}

# frame_geometry WINDOW: "LEFT TOP WIDTH HEIGHT" of the window's frame and client size.
frame_geometry() {
  xwininfo -id "$1" | awk '
    /Absolute upper-left X/ {ax = $NF} /Absolute upper-left Y/ {ay = $NF}
    /Relative upper-left X/ {rx = $NF} /Relative upper-left Y/ {ry = $NF}
    /^ *Width:/ {w = $NF} /^ *Height:/ {h = $NF}
    END {print ax - rx, ay - ry, w, h}'
}

# The outer frame of a window as "LEFT TOP RIGHT BOTTOM", decorations included.
frame_extent() {
  local frame=$1 info
  # Up the tree to the child of the root: the window manager's frame.
  while info=$(xwininfo -children -id "$frame") &&
    ! grep -q 'Parent window id: .*(the root window)' <<<"$info"; do
    frame=$(sed -n 's/^ *Parent window id: \(0x[0-9a-f]*\).*/\1/p' <<<"$info")
  done
  xwininfo -id "$frame" | awk '
    /Absolute upper-left X/ {x = $NF} /Absolute upper-left Y/ {y = $NF}
    /^ *Width:/ {w = $NF} /^ *Height:/ {h = $NF}
    END {print x, y, x + w, y + h}'
}

has_icon() { [[ "$(xprop -id "$1" _NET_WM_ICON)" == *"Icon ("* ]]; }

is_above() {
  xprop -id "$1" _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE
}

# Closes the main window as a user does (Alt+F4 through the window manager) and waits for the
# program to end.
close_program() {
  xdotool windowactivate --sync "$main" key --clearmodifiers alt+F4 >/dev/null 2>&1 ||
    xdotool key --clearmodifiers alt+F4
  retry 20 sh -c "! kill -0 $app" || fail "the program did not end"
  # Its status is not this test's concern (a leak checker may set it).
  wait "$app" || true
  app=
}

on_screen() { # LEFT TOP RIGHT BOTTOM
  [ "$1" -ge 0 ] && [ "$2" -ge 0 ] && [ "$3" -le "$screen_width" ] && [ "$4" -le "$screen_height" ]
}

# Five starts and closes in each combination of stay-on-top and splash.
for tmost in 0 1; do
  for flash in 0 1; do
    data="$work/data-$tmost$flash"
    write_settings "$data" 80 80 600 400 "$tmost" "$flash"
    for run in 1 2 3 4 5; do
      case="TMOST=$tmost FLASH=$flash start $run"
      start "$data"
      read -r left top width height <<<"$(frame_geometry "$main")"
      [ "$left $top $width $height" = "80 80 600 400" ] ||
        fail "$case: shown at $left,$top ${width}x$height"
      if [ "$tmost" = 1 ]; then
        is_above "$main" || fail "$case: not above other windows"
      else
        ! is_above "$main" || fail "$case: above other windows"
      fi
      [ "$run" = 5 ] && screenshot "restored-tmost$tmost-flash$flash"
      close_program
      saved="$(setting "$data" LEFT) $(setting "$data" TOP) $(setting "$data" WIDTH) $(setting "$data" HEIGHT)"
      [ "$saved" = "80 80 600 400" ] || fail "$case: saved $saved"
    done
  done
done

# Bounds off every screen: the window comes onto the screen with its size.
data="$work/data-off"
write_settings "$data" 5000 3000 600 400 0 0
start "$data"
read -r left top right bottom <<<"$(frame_extent "$main")"
read -r _ _ width height <<<"$(frame_geometry "$main")"
on_screen "$left" "$top" "$right" "$bottom" || fail "off-screen bounds shown at $left,$top-$right,$bottom"
[ "$width $height" = "600 400" ] || fail "off-screen bounds changed the size to ${width}x$height"
close_program
saved_left=$(setting "$data" LEFT)
saved_top=$(setting "$data" TOP)
[ "$saved_left" -lt "$screen_width" ] && [ "$saved_top" -lt "$screen_height" ] ||
  fail "off-screen bounds saved as $saved_left,$saved_top"

# A title bar above the screen (where it cannot be grabbed) comes down, across and size kept.
write_settings "$work/data-above" 80 -30 600 400 0 0
start "$work/data-above"
read -r left top _ _ <<<"$(frame_extent "$main")"
read -r _ _ width height <<<"$(frame_geometry "$main")"
[ "$left $width $height" = "80 600 400" ] && [ "$top" -ge 0 ] ||
  fail "title bar above the screen: shown at $left,$top ${width}x$height"
close_program

# A saved size larger than the screen: the whole frame, status bar included, on the screen.
write_settings "$work/data-large" 0 0 1600 1300 0 0
start "$work/data-large"
sleep 0.5
read -r left top right bottom <<<"$(frame_extent "$main")"
on_screen "$left" "$top" "$right" "$bottom" || fail "larger than the screen: $left,$top-$right,$bottom"
close_program

# Stay-on-top turned on and off in the settings dialog: the same window, where it was; every
# window carries the program's icon.
write_settings "$work/data-icon" 80 80 600 400 0 0
start "$work/data-icon"
has_icon "$main" || fail "the main window has no icon"
for expected in on off; do
  open_settings
  has_icon "$dialog" || fail "the settings dialog has no icon"
  xdotool windowactivate --sync "$dialog" >/dev/null 2>&1 || true
  sleep 0.5
  xdotool key --clearmodifiers alt+s
  sleep 0.2
  xdotool key Return
  retry 10 dialog_gone || fail "the settings dialog did not close"
  sleep 0.5
  [ "$(visible_windows)" = "$main" ] || fail "stay-on-top $expected: the main window was re-created"
  read -r left top width height <<<"$(frame_geometry "$main")"
  [ "$left $top $width $height" = "80 80 600 400" ] ||
    fail "stay-on-top $expected: the window moved to $left,$top ${width}x$height"
  [ "$(is_above "$main" && echo on || echo off)" = "$expected" ] || fail "stay-on-top $expected: not so"
done
close_program

# A message box over a main window that reaches past the bottom of the screen: the question
# before closing an unsaved sheet lies wholly on the screen.
data="$work/data-low"
write_settings "$data" 700 700 600 400 0 0
start "$data"
xdotool windowactivate --sync "$main" >/dev/null 2>&1 || true
xdotool type 1
xdotool key --clearmodifiers alt+F4
retry 10 dialog_shown || fail "no question before closing an unsaved sheet"
box=$(other_window)
sleep 0.5
read -r left top right bottom <<<"$(frame_extent "$box")"
screenshot "question-low-window"
on_screen "$left" "$top" "$right" "$bottom" || fail "question at $left,$top-$right,$bottom"
xdotool key Escape
retry 10 dialog_gone || fail "the question did not close"
kill "$app"
wait "$app" || true
app=

# A first run: no settings file. The settings dialog, from the menu, lies wholly on the screen.
data="$work/data-first"
mkdir -p "$data"
start "$data"
open_settings
xprop -id "$dialog" _NET_WM_NAME | grep -q '設定' || fail "another window opened: $(xprop -id "$dialog" _NET_WM_NAME)"
sleep 0.5
read -r left top right bottom <<<"$(frame_extent "$dialog")"
screenshot "settings-first-run"
on_screen "$left" "$top" "$right" "$bottom" || fail "settings dialog at $left,$top-$right,$bottom"
xdotool key Escape
retry 10 dialog_gone || fail "the settings dialog did not close"
close_program

echo "window placement: all checks passed"
