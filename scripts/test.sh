#!/usr/bin/env bash
# Installs what is missing, builds Tessarin and runs every test: once in the normal build, once
# with AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/setup.sh"
jobs=$(nproc)

echo "== build and test"
bash "$root/scripts/build.sh" "$root/build"
ctest --test-dir "$root/build" --output-on-failure -j "$jobs"

echo "== build and test with AddressSanitizer and UndefinedBehaviorSanitizer"
bash "$root/scripts/build.sh" "$root/build-asan" -DTESSARIN_SANITIZE=ON -DTESSARIN_BENCH=OFF
ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS=suppressions="$root/tests/lsan.supp" UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir "$root/build-asan" --output-on-failure -j "$jobs"

echo "== fuzz the parsers and file writers briefly (seconds per target: TESSARIN_FUZZ_SECONDS)"
bash "$root/scripts/fuzz.sh" "${TESSARIN_FUZZ_SECONDS:-45}"
