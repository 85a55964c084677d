#!/usr/bin/env bash
# Installs every Debian package Tessarin needs to build, run, test, fuzz and benchmark, and makes
# the font sets the tests and the start-up benchmark can run under (scripts/font_sets.sh), which
# leave the machine's own fonts as they are.
# Idempotent: packages already present are left alone; apt runs only when one is missing.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

packages=(
  build-essential cmake pkg-config git
  qt6-base-dev qt6-base-dev-tools libgl-dev libfontconfig-dev fontconfig
  libxlsxwriter-dev
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  fonts-ipafont-gothic fonts-ipafont-mincho fonts-dejavu-core
  qt6ct
  xvfb x11-utils imagemagick xdg-utils xauth openbox xdotool
  qt6-wayland weston
  ibus ibus-mozc mozc-server dbus
  python3 python3-openpyxl
  clang-14 libclang-rt-14-dev
  clang-format
  bc
  qt6-translations-l10n
  desktop-file-utils appstream groff-base shared-mime-info bash-completion
  dpkg-dev file lintian
  dbus at-spi2-core python3-gi gir1.2-atspi-2.0
  orca speech-dispatcher speech-dispatcher-espeak-ng espeak-ng
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -qq
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

bash "$root/scripts/font_sets.sh"
