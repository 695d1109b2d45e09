#!/usr/bin/env bash
# Installs what is missing, builds with warnings as errors and runs every test.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/install-deps.sh" --test
build="$top/build/test"
"$top/scripts/configure-build.sh" "$build" RelWithDebInfo -DTQ_WERROR=ON -DTQ_BUILD_BENCH=ON
cd "$build"
ctest --output-on-failure --parallel "$(nproc)" "$@"
