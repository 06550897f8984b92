#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for SECONDS seconds
# (default 10) from the seed corpus. A crash or hang fails the run and leaves
# its input in build-fuzz/findings/ to be made into a test.
#   bash fuzz/run.sh [SECONDS]
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
seconds="${1:-10}"
build="${TAMBERLOCK_FUZZ_BUILD_DIR:-$here/../build-fuzz}"
cmake -S "$here" -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j2
mkdir -p "$build/findings"
for target in datetime currency masks elapsed; do
  corpus="$build/corpus/$target"
  mkdir -p "$corpus"
  cp -n "$here/corpus/$target/"* "$corpus/" 2>/dev/null || true
  echo "fuzz_$target: ${seconds}s"
  "$build/fuzz_$target" -max_total_time="$seconds" -timeout=5 -rss_limit_mb=2048 \
    -artifact_prefix="$build/findings/$target-" -print_final_stats=0 "$corpus" 2>"$build/fuzz_$target.log" \
    || { tail -40 "$build/fuzz_$target.log"; echo "fuzz_$target FAILED"; exit 1; }
  grep -E '^Done' "$build/fuzz_$target.log" || true
done
