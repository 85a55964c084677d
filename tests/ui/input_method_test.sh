#!/usr/bin/env bash
# Typing through IBus with Mozc on a real X server (xdotool): Mozc types kana into the file
# dialog, while the input line takes the same keys in hiragana mode as they are, so the
# formulas are calculated and mark the sheet modified (the recovery copy holds them), and
# Ctrl+Space reaches the program. Mozc's server refuses root: as root, the test runs as nobody.
# Usage: input_method_test.sh TESSARIN_BINARY
set -euo pipefail
fail() { echo "FAIL: $*" >&2; exit 1; }

# Runs a command until it succeeds, for at most about $1 seconds.
retry() {
  for ((i = 0; i < $1 * 10; i++)); do "${@:2}" >/dev/null 2>&1 && return 0; sleep 0.1; done
  return 1
}
use_mozc() { ibus engine mozc-jp || true; [ "$(ibus engine)" = mozc-jp ]; }
# The recovery copy holds every "LINE=FORMULA" given.
recovery_holds() {
  for line in "$@"; do
    tr -d '\r' <"$TESSARIN_DATA_DIR"/recovery-*.tsf | grep -qxF "$line" || return 1
  done
}
# Mozc's server outlives the session; it is known by the home folder it was given.
end_session() {
  [ -z "$app" ] || { kill "$app" && wait "$app"; } 2>/dev/null || true
  ibus exit >/dev/null 2>&1 || true
  for pid in $(pgrep -u "$(id -u)" -x mozc_server); do
    ! tr '\0' '\n' <"/proc/$pid/environ" | grep -qxF "HOME=$HOME" || kill "$pid"
  done
}
type_keys() { xdotool type --delay 50 "$1"; }

if [ "${1:-}" = --inside ]; then  # as the user, on a session bus of its own
  export QT_IM_MODULE=ibus XMODIFIERS=@im=ibus
  app=
  trap end_session EXIT
  ibus-daemon --panel=disable --replace --daemonize
  retry 60 use_mozc || fail "IBus did not take Mozc"
  "$2" >"$HOME/program.log" 2>&1 &
  app=$!
  retry 20 xdotool search --name '^Tessarin$' || fail "the window did not appear"
  xdotool windowactivate --sync "$(xdotool search --name '^Tessarin$' | head -n 1)" || true
  sleep 1
  type_keys '1+2'
  xdotool key Return alt+a a  # Save As: Mozc switched to hiragana, the name typed in kana
  retry 10 xdotool search --name '名前を付けて保存' || fail "the save dialog did not open"
  sleep 1
  xdotool key Hiragana_Katakana
  xdotool type --delay 80 'keisann'
  xdotool key Return; sleep 0.5; xdotool key Return
  retry 10 test -f "$HOME/けいさん.tsf" || fail "Mozc did not type the file name in kana"
  retry 10 xdotool search --name 'けいさん.tsf \]$' || fail "the main window did not come back"
  sleep 0.5
  type_keys '3*4'
  xdotool key Return Return
  type_keys '5-1'
  xdotool key Return
  retry 10 recovery_holds '0=1+2' '1=3*4' '3=5-1' || fail "hiragana mode held the formulas back"
  xdotool key ctrl+space
  type_keys '7'
  retry 10 recovery_holds '0=7' || fail "Ctrl+Space did not empty the sheet"
  exit 0
fi

for tool in Xvfb openbox xdotool ibus-daemon dbus-run-session /usr/lib/ibus-mozc/ibus-engine-mozc; do
  command -v "$tool" >/dev/null || fail "$tool is missing (scripts/setup.sh installs it)"
done
program=$(readlink -f "$1")
work=$(mktemp -d "${TMPDIR:-/tmp}/tessarin-input-method-XXXXXX")
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
server=$!
trap 'kill "$window_manager" "$server" 2>/dev/null; wait; rm -rf "$work"' EXIT
retry 20 test -s "$work/display" || fail "Xvfb did not start"
export DISPLAY=":$(head -n 1 "$work/display")" HOME="$work/home" TESSARIN_DATA_DIR="$work/data"
export XDG_CONFIG_HOME="$HOME/.config" XDG_CACHE_HOME="$HOME/.cache"
HOME="$work" openbox >/dev/null 2>&1 &
window_manager=$!
# The program, its window library and this script where the test's user can run them.
mkdir -p "$work/bin" "$HOME" "$TESSARIN_DATA_DIR"
cp "$program" "$(dirname "$program")/libtessarin-window.so" "$0" "$work/bin/"
chmod -R a+rX "$work"
as_user=()
if [ "$(id -u)" = 0 ]; then
  chown -R nobody "$HOME" "$TESSARIN_DATA_DIR"
  as_user=(runuser -u nobody --)
fi
"${as_user[@]}" env HOME="$HOME" dbus-run-session -- bash "$work/bin/$(basename "$0")" --inside \
  "$work/bin/$(basename "$program")" 2>"$work/session.log" || { tail "$work/session.log" >&2; exit 1; }
echo PASS
