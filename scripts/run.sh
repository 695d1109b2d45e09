#!/usr/bin/env bash
# Installs what is missing to build and run, builds a Release build, installs the desktop entry
# and icon for the user (under ~/.local/share) and starts the program with its arguments.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/install-deps.sh"
build="$top/build/release"
"$top/scripts/configure-build.sh" "$build" Release -DTQ_BUILD_TESTS=OFF -DTQ_BUILD_BENCH=OFF
"$top/scripts/install-desktop-entry.sh" "$build/bin/tessaquill"
exec "$build/bin/tessaquill" "$@"
