#!/usr/bin/env bash
# Checks that the folders include one way only: a file may include its own layer and the layers
# before it in this list, never one after it. The layers up to app/ (the command line) use no
# Qt; desktop/ is the Qt layer beneath the windows, app/window/ the windowed program on top.
# Tests, benchmarks and fuzz targets stand outside the layers and may include any of them.
set -euo pipefail
layers=(platform settings expr sheet export app desktop ui app/window)
last_without_qt=5  # app
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

# The layer of a path: its longest matching folder in the list, or nothing.
layer_of() {
  local path=$1 best=-1 best_len=0 i
  for i in "${!layers[@]}"; do
    local folder=${layers[$i]}
    if [[ $path == "$folder"/* && ${#folder} -gt $best_len ]]; then
      best=$i
      best_len=${#folder}
    fi
  done
  echo "$best"
}

status=0
while IFS= read -r file; do
  own=$(layer_of "$file")
  [ "$own" -ge 0 ] || continue
  while IFS=: read -r line included; do
    target=$(layer_of "$included")
    if [ "$target" -gt "$own" ]; then
      echo "$file:$line: includes $included, a layer above ${layers[$own]}" >&2
      status=1
    fi
  done < <(grep -n '^#include "' "$file" | sed 's/^\([0-9]*\):#include "\([^"]*\)".*/\1:\2/')
  if [ "$own" -le "$last_without_qt" ] && grep -n '^#include <Q' "$file" >&2; then
    echo "$file: includes Qt in ${layers[$own]}, which uses no Qt" >&2
    status=1
  fi
done < <(git ls-files '*.h' '*.cpp' '*.c')
exit "$status"
