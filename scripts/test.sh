#!/usr/bin/env bash
# Installs what is missing, checks the formatting and the include direction, builds Tessarin with
# warnings as errors and runs every test: once in the normal build, once with AddressSanitizer
# and UndefinedBehaviorSanitizer; under the machine's own fonts, or the font set TESSARIN_FONT_SET.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/setup.sh"
jobs=$(nproc)

# TESSARIN_FONT_SET=ipa, noto or dejavu: the tests run under that font set (scripts/font_sets.sh)
# in place of the machine's own fonts.
if [ -n "${TESSARIN_FONT_SET:-}" ]; then
  export FONTCONFIG_FILE="$root/build/font-sets/$TESSARIN_FONT_SET/fonts.conf"
  [ -f "$FONTCONFIG_FILE" ] || { echo "no font set $TESSARIN_FONT_SET in build/font-sets" >&2; exit 2; }
  echo "== under the font set $TESSARIN_FONT_SET"
fi

echo "== formatting (clang-format names each file that differs from .clang-format)"
git -C "$root" ls-files -z '*.c' '*.cpp' '*.h' | (cd "$root" && xargs -0 clang-format --dry-run --Werror)

echo "== include direction"
bash "$root/scripts/check_includes.sh"

echo "== build and test"
bash "$root/scripts/build.sh" "$root/build" -DTESSARIN_WERROR=ON
ctest --test-dir "$root/build" --output-on-failure -j "$jobs"

echo "== build and test with AddressSanitizer and UndefinedBehaviorSanitizer"
bash "$root/scripts/build.sh" "$root/build-asan" -DTESSARIN_WERROR=ON -DTESSARIN_SANITIZE=ON -DTESSARIN_BENCH=OFF
ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS=suppressions="$root/tests/lsan.supp":print_suppressions=0 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir "$root/build-asan" --output-on-failure -j "$jobs"

echo "== fuzz the parsers and file writers briefly (seconds per target: TESSARIN_FUZZ_SECONDS)"
bash "$root/scripts/fuzz.sh" "${TESSARIN_FUZZ_SECONDS:-45}"
