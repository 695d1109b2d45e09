#!/usr/bin/env bash
# screenshots.sh [folder]: a picture of every window and dialog of the program.
#
# Builds the program and its guided tour (tests/app/ScreenshotTour.cpp) in build/screenshots,
# starts the real program under Xvfb with a window manager (openbox) and a tray host (trayer) in a
# temporary home, lets the tour open every window, dialog and menu one after the other as a user
# does, and saves each one with ImageMagick's import as <folder>/<number>-<name>.png (default
# folder: build/screenshots/pictures). Then it starts the program again on a screen of 1024 x 768
# and takes the main window there (pictures 40 and up, of the whole screen). Beside the program
# run two test news servers: one serves the download, the other refuses the tour's log-in. A
# window that could not be opened is listed in <folder>/missing.txt. Nothing of the real home is
# read or written, and the program reaches no network: its version page and a page behind a site
# log-in come from the project's test web server. TQ_SCREENSHOTS_LOCALE (say de_DE.UTF-8) takes
# the pictures in another language.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${TQ_SCREENSHOTS_BUILD:-$top/build/screenshots}
out=$(realpath -m "${1:-$build/pictures}")

if [ -z "${TQ_TOUR_UNDER_X:-}" ]; then
    "$top/scripts/install-deps.sh" --test
    cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTQ_BUILD_BENCH=OFF >/dev/null
    cmake --build "$build" --parallel "${TQ_JOBS:-$(nproc)}" --target tessaquill tq_screenshot_tour unrar \
        tq_nntp_test_server tq_http_test_server
    mkdir -p "$out"
    rm -f "$out"/*.png "$out"/*.txt
    export TQ_TOUR_UNDER_X=1 TQ_SCREENSHOTS_BUILD="$build"
    status=0
    TQ_TOUR_PLAN=full xvfb-run -a -s "-screen 0 1920x1080x24" "$0" "$out" || status=$?
    TQ_TOUR_PLAN=small-screen xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$out" || status=$?
    exit "$status"
fi

# From here on we run under Xvfb (DISPLAY is set), for one plan of the tour.
plan=${TQ_TOUR_PLAN:-full}
errors=$out/program-errors.txt
[ "$plan" = full ] || errors=$out/program-errors-$plan.txt
home=$(mktemp -d "${TMPDIR:-/tmp}/tq-screenshots-XXXXXX")
mkdir -m 700 "$home/runtime"
cd "$home" # the file choosers open here
export HOME=$home XDG_CONFIG_HOME=$home/.config XDG_DATA_HOME=$home/.local/share XDG_CACHE_HOME=$home/.cache
export XDG_RUNTIME_DIR=$home/runtime LC_ALL=${TQ_SCREENSHOTS_LOCALE:-C.UTF-8} QT_QPA_PLATFORM=xcb
# No desktop bus, no login manager.
export DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent/session-bus DBUS_SYSTEM_BUS_ADDRESS=unix:path=/nonexistent/system-bus

# A window manager and a tray host, as on a desktop: the tray icon and its menu have a home.
helpers=()
cleanup() {
    for pid in "${helpers[@]}"; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$home"
}
trap cleanup EXIT
openbox >/dev/null 2>&1 &
helpers+=($!)
sleep 1
trayer --edge bottom --align right --widthtype pixel --width 120 --height 28 >/dev/null 2>&1 &
helpers+=($!)
sleep 1

# start_test_server <log> <program> <options...>: starts one of the project's test servers
# (tests/support) on 127.0.0.1 and sets server_port to the port it listens on.
start_test_server() {
    local log=$1 program=$2
    shift 2
    "$build/bin/$program" "$@" >"$log" 2>&1 &
    helpers+=($!)
    for _ in $(seq 1 100); do
        grep -q "listening on" "$log" && break
        sleep 0.1
    done
    server_port=$(sed -n 's/^listening on 127.0.0.1:\([0-9]*\).*/\1/p' "$log")
    [ -n "$server_port" ] || { echo "$program did not start: $(cat "$log")" >&2; exit 1; }
}

# The test web server: the version page names a newer version, so the offer appears, and /login
# asks for a site log-in.
start_test_server "$home/web-server.txt" tq_http_test_server --version 1.5.0
export TESSAQUILL_VERSION_URL=http://127.0.0.1:$server_port/version.txt TQ_TOUR_LOGIN_URL=http://127.0.0.1:$server_port/login

# Two test news servers. One slowed down, so that the download is still going when the pictures
# are taken; it serves articles made up from their message ids.
start_test_server "$home/news-server.txt" tq_nntp_test_server --throttle 12000
open_port=$server_port
# One that wants a login: the tour gives it a wrong password, which it refuses.
start_test_server "$home/locked-news-server.txt" tq_nntp_test_server --user reader --password secret
locked_port=$server_port

# An NZB file for the add-NZB dialog and the queue.
{
    echo '<?xml version="1.0" encoding="utf-8"?>'
    echo '<!DOCTYPE nzb PUBLIC "-//newzBin//DTD NZB 1.1//EN" "http://www.newzbin.com/DTD/nzb/nzb-1.1.dtd">'
    echo '<nzb xmlns="http://www.newzbin.com/DTD/2003/nzb">'
    seed=1
    for file in 1 2 3 4; do
        echo "<file poster=\"Poster &lt;p@test.invalid&gt;\" date=\"1700000000\" subject=\"&quot;holiday-$file.jpg&quot; yEnc (1/3) 2100000\">"
        echo '<groups><group>alt.binaries.test</group></groups><segments>'
        for segment in 1 2 3; do
            echo "<segment bytes=\"700000\" number=\"$segment\">tq.700000.$seed@gen</segment>"
            seed=$((seed + 1))
        done
        echo '</segments></file>'
    done
    echo '</nzb>'
} >"$home/Holiday pictures.nzb"

export TQ_TOUR=1 TQ_TOUR_PLAN=$plan TQ_TOUR_NZB="$home/Holiday pictures.nzb" TQ_TOUR_SERVER_PORT=$open_port TQ_TOUR_LOCKED_SERVER_PORT=$locked_port
coproc TOUR { LD_PRELOAD="$build/lib/libtq_screenshot_tour.so" "$build/bin/tessaquill" 2>"$errors"; }
exec {from_tour}<&"${TOUR[0]}" {to_tour}>&"${TOUR[1]}"
program=$TOUR_PID

count=0
while IFS= read -r line <&"$from_tour"; do
    case $line in
    "shot "*)
        read -r _ name window <<<"$line"
        if import -window "$window" "$out/$name.png" 2>/dev/null || import -window root "$out/$name.png"; then
            count=$((count + 1))
            echo "saved $out/$name.png"
        fi
        echo next >&"$to_tour"
        ;;
    "missing "*)
        echo "${line#missing }" >>"$out/missing.txt"
        echo "$line" >&2
        ;;
    done)
        break
        ;;
    esac
done
status=0
wait "$program" || status=$?
echo "$plan tour: $count pictures in $out (program exit code $status)"
[ -s "$out/missing.txt" ] && echo "windows not reached: see $out/missing.txt" >&2
[ "$status" -eq 0 ]
