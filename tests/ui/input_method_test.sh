#!/usr/bin/env bash
# Typing through a real Japanese input method (IBus with Mozc) on a real X server (Xvfb, openbox),
# driven as a user drives it (xdotool): Mozc types Japanese into the file dialog, while the input
# line takes the same keys directly, so formulas typed in hiragana mode are calculated, mark the
# sheet modified and reach the recovery copy, and Ctrl+Space reaches the program.
# Mozc's server refuses to run as root: run as root, the test runs everything as nobody.
# Usage: input_method_test.sh TESSARIN_BINARY
set -euo pipefail

fail() {
  echo "FAIL: $*" >&2
  [ -z "${TESSARIN_SCREENSHOTS:-}" ] || import -window root "$TESSARIN_SCREENSHOTS/failed.png" || true
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

# The recovery copy holds every line given, as "LINE=FORMULA".
recovery_holds() {
  local copy line
  copy=$(ls "$TESSARIN_DATA_DIR"/recovery-*.tsf 2>/dev/null | head -n 1)
  [ -n "$copy" ] || return 1
  for line in "$@"; do
    tr -d '\r' <"$copy" | grep -qxF "$line" || return 1
  done
}

# IBus's engine is Mozc (the command's own status says nothing).
use_mozc() {
  ibus engine mozc-jp >/dev/null 2>&1 || true
  [ "$(ibus engine 2>/dev/null)" = mozc-jp ]
}

# Ends the program and the input method; Mozc's server leaves the session, so it is found by
# the home folder it was given.
end_session() {
  local pid
  if [ -n "$app" ]; then
    kill "$app" 2>/dev/null || true
    wait "$app" 2>/dev/null || true
  fi
  ibus exit >/dev/null 2>&1 || true
  for pid in $(pgrep -u "$(id -u)" -x mozc_server); do
    if tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qxF "HOME=$HOME"; then
      kill "$pid" 2>/dev/null || true
    fi
  done
}

# The user's part, inside a session bus of its own.
if [ "${1:-}" = --inside ]; then
  program=$2
  export QT_IM_MODULE=ibus XMODIFIERS=@im=ibus
  app=
  trap end_session EXIT
  ibus-daemon --panel=disable --replace --daemonize
  retry 60 use_mozc || fail "IBus did not take Mozc"

  "$program" >"$HOME/program.log" 2>&1 &
  app=$!
  retry 20 xdotool search --name '^Tessarin$' || fail "the window did not appear"
  window=$(xdotool search --name '^Tessarin$' | head -n 1)
  xdotool windowactivate --sync "$window" >/dev/null 2>&1 || true
  sleep 1

  xdotool type --delay 50 '1+2'
  xdotool key Return
  # Save As, where Mozc is switched to hiragana and the name typed in kana.
  xdotool key alt+a a
  retry 10 xdotool search --name '名前を付けて保存' || fail "the save dialog did not open"
  sleep 1
  xdotool key Hiragana_Katakana
  xdotool type --delay 80 'keisann'
  xdotool key Return
  sleep 0.5
  xdotool key Return
  retry 10 test -f "$HOME/けいさん.tsf" || fail "Mozc did not type the file name in kana"
  retry 10 xdotool search --name '^Tessarin - \[ けいさん.tsf \]$' ||
    fail "the main window did not come back"
  sleep 0.5

  # Mozc is in hiragana mode; the input line takes the keys as they are.
  xdotool type --delay 50 '3*4'
  xdotool key Return Return
  xdotool type --delay 50 '5-1'
  xdotool key Return
  retry 10 recovery_holds '0=1+2' '1=3*4' '3=5-1' ||
    fail "formulas typed in hiragana mode did not reach the recovery copy"
  [ -z "${TESSARIN_SCREENSHOTS:-}" ] || import -window root "$TESSARIN_SCREENSHOTS/hiragana.png"

  # Ctrl+Space empties the sheet: the next formula is the only one.
  xdotool key ctrl+space
  xdotool type --delay 50 '7'
  retry 10 recovery_holds '0=7' || fail "Ctrl+Space did not empty the sheet"
  if recovery_holds '1=3*4'; then fail "Ctrl+Space did not empty the sheet"; fi
  exit 0
fi

program=$(readlink -f "$1")
for tool in Xvfb openbox xdotool ibus-daemon dbus-run-session; do
  command -v "$tool" >/dev/null || fail "$tool is missing (scripts/setup.sh installs it)"
done
[ -x /usr/lib/ibus-mozc/ibus-engine-mozc ] || fail "ibus-mozc is missing (scripts/setup.sh installs it)"

work=$(mktemp -d "${TMPDIR:-/tmp}/tessarin-input-method-XXXXXX")
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

Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
pids+=($!)
retry 20 test -s "$work/display" || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
export DISPLAY=":$(head -n 1 "$work/display")"
HOME="$work/home" openbox >/dev/null 2>&1 &
pids+=($!)

# The program and its window library, where the test's user can run them.
mkdir -p "$work/bin" "$work/home" "$work/data"
cp "$program" "$(dirname "$program")"/libtessarin-window.so "$work/bin/"
chmod -R a+rX "$work"
export work HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config"
export XDG_CACHE_HOME="$work/home/.cache" TESSARIN_DATA_DIR="$work/data"
as_user=()
if [ "$(id -u)" = 0 ]; then
  chown -R nobody "$work/home" "$work/data"
  [ -z "${TESSARIN_SCREENSHOTS:-}" ] || chown nobody "$TESSARIN_SCREENSHOTS"
  as_user=(runuser -u nobody --)
fi
"${as_user[@]}" env work="$work" HOME="$HOME" dbus-run-session -- \
  bash "$(readlink -f "$0")" --inside "$work/bin/$(basename "$program")" 2>"$work/session.log" ||
  { tail -n 20 "$work/session.log" >&2; exit 1; }
echo "PASS"
