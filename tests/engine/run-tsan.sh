#!/usr/bin/env bash
# run-tsan.sh [stress runs]: builds the download manager's tests with ThreadSanitizer in
# build/tsan and runs them, the stress test as many times as asked (20 by default). Stops at the
# first report. Run by hand; not part of CI.
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
build="$top/build/tsan"
runs=${1:-20}
tests=(tst_DownloadNzbManagerQueue tst_DownloadNzbManagerResults tst_DownloadNzbManagerLifecycle tst_DownloadNzbManagerStress)
connection_tests=(tst_ThreadNntp tst_DownloadNzbManagerConnections tst_DownloadNzbManagerSpeeds)
cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_FLAGS=-fsanitize=thread \
  -DCMAKE_CXX_FLAGS=-fsanitize=thread -DCMAKE_EXE_LINKER_FLAGS=-fsanitize=thread >/dev/null
cmake --build "$build" --parallel "${TQ_JOBS:-4}" --target "${tests[@]}" "${connection_tests[@]}" tq_manager_exit \
  tq_connections_exit
# Qt is not built with the sanitizer. Its own allocations and copies (the arguments of queued
# signals, the posted-event list) are left out of the analysis; TsanQtMutex.cpp, built into
# these tests, shows the sanitizer Qt's mutexes and the start and end of each QThread.
export TSAN_OPTIONS="ignore_noninstrumented_modules=1 second_deadlock_stack=1 halt_on_error=1"
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
for test in "${tests[@]:0:3}" "${connection_tests[@]}"; do
  HOME=$home TQ_BIN_DIR=$build/bin "$build/bin/$test" -silent
done
for run in $(seq "$runs"); do
  HOME=$home "$build/bin/tst_DownloadNzbManagerStress" -silent
done
echo "ThreadSanitizer: no report; stress test run $runs times."
