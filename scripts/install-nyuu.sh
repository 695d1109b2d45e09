#!/usr/bin/env bash
# install-nyuu.sh <folder>: installs the Usenet poster nyuu from the npm registry into <folder>
# (never globally), for the end-to-end test and bench/peer; its program is then
# <folder>/node_modules/.bin/nyuu. Does nothing when it is there and runs already.
set -euo pipefail
[ $# -eq 1 ] || { echo "usage: $0 <folder>" >&2; exit 2; }
folder=$1
version=0.4.0
program="$folder/node_modules/.bin/nyuu"
if [ -x "$program" ] && "$program" --help >/dev/null 2>&1; then
  exit 0
fi
command -v npm >/dev/null || { echo "install-nyuu: npm is not installed (scripts/install-deps.sh --test installs it)" >&2; exit 1; }
mkdir -p "$folder"
# Several test runs may install at once: one at a time.
exec 9>"$folder/.install.lock"
flock 9
if ! [ -x "$program" ] || ! "$program" --help >/dev/null 2>&1; then
  npm install --prefix "$folder" --no-audit --no-fund --no-save --loglevel=error "nyuu@$version" >&2 \
    || { echo "install-nyuu: npm install nyuu@$version failed" >&2; exit 1; }
fi
"$program" --help >/dev/null 2>&1 || { echo "install-nyuu: $program does not run" >&2; exit 1; }
