#!/usr/bin/env bash
# Installs what is missing, builds Tessarin and makes the Debian package:
# package.sh [FOLDER [cmake options...]] leaves FOLDER/tessarin_VERSION_ARCH.deb (FOLDER: build).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-"$root/build"}
shift || true
bash "$root/scripts/setup.sh"
bash "$root/scripts/build.sh" "$build" "$@"
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$build"
rm -rf "$build/_CPack_Packages"
ls "$build"/tessarin_*.deb
