#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for SECONDS (default 60), starting from
# the seeds in fuzz/corpus/<target>/: fuzz.sh [SECONDS [TARGET...]]. Fails when a target finds
# an input that breaks one of its checks, crashes, leaks or hangs; the input is kept in
# build-fuzz/findings/<target>/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
shift || true
build=${TESSARIN_FUZZ_BUILD:-"$root/build-fuzz"}

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTESSARIN_FUZZ=ON \
  -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 >/dev/null
cmake --build "$build" -j "$(nproc)"

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for source in "$root"/fuzz/*_fuzzer.cpp; do
    targets+=("$(basename "$source" .cpp)")
  done
fi

# The targets write their scratch files below TMPDIR, in a folder of this run (removed at the
# end, also what a target that stopped on a finding left); memory is faster and spares the disk.
scratch_parent=${TMPDIR:-/tmp}
if [ -z "${TMPDIR:-}" ] && [ -d /dev/shm ] && [ -w /dev/shm ]; then
  scratch_parent=/dev/shm
fi
TMPDIR=$(mktemp -d "$scratch_parent/tessarin-fuzz.XXXXXX")
export TMPDIR
trap 'rm -rf "$TMPDIR"' EXIT

failed=()
for target in "${targets[@]}"; do
  name=${target%_fuzzer}
  corpus="$build/corpus/$name"    # grows from run to run; the seeds stay as committed
  findings="$build/findings/$name"
  mkdir -p "$corpus" "$findings"
  log="$build/fuzz-$name.log"
  echo "== $target for ${seconds}s"
  if "$build/fuzz/$target" "$corpus" "$root/fuzz/corpus/$name" -max_total_time="$seconds" \
      -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$findings/" \
      >"$log" 2>&1; then
    grep -E '^stat::number_of_executed_units' "$log" | sed 's/^stat::/   /'
  else
    echo "   FINDING: see $log"
    grep -E 'failed:|ERROR:|runtime error:|Test unit written' "$log" | head -5 | sed 's/^/   /'
    failed+=("$target")
  fi
done

if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzzing found faults in: ${failed[*]}"
  exit 1
fi
echo "fuzzing: no findings"
