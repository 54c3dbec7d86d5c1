#!/usr/bin/env bash
# Runs the tests of sanitizer build folder $1 (ctest regex $2, default all) with $3 jobs.
# AddressSanitizer (with leak checking) and UndefinedBehaviorSanitizer stop a test at the
# first report; scripts/sanitizers/lsan.supp lists the leaks that are not ours.
set -euo pipefail
build="${1:-build-sanitize}"
tests="${2:-.}"
jobs="${3:-$(nproc)}"
here="$(cd "$(dirname "$0")/.." && pwd)"
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:detect_stack_use_after_return=0"
export LSAN_OPTIONS="suppressions=$here/scripts/sanitizers/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
cd "$build"
ctest --output-on-failure -j "$jobs" -R "$tests"
