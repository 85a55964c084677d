#!/usr/bin/env bash
# Drives the main window with N random actions (default 100000) in the build with
# AddressSanitizer and UndefinedBehaviorSanitizer: soak.sh [N [SEED]]. The seed is printed; a
# finding prints the last actions and the command that replays it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
actions=${1:-100000}
build=${TESSARIN_SOAK_BUILD:-"$root/build-asan"}

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTESSARIN_SANITIZE=ON \
  -DTESSARIN_BENCH=OFF >/dev/null
cmake --build "$build" -j "$(nproc)" --target tst_monkey

mkdir -p "$build/tests/unused-data-dir"
start=$(date +%s)
env QT_QPA_PLATFORM=offscreen TESSARIN_DATA_DIR="$build/tests/unused-data-dir" \
  TESSARIN_MONKEY_ACTIONS="$actions" ${2:+TESSARIN_MONKEY_SEED="$2"} \
  QTEST_FUNCTION_TIMEOUT=$((24 * 3600 * 1000)) \
  ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS=suppressions="$root/tests/lsan.supp" \
  UBSAN_OPTIONS=print_stacktrace=1 \
  "$build/tests/tst_monkey"
echo "soak: $actions actions in $(( $(date +%s) - start )) s"
