#!/usr/bin/env bash
# install-desktop-entry.sh <executable>: installs the program's desktop entry and icon for the
# current user (freedesktop names, under ${XDG_DATA_HOME:-~/.local/share}), so that the desktop's
# menus list the program and task managers and docks tie the launcher progress the program sends
# for "application://tessaquill.desktop" to it. The entry starts <executable>. Idempotent.
set -euo pipefail
[ $# -eq 1 ] || { echo "usage: $0 <executable>" >&2; exit 2; }
top=$(cd "$(dirname "$0")/.." && pwd)
executable=$(realpath -m "$1")
data=${XDG_DATA_HOME:-$HOME/.local/share}
entry_dir=$data/applications
icon_dir=$data/icons/hicolor/64x64/apps

# The Exec key quotes a program path that holds a blank or a reserved character; inside the
# quotes \ " ` and $ take a backslash, which the key's string escaping doubles, and % is doubled.
exec_program=$executable
if [[ $executable =~ [^A-Za-z0-9_./+,:@=-] ]]; then
    quoted=$(printf '%s' "$executable" | sed -e 's/[\\"`$]/\\&/g' -e 's/\\/\\\\/g' -e 's/%/%%/g')
    exec_program="\"$quoted\""
fi

mkdir -p "$entry_dir" "$icon_dir"
entry=$(while IFS= read -r line; do
    [[ $line == "Exec=tessaquill "* ]] && line="Exec=$exec_program ${line#Exec=tessaquill }"
    printf '%s\n' "$line"
done <"$top/src/resources/desktop/tessaquill.desktop")
if [ ! -f "$entry_dir/tessaquill.desktop" ] || [ "$(cat "$entry_dir/tessaquill.desktop")" != "$entry" ]; then
    printf '%s\n' "$entry" >"$entry_dir/tessaquill.desktop"
    command -v update-desktop-database >/dev/null && update-desktop-database -q "$entry_dir" || true
fi
if ! cmp -s "$top/src/resources/images/logo_tessaquill.png" "$icon_dir/tessaquill.png"; then
    cp "$top/src/resources/images/logo_tessaquill.png" "$icon_dir/tessaquill.png"
    command -v gtk-update-icon-cache >/dev/null && gtk-update-icon-cache -q -t "$data/icons/hicolor" 2>/dev/null || true
fi
