#!/usr/bin/env bash
# bench/peer/run.sh: this engine against Debian's nzbget on one posted set, by hand, never in CI.
#
#   bench/peer/run.sh [--size MB] [--runs N] [--folder DIR] [--connections N] [--nzbget-par-quick yes|no]
#
# Starts INN 2 on 127.0.0.1 (tests/engine/inn2-server.sh), makes a set of random files of
# --size MB (1024) with 5 % PAR2 recovery, posts it with nyuu in 700 KB articles, then downloads
# it with N connections (8) by this engine (peer_engine: the manager, its decoders, par2 and the
# clean-up into the destination) and by nzbget (its own configuration in a temporary folder,
# DirectWrite on, ParCheck forced), alternating A B A B... --runs times (3). Both keep their
# folders in --folder (~/tq-peer-bench: the home file system; give /dev/shm/... for tmpfs).
# nzbget verifies with the checksums it computed while downloading (its ParQuick, on by default);
# --nzbget-par-quick no makes it read the files back and hash them as par2 does for the engine.
# Every run's files are checked against the originals (SHA-256).
#
# Prints for each client and run the seconds until every article was in and until the
# verified files were in the destination, MB/s, CPU seconds per GiB and peak memory (and the
# engine's phases after the last article); then, last, the medians and the ratios as
# "name: value unit".
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
size_mb=1024 runs=3 folder="$HOME/tq-peer-bench" connections=8 par_quick=yes
while [ $# -gt 0 ]; do
  case $1 in
    --size) size_mb=$2; shift 2 ;;
    --runs) runs=$2; shift 2 ;;
    --folder) folder=$2; shift 2 ;;
    --connections) connections=$2; shift 2 ;;
    --nzbget-par-quick) par_quick=$2; shift 2 ;;
    *) echo "usage: $0 [--size MB] [--runs N] [--folder DIR] [--connections N] [--nzbget-par-quick yes|no]" >&2; exit 2 ;;
  esac
done
[ "$(id -u)" -eq 0 ] || { echo "run as root (INN runs as user news, nzbget comes from apt)" >&2; exit 1; }

say() { echo "peer: $*" >&2; }

# What the bench needs beyond the project's own packages.
"$top/scripts/install-deps.sh" --test
for tool in nzbget bc:bc time:/usr/bin/time; do
  command -v "${tool#*:}" >/dev/null || DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${tool%%:*}" >&2
done
build="$top/build/bench"
say "building"
# Configured only: the two programs the bench runs are all it builds.
cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE="${TQ_BENCH_BUILD_TYPE:-Release}" \
  -DTQ_BUILD_BENCH=ON -DTQ_WERROR=OFF >/dev/null
cmake --build "$build" --parallel "${TQ_JOBS:-4}" --target peer_engine unrar >&2
"$top/scripts/install-nyuu.sh" "$build/npm"
nyuu="$build/npm/node_modules/.bin/nyuu"

mkdir -p "$folder"
folder=$(cd "$folder" && pwd)
inn=$(mktemp -d /tmp/tq-peer-inn.XXXXXX)
chmod 755 "$inn"
read -r innd_port plain_port auth_port tls_port control_port < <(python3 -c '
import socket
s = [socket.socket() for _ in range(5)]
for x in s: x.bind(("127.0.0.1", 0))
print(" ".join(str(x.getsockname()[1]) for x in s))')
stop_all() {
  [ -n "${nzbget_conf:-}" ] && nzbget -c "$nzbget_conf" -Q >/dev/null 2>&1 || true
  "$top/tests/engine/inn2-server.sh" stop "$inn/server" >/dev/null 2>&1 || true
  rm -rf "$inn"
}
trap stop_all EXIT
say "starting INN 2"
"$top/tests/engine/inn2-server.sh" start "$inn/server" "$innd_port" "$plain_port" "$auth_port" "$tls_port" reader s3cret >&2

# The set: random files of 128 MB (the last one shorter), PAR2 recovery of 5 %.
set_dir="$folder/set"
rm -rf "$set_dir" && mkdir -p "$set_dir"
say "making a set of $size_mb MB"
left=$size_mb n=1
while [ "$left" -gt 0 ]; do
  part=$(( left < 128 ? left : 128 ))
  head -c "${part}M" /dev/urandom > "$set_dir/$(printf 'peerset.%02d.bin' "$n")"
  left=$(( left - part )) n=$(( n + 1 ))
done
(cd "$set_dir" && par2 create -q -q -r5 -s716800 peerset.par2 peerset.*.bin >&2)
set_bytes=$(cat "$set_dir"/peerset.*.bin | wc -c)
(cd "$set_dir" && sha256sum peerset.*.bin > "$folder/set.sha256")
say "posting with nyuu"
nzb="$folder/peerset.nzb"
# nyuu 0.4.0 can crash with "Timer already set" on its post time-out: that time-out is off, and a
# posting that fails anyway is made again (the articles of a failed try are simply not used).
posted=no
for attempt in 1 2 3; do
  if (cd "$set_dir" && "$nyuu" -h 127.0.0.1 -P "$plain_port" -n 8 -a 700K -g alt.binaries.test \
        --post-timeout 0 -f 'Poster <p@test.invalid>' -o "$nzb" -O -q ./*) >&2; then
    posted=yes
    break
  fi
  say "posting failed (try $attempt of 3)"
  rm -f "$nzb"
done
[ "$posted" = yes ] || { say "nyuu could not post the set"; exit 1; }
# The spool may lag the last acceptance a little: every article is asked for until served.
python3 - "$nzb" "$plain_port" <<'PY' >&2
import re, socket, sys, time
ids = re.findall(r'<segment[^>]*>([^<]+)</segment>', open(sys.argv[1]).read())
s = socket.create_connection(("127.0.0.1", int(sys.argv[2])))
f = s.makefile("rwb")
f.readline()
for i in ids:
    for attempt in range(100):
        f.write(b"STAT <" + i.strip().encode() + b">\r\n"); f.flush()
        if f.readline().startswith(b"223"):
            break
        time.sleep(0.1)
    else:
        sys.exit("article %s is not served" % i)
print("peer: %d articles served" % len(ids))
PY
rm -rf "$set_dir"   # the originals' checksums are kept

check_files() { # folder -> fails unless every file is there, equal to the original
  (cd "$1" && sha256sum --quiet -c "$folder/set.sha256")
}

# nzbget: its own configuration, everything in a folder of its own.
nzbget_dir="$folder/nzbget"
nzbget_conf="$folder/nzbget.conf"
cat > "$nzbget_conf" <<CONF
MainDir=$nzbget_dir
DestDir=\${MainDir}/dst
InterDir=\${MainDir}/inter
NzbDir=\${MainDir}/nzb
QueueDir=\${MainDir}/queue
TempDir=\${MainDir}/tmp
ScriptDir=\${MainDir}/scripts
LockFile=\${MainDir}/nzbget.lock
LogFile=\${MainDir}/nzbget.log
WebDir=/usr/share/nzbget/webui/
ConfigTemplate=/usr/share/nzbget/webui/nzbget.conf
Server1.Active=yes
Server1.Level=0
Server1.Host=127.0.0.1
Server1.Port=$plain_port
Server1.Connections=$connections
Server1.Encryption=no
ControlIP=127.0.0.1
ControlPort=$control_port
ControlUsername=nzbget
ControlPassword=peerbench
DaemonUsername=root
UpdateCheck=none
DirectWrite=yes
ParCheck=force
ParQuick=$par_quick
ParRepair=yes
Unpack=yes
AppendCategoryDir=no
DupeCheck=no
NzbDirInterval=0
OutputMode=loggable
WriteLog=append
CONF

now() { date +%s.%N; }
cpu_of() { # pid -> user+system seconds of it and its waited children
  awk -v hz="$(getconf CLK_TCK)" '{ print ($14 + $15 + $16 + $17) / hz }' "/proc/$1/stat"
}
peak_of() { awk '/VmHWM/ { print $2 / 1024 }' "/proc/$1/status"; }

run_engine() {
  # The Cache folder stays from run to run, as the program's own does; the others are emptied.
  rm -rf "$folder/engine/Download" "$folder/engine/Destination"
  local out="$folder/engine.out"
  /usr/bin/time -f '%U %S %M' -o "$folder/engine.time" \
    "$build/bin/peer_engine" "$nzb" "$plain_port" "$connections" "$folder/engine" > "$out"
  grep -q '^status: succeeded' "$out" || { say "engine: post-processing failed"; cat "$out" >&2; return 1; }
  check_files "$(sed -n 's/^destination: //p' "$out")" || { say "engine: files differ"; return 1; }
  local articles verified user sys peak decoded par2_started par2_ended finished
  mark() { sed -n "s/^$1: \\([0-9.]*\\).*/\\1/p" "$out"; }
  articles=$(mark articles-in-s)
  verified=$(mark verified-s)
  decoded=$(mark decoded-s)
  par2_started=$(mark par2-started-s)
  par2_ended=$(mark par2-s)
  finished=$(mark finished-s)
  read -r user sys peak < "$folder/engine.time"
  say "engine: every file decoded at $decoded s, par2 from $par2_started to $par2_ended s, post-processing ended at $finished s, in the destination at $verified s"
  # The phases after the last article: decoding, the wait for par2, par2, the stages after it, the clean-up.
  echo "$(echo "$decoded - $articles" | bc -l) $(echo "$par2_started - $decoded" | bc -l)" \
    "$(echo "$par2_ended - $par2_started" | bc -l) $(echo "$finished - $par2_ended" | bc -l)" \
    "$(echo "$verified - $finished" | bc -l)" >> "$phases"
  echo "engine $articles $verified $(echo "$user + $sys" | bc -l) $(echo "$peak / 1024" | bc -l)"
}

run_nzbget() {
  rm -rf "$nzbget_dir" && mkdir -p "$nzbget_dir"
  nzbget -c "$nzbget_conf" -D >&2
  for _ in $(seq 1 100); do nzbget -c "$nzbget_conf" -V >/dev/null 2>&1 && break; sleep 0.1; done
  local pid start articles="" verified="" history=""
  pid=$(cat "$nzbget_dir/nzbget.lock")
  start=$(now)
  nzbget -c "$nzbget_conf" -A "$nzb" >/dev/null
  # Every article is in once the queue is empty; verified once the history has the NZB.
  while :; do
    if [ -z "$articles" ] && nzbget -c "$nzbget_conf" -L G 2>/dev/null | grep -qE '^Files: 0$|no files queued'; then
      articles=$(echo "$(now) - $start" | bc -l)
    fi
    history=$(nzbget -c "$nzbget_conf" -L H 2>/dev/null | grep 'peerset' || true)
    if [ -n "$history" ]; then
      verified=$(echo "$(now) - $start" | bc -l)
      break
    fi
    sleep 0.05
  done
  [ -n "$articles" ] || articles=$verified
  local cpu peak
  cpu=$(cpu_of "$pid"); peak=$(peak_of "$pid")
  nzbget -c "$nzbget_conf" -Q >/dev/null 2>&1 || true
  while kill -0 "$pid" 2>/dev/null; do sleep 0.1; done
  echo "$history" | grep -q 'successful' || { say "nzbget: $history"; return 1; }
  check_files "$nzbget_dir/dst/peerset" || { say "nzbget: files differ"; return 1; }
  echo "nzbget $articles $verified $cpu $peak"
}

results="$folder/results.txt"
phases="$folder/engine-phases.txt"
: > "$results"
: > "$phases"
for r in $(seq 1 "$runs"); do
  for client in engine nzbget; do
    say "run $r: $client (load $(cut -d' ' -f1-3 /proc/loadavg))"
    line=$("run_$client")
    echo "$line" >> "$results"
    read -r _ articles verified cpu peak <<< "$line"
    printf 'peer: %-7s articles in %6.2f s, verified in destination %6.2f s, %7.1f MB/s, %5.2f CPU s/GiB, peak %6.1f MB\n' \
      "$client" "$articles" "$verified" "$(echo "$set_bytes / 1000000 / $verified" | bc -l)" \
      "$(echo "$cpu / ($set_bytes / 1073741824)" | bc -l)" "$peak" >&2
  done
done

median() { sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
for client in engine nzbget; do
  for field in 2 3 4 5; do
    eval "m_${client}_${field}=$(awk -v c=$client -v f=$field '$1 == c { print $f }' "$results" | median)"
  done
done
gib=$(echo "$set_bytes / 1073741824" | bc -l)
for client in engine nzbget; do
  eval "a=\$m_${client}_2 v=\$m_${client}_3 c=\$m_${client}_4 p=\$m_${client}_5"
  printf '%s-articles-in: %.2f s\n' "$client" "$a"
  printf '%s-verified: %.2f s\n' "$client" "$v"
  printf '%s-speed: %.1f MB/s\n' "$client" "$(echo "$set_bytes / 1000000 / $v" | bc -l)"
  printf '%s-cpu-per-gib: %.2f s\n' "$client" "$(echo "$c / $gib" | bc -l)"
  printf '%s-peak-memory: %.1f MB\n' "$client" "$p"
done
# The engine's time from the last article to its files in the destination, phase by phase.
field=1
for name in decoding par2-wait par2 after-par2 clean-up; do
  printf 'engine-phase-%s: %.3f s\n' "$name" "$(awk -v f=$field '{ print $f }' "$phases" | median)"
  field=$((field + 1))
done
printf 'speed-ratio-verified: %.2f\n' "$(echo "$m_nzbget_3 / $m_engine_3" | bc -l)"
printf 'speed-ratio-articles-in: %.2f\n' "$(echo "$m_nzbget_2 / $m_engine_2" | bc -l)"
printf 'cpu-ratio: %.2f\n' "$(echo "$m_engine_4 / $m_nzbget_4" | bc -l)"
