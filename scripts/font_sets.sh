#!/usr/bin/env bash
# Makes the font sets that Japanese Linux desktops commonly have, as fontconfig configurations
# of their own, so the program, its tests and the start-up benchmark run under each one while
# the machine's own fonts stay as they are:
#   ipa     IPA Gothic and IPA Mincho only (fonts-ipafont-gothic, fonts-ipafont-mincho)
#   noto    IPA with Noto CJK and Noto core (fonts-noto-cjk, fonts-noto-core, unpacked here)
#   dejavu  DejaVu only, no Japanese font (fonts-dejavu-core)
# Each set lists only its own font folders and keeps its cache beside it. Use one with
#   FONTCONFIG_FILE=FOLDER/SET/fonts.conf build/tessarin
# font_sets.sh [FOLDER]   (default: build/font-sets in the project's folder)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
sets=${1:-"$root/build/font-sets"}
mkdir -p "$sets"
sets=$(cd "$sets" && pwd)
packages="$sets/packages"

if [ ! -d "$packages/usr/share/fonts/opentype/noto" ]; then
  download=$(mktemp -d)
  trap 'rm -rf "$download"' EXIT
  # apt's download user writes into the folder.
  chmod 777 "$download"
  fetch() { (cd "$download" && apt-get download -qq fonts-noto-cjk fonts-noto-core); }
  if ! fetch; then
    # A fresh machine has no package lists yet.
    sudo_cmd=()
    [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
    "${sudo_cmd[@]}" apt-get update -qq
    fetch
  fi
  rm -rf "$packages.partial"
  for deb in "$download"/*.deb; do
    dpkg-deb -x "$deb" "$packages.partial"
  done
  mv "$packages.partial" "$packages"
fi

ipa=(/usr/share/fonts/opentype/ipafont-gothic /usr/share/fonts/opentype/ipafont-mincho)
noto=("${ipa[@]}" "$packages/usr/share/fonts/opentype/noto" "$packages/usr/share/fonts/truetype/noto")
dejavu=(/usr/share/fonts/truetype/dejavu)

# make_set NAME EXTRA_RULES FOLDER...: the machine's own rules (which family stands for
# "monospace", for Japanese, ...) without the user's, plus the set's own, and only its folders.
make_set() {
  local name=$1 extra=$2 folder
  shift 2
  local set="$sets/$name"
  rm -rf "$set/conf.d"
  mkdir -p "$set/conf.d" "$set/cache"
  for rule in /etc/fonts/conf.d/*.conf; do
    case $(basename "$rule") in
      50-user.conf | 51-local.conf) ;;
      *) ln -s "$rule" "$set/conf.d/" ;;
    esac
  done
  [ -z "$extra" ] || ln -sf "$extra" "$set/conf.d/"
  {
    echo '<?xml version="1.0"?>'
    echo '<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">'
    echo '<fontconfig>'
    for folder in "$@"; do
      echo "  <dir>$folder</dir>"
    done
    echo "  <cachedir>$set/cache</cachedir>"
    echo "  <include>$set/conf.d</include>"
    echo '</fontconfig>'
  } >"$set/fonts.conf"
  # Scanning a folder of fonts takes longer than a start-up; the cache is made once here.
  FONTCONFIG_FILE="$set/fonts.conf" fc-cache
}

make_set ipa "" "${ipa[@]}"
make_set noto "$packages/usr/share/fontconfig/conf.avail/70-fonts-noto-cjk.conf" "${noto[@]}"
make_set dejavu "" "${dejavu[@]}"
