#!/usr/bin/env bash
# Starts or stops a private INN 2 news server on 127.0.0.1 for the interoperability test.
#
#   inn2-server.sh start DIR INND_PORT PLAIN_PORT AUTH_PORT TLS_PORT USER PASSWORD
#   inn2-server.sh stop DIR
#   inn2-server.sh cancel DIR MESSAGE-ID    (with its angle brackets: the article is removed)
#
# Everything lives under DIR (configuration, database, spool, logs, run files, certificate):
# innd accepts posts on INND_PORT; nnrpd serves readers on PLAIN_PORT without log-in, on
# AUTH_PORT with AUTHINFO required, and on TLS_PORT with TLS and AUTHINFO required. The
# group alt.binaries.test exists. On failure the script prints the reason and exits non-zero.
set -euo pipefail

INNBIN=/usr/lib/news/bin
GROUP=alt.binaries.test

die() {
    echo "inn2-server: $*" >&2
    exit 1
}

as_news() {
    runuser -u news -- env INNCONF="$DIR/etc/inn.conf" HOME="$DIR" "$@"
}

wait_for_port() {
    local port=$1
    for _ in $(seq 1 100); do
        if (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null; then
            return 0
        fi
        sleep 0.1
    done
    return 1
}

write_inn_conf() {
    local keys="domain pathhost pathnews bindaddress port noreader nnrpdloadlimit doinnwatch maxartsize
        localmaxartsize nnrpdpostport ovmethod hismethod tlscertfile tlskeyfile logipaddr
        patharchive patharticles pathbin pathcontrol pathdb pathetc pathfilter pathhttp pathincoming
        pathlog pathoutgoing pathoverview pathrun pathspool pathtmp status timer readerswhenstopped"
    local filter
    filter=$(echo $keys | sed 's/ /|/g')
    grep -Ev "^[[:space:]]*($filter):" /etc/news/inn.conf > "$DIR/etc/inn.conf" || true
    cat >> "$DIR/etc/inn.conf" <<EOF
domain:           test.invalid
pathhost:         inn2.test.invalid
pathnews:         /usr/lib/news
bindaddress:      127.0.0.1
port:             $INND_PORT
nnrpdpostport:    $INND_PORT
noreader:         true
readerswhenstopped: false
nnrpdloadlimit:   0
doinnwatch:       false
maxartsize:       4000000
localmaxartsize:  4000000
ovmethod:         tradindexed
hismethod:        hisv6
logipaddr:        false
status:           0
timer:            0
tlscertfile:      $DIR/etc/cert.pem
tlskeyfile:       $DIR/etc/key.pem
patharchive:      $DIR/spool/archive
patharticles:     $DIR/spool/articles
pathbin:          $INNBIN
pathcontrol:      $INNBIN/control
pathdb:           $DIR/db
pathetc:          $DIR/etc
pathfilter:       $DIR/etc/filter
pathhttp:         $DIR/http
pathincoming:     $DIR/spool/incoming
pathlog:          $DIR/log
pathoutgoing:     $DIR/spool/outgoing
pathoverview:     $DIR/spool/overview
pathrun:          $DIR/run
pathspool:        $DIR/spool
pathtmp:          $DIR/tmp
EOF
}

write_readers_conf() {
    cat > "$DIR/etc/readers-open.conf" <<EOF
auth "local" {
    hosts: "127.0.0.1, ::1, localhost, stdin"
    default: "<local>"
}
access "local" {
    users: "<local>"
    newsgroups: "*"
    access: RPA
}
EOF
    cat > "$DIR/etc/readers-auth.conf" <<EOF
auth "password" {
    auth: "ckpasswd -f $DIR/etc/passwd"
}
access "password" {
    users: "*"
    newsgroups: "*"
    access: RPA
}
EOF
    echo "$USER_NAME:$(openssl passwd -6 "$USER_PASSWORD")" > "$DIR/etc/passwd"
}

make_database() {
    cat > "$DIR/db/active" <<EOF
control 0000000000 0000000001 n
control.cancel 0000000000 0000000001 n
junk 0000000000 0000000001 n
$GROUP 0000000000 0000000001 y
EOF
    : > "$DIR/db/active.times"
    : > "$DIR/db/newsgroups"
    : > "$DIR/db/history"
    chown -R news:news "$DIR"
    (cd "$DIR/db" && as_news "$INNBIN/makedbz" -i -o) || die "makedbz failed"
}

start() {
    [ -x "$INNBIN/innd" ] && [ -x "$INNBIN/nnrpd" ] || die "INN 2 is not installed ($INNBIN/innd, nnrpd): install the inn2 package"
    id news >/dev/null 2>&1 || die "there is no user 'news' (install the inn2 package)"
    [ "$(id -u)" -eq 0 ] || die "must run as root to start INN as user news"
    command -v openssl >/dev/null || die "openssl is not installed"

    mkdir -p "$DIR"/{etc,db,log,run,tmp,http} "$DIR"/spool/{archive,articles,incoming,outgoing,overview}
    chmod 755 "$DIR"
    local path=$DIR
    while [ "$path" != / ]; do
        path=$(dirname "$path")
        runuser -u news -- test -x "$path" || die "user news cannot reach $DIR (folder $path is closed to it)"
    done

    cp -r /etc/news/. "$DIR/etc/"
    write_inn_conf
    write_readers_conf
    cat > "$DIR/etc/storage.conf" <<EOF
method tradspool {
    newsgroups: *
    class: 0
}
EOF
    cat > "$DIR/etc/incoming.conf" <<EOF
peer ME {
    hostname: "localhost, 127.0.0.1, ::1"
}
EOF
    openssl req -x509 -newkey rsa:2048 -nodes -subj /CN=localhost -days 1 \
        -keyout "$DIR/etc/key.pem" -out "$DIR/etc/cert.pem" >/dev/null 2>&1 || die "cannot make a certificate"
    make_database
    chmod 600 "$DIR/etc/key.pem"

    as_news "$INNBIN/innd" > "$DIR/log/innd.out" 2>&1 || die "innd did not start: $(cat "$DIR/log/innd.out" "$DIR/log/news.err" 2>/dev/null | tail -5)"
    wait_for_port "$INND_PORT" || die "innd does not listen on $INND_PORT: $(tail -5 "$DIR/log/news.err" 2>/dev/null)"
    as_news "$INNBIN/nnrpd" -D -b 127.0.0.1 -p "$PLAIN_PORT" -c "$DIR/etc/readers-open.conf" -n \
        || die "nnrpd (plain) did not start"
    as_news "$INNBIN/nnrpd" -D -b 127.0.0.1 -p "$AUTH_PORT" -c "$DIR/etc/readers-auth.conf" -n \
        || die "nnrpd (log-in) did not start"
    as_news "$INNBIN/nnrpd" -D -b 127.0.0.1 -p "$TLS_PORT" -c "$DIR/etc/readers-auth.conf" -n -S \
        || die "nnrpd (TLS) did not start"
    for port in "$PLAIN_PORT" "$AUTH_PORT" "$TLS_PORT"; do
        wait_for_port "$port" || die "nnrpd does not listen on $port: $(tail -5 "$DIR/log/news.err" 2>/dev/null)"
    done
    echo "started"
}

alive() {
    local state
    state=$(ps -o stat= -p "$1" 2>/dev/null || true)
    [ -n "$state" ] && [ "${state:0:1}" != Z ]
}

stop() {
    local pidfile pid pids=()
    for pidfile in "$DIR"/run/*.pid; do
        [ -f "$pidfile" ] || continue
        pid=$(cat "$pidfile")
        [ -n "$pid" ] && pids+=("$pid")
    done
    as_news "$INNBIN/ctlinnd" -t 5 shutdown "test finished" >/dev/null 2>&1 || true
    for pid in "${pids[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    for _ in $(seq 1 50); do
        local running=0
        for pid in "${pids[@]}"; do
            alive "$pid" && running=1
        done
        [ $running -eq 0 ] && return 0
        sleep 0.1
    done
    for pid in "${pids[@]}"; do
        kill -KILL "$pid" 2>/dev/null || true
    done
}

case "${1:-}" in
start)
    [ $# -eq 8 ] || die "usage: $0 start DIR INND_PORT PLAIN_PORT AUTH_PORT TLS_PORT USER PASSWORD"
    DIR=$2 INND_PORT=$3 PLAIN_PORT=$4 AUTH_PORT=$5 TLS_PORT=$6 USER_NAME=$7 USER_PASSWORD=$8
    start
    ;;
cancel)
    [ $# -eq 3 ] || die "usage: $0 cancel DIR MESSAGE-ID"
    DIR=$2
    as_news "$INNBIN/ctlinnd" -t 30 cancel "$3" >/dev/null || die "ctlinnd cancel $3 failed"
    ;;
stop)
    [ $# -eq 2 ] || die "usage: $0 stop DIR"
    DIR=$2
    stop
    ;;
*)
    die "usage: $0 start|stop|cancel DIR ..."
    ;;
esac
