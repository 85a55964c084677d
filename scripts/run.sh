#!/usr/bin/env bash
# Installs what is missing, builds Tessarin and starts it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/setup.sh"
bash "$root/scripts/build.sh" "$root/build"
exec "$root/build/tessarin" "$@"
