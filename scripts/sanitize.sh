#!/usr/bin/env bash
# sanitize.sh asan|tsan [ctest options...]: builds the program and its tests with sanitizers and
# runs the tests (by default all of them; ctest options such as -R <pattern> choose others).
#   asan: AddressSanitizer and UndefinedBehaviorSanitizer, in build/asan.
#   tsan: ThreadSanitizer, in build/tsan; the download manager's stress test then runs again
#         TQ_STRESS_RUNS times (20 by default).
# Reports about Qt's own code are suppressed (tests/support/*.supp). Ends with the sanitizer
# reports of each test, also kept in build/<mode>/sanitizer-reports.txt beside the whole output
# of the tests (sanitizer-tests.log). Run by hand; not part of CI. TQ_JOBS sets the
# parallel jobs of the build and of the tests (all cores by default).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
mode=${1:-}
case "$mode" in
  asan) option=-DTQ_SANITIZE=ON ;;
  tsan) option=-DTQ_SANITIZE_THREAD=ON ;;
  *) echo "usage: $0 asan|tsan [ctest options...]" >&2; exit 2 ;;
esac
shift
build="$top/build/$mode"
jobs=${TQ_JOBS:-$(nproc)}

"$top/scripts/install-deps.sh" --test
TQ_JOBS=$jobs "$top/scripts/configure-build.sh" "$build" RelWithDebInfo "$option" -DTQ_BUILD_BENCH=OFF

# verify_asan_link_order: the clock variants preload libfaketime before the sanitizer's runtime.
# quarantine_size_mb: the tests that bound their own memory would otherwise count the
# quarantine of freed blocks too. Full stacks on allocation let the leak suppressions name
# the library a block was allocated in.
export ASAN_OPTIONS="verify_asan_link_order=0:quarantine_size_mb=16:fast_unwind_on_malloc=0:detect_leaks=1"
export LSAN_OPTIONS="suppressions=$top/tests/support/lsan-qt.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export TSAN_OPTIONS="ignore_noninstrumented_modules=1 second_deadlock_stack=1 print_suppressions=0 suppressions=$top/tests/support/tsan-qt.supp"

status=0
cd "$build"
ctest --output-on-failure --parallel "$jobs" "$@" || status=$?
# The whole output of every test, kept apart from the stress runs' log.
log="$build/sanitizer-tests.log"
cp "$build/Testing/Temporary/LastTest.log" "$log"
summary="$build/sanitizer-reports.txt"
# Each test's sanitizer headlines, once each, from ctest's log.
awk '
  /^[0-9]+\/[0-9]+ Testing: / { test = $3 }
  /(ERROR|WARNING): [A-Za-z]*Sanitizer|runtime error:|SUMMARY: [A-Za-z]*Sanitizer/ {
    line = $0; sub(/==[0-9]+==/, "", line); sub(/\(pid=[0-9]+\)/, "", line)
    if (!seen[test SUBSEP line]++) print test ": " line
  }' "$log" >"$summary" || true

if [ "$mode" = tsan ] && [ $# -eq 0 ]; then
  ctest --output-on-failure --repeat "until-fail:${TQ_STRESS_RUNS:-20}" -R '^tst_DownloadNzbManagerStress$' || status=$?
  awk '/(WARNING|ERROR): ThreadSanitizer|SUMMARY: ThreadSanitizer/ { print "tst_DownloadNzbManagerStress (repeated): " $0 }' \
    "$build/Testing/Temporary/LastTest.log" >>"$summary" || true
fi

echo
if [ -s "$summary" ]; then
  echo "Sanitizer reports (also in $summary):"
  cat "$summary"
else
  echo "No sanitizer report."
fi
exit "$status"
