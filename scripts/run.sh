#!/usr/bin/env bash
# Installs what is missing, builds a Release build and starts the program with its arguments.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/install-deps.sh"
build="$top/build/release"
"$top/scripts/configure-build.sh" "$build" Release -DTQ_BUILD_TESTS=OFF -DTQ_BUILD_BENCH=OFF
exec "$build/bin/tessaquill" "$@"
