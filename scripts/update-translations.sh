#!/usr/bin/env bash
# Refreshes the translation files src/translations/tessaquill_<language>.ts from the texts of
# the sources and forms under src/: new texts come in unfinished, changed ones are marked for
# review, and texts that vanished stay as obsolete entries whose translations can be reused.
# English is the language of the sources, so its file holds plural forms only.
# Run it after merging; commit the .ts files it changes. Extra options go to lupdate (for
# example -no-obsolete to drop the obsolete entries).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
lupdate=$(command -v lupdate || echo /usr/lib/qt5/bin/lupdate)
cd "$top"
common=(-locations none -extensions cpp,h,ui -silent "$@")
ts=()
for language in fr de es; do
  ts+=("src/translations/tessaquill_$language.ts")
done
"$lupdate" "${common[@]}" src -ts "${ts[@]}"
"$lupdate" "${common[@]}" -pluralonly src -ts src/translations/tessaquill_en.ts
