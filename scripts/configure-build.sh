#!/usr/bin/env bash
# configure-build.sh <build-dir> <build-type> [cmake options...]: configures (once) and builds.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=$1; type=$2; shift 2
cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE="$type" "$@" >/dev/null
cmake --build "$build" --parallel "${TQ_JOBS:-$(nproc)}"
