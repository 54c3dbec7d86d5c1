#!/usr/bin/env bash
# Runs every libFuzzer target of build folder $1 for $2 seconds (an input slower than $3
# seconds, default 1, is a fault), one after the other, each on
# a copy of its seed corpus (tests/fuzz/corpus/<target>), so the inputs it finds stay in the
# build folder. A crash, leak, sanitizer report or an input taking over a second stops the
# run with the input saved in <build>/fuzz-findings/<target>/; it belongs in the seed corpus
# once its cause is fixed. Exit status 0 only when every target ran clean.
set -euo pipefail
build="${1:-build-fuzz}"
seconds="${2:-60}"
# On a loaded shared machine a fuzzer waits for the processor; a wider timeout there, and the
# slowest input of the run read from the final statistics instead.
timeout="${3:-1}"
here="$(cd "$(dirname "$0")/.." && pwd)"
# FUZZ_TARGETS picks some of them ("movie ksc").
targets=(${FUZZ_TARGETS:-package parameters movie lrc ksc photo text})
export QT_QPA_PLATFORM=offscreen
# The readers that take a path get each input as a file; memory is far quicker than a disk.
[[ -d /dev/shm && -w /dev/shm ]] && export TMPDIR=/dev/shm
export LSAN_OPTIONS="${LSAN_OPTIONS:-suppressions=$here/scripts/sanitizers/lsan.supp:print_suppressions=0}"
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:allocator_may_return_null=0}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
failed=0
for t in "${targets[@]}"; do
  work="$build/fuzz-corpus/$t"
  findings="$build/fuzz-findings/$t"
  mkdir -p "$work" "$findings"
  echo "== fuzz_$t for ${seconds}s"
  if ! "$build/bin/fuzz_$t" -max_total_time="$seconds" -timeout="$timeout" -rss_limit_mb=2048 \
      -max_len=65536 -print_final_stats=1 -artifact_prefix="$findings/" \
      "$work" "$here/tests/fuzz/corpus/$t" >"$build/fuzz-$t.log" 2>&1; then
    echo "fuzz_$t found a fault; see $build/fuzz-$t.log and $findings/"
    failed=1
  fi
  grep -E '^stat::(number_of_executed_units|slowest_unit_time_sec)|^#[0-9]+.*DONE' \
    "$build/fuzz-$t.log" | tail -3 || true
done
exit $failed
