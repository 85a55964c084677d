#!/usr/bin/env bash
# Starts the built program on a private Xvfb screen under one desktop look and saves a
# screenshot with a few long results typed in, so each look can be checked by eye:
#   scripts/try_look.sh OUT.png [SCREEN] [SCALE] [POINTS] [SCHEME]
# SCREEN is WIDTHxHEIGHT (default 1280x1024), SCALE a QT_SCALE_FACTOR (default 1), POINTS the
# desktop font size through qt6ct (default: no qt6ct), SCHEME a qt6ct colour scheme such as
# darker or waves (implies qt6ct). The settings and files live in a temporary folder.
set -euo pipefail
out=$1
screen=${2:-1280x1024}
scale=${3:-1}
points=${4:-}
scheme=${5:-}
root=$(cd "$(dirname "$0")/.." && pwd)
display=:${TESSARIN_LOOK_DISPLAY:-47}
work=$(mktemp -d)
trap 'kill "${app:-}" "${wm:-}" "${xvfb:-}" 2>/dev/null || true; rm -rf "$work"' EXIT

Xvfb "$display" -screen 0 "${screen}x24" -nolisten tcp &
xvfb=$!
sleep 1
DISPLAY=$display openbox &
wm=$!
sleep 1

export DISPLAY=$display QT_SCALE_FACTOR=$scale TESSARIN_DATA_DIR=$work/data
mkdir -p "$TESSARIN_DATA_DIR"
if [ -n "$points$scheme" ]; then
  export QT_QPA_PLATFORMTHEME=qt6ct XDG_CONFIG_HOME=$work/config
  mkdir -p "$XDG_CONFIG_HOME/qt6ct"
  {
    echo "[Appearance]"
    if [ -n "$scheme" ]; then
      echo "custom_palette=true"
      echo "color_scheme_path=/usr/share/qt6ct/colors/$scheme.conf"
    fi
    echo "[Fonts]"
    # qt6ct's own default fixed font is proportional (DejaVu LGC Sans); keep it so.
    echo "fixed=\"DejaVu Sans,${points:-9},-1,5,50,0,0,0,0,0\""
    echo "general=\"DejaVu Sans,${points:-9},-1,5,50,0,0,0,0,0\""
  } > "$XDG_CONFIG_HOME/qt6ct/qt6ct.conf"
fi
"$root/build/tessarin" &
app=$!
sleep "${TESSARIN_LOOK_WAIT:-4}"
# A few lines with long results, and A0 to A2 selected so the sum shows.
for formula in 349182736*349182736*1000000 -1234567890.1234 -12345678901.234 2^200; do
  xdotool type --delay 10 -- "$formula"
  xdotool key Return
  sleep 0.3
done
xdotool key Up Up Up Up
# TESSARIN_LOOK_KEYS: keys to press before the picture, e.g. "alt+v Up Return" opens the settings.
for key in ${TESSARIN_LOOK_KEYS:-}; do
  xdotool key "$key"
  sleep 0.5
done
sleep 1
import -window root "$out"
