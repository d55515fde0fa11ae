#!/usr/bin/env bash
# Starts or stops the private PostgreSQL server of the tests: a new cluster in DIR, listening only on a Unix
# socket in DIR (no TCP port), superuser "tavorin", no password. Run as root, the server runs as "postgres".
#   pg_server.sh start DIR | stop DIR
set -euo pipefail
action=$1
dir=$2
bin=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)
if [ -z "$bin" ]; then
    echo "PostgreSQL is not installed (Debian package postgresql)" >&2
    exit 1
fi
as=()
if [ "$(id -u)" -eq 0 ]; then
    as=(runuser -u postgres --)
fi

case "$action" in
start)
    if [ -f "$dir/data/postmaster.pid" ]; then
        "${as[@]}" "$bin/pg_ctl" -D "$dir/data" -m immediate stop >/dev/null 2>&1 || true
    fi
    rm -rf "$dir"
    mkdir -p "$dir"
    if [ "$(id -u)" -eq 0 ]; then
        chown postgres: "$dir"
    fi
    "${as[@]}" "$bin/initdb" -D "$dir/data" -U tavorin -A trust -E UTF8 --locale=C.UTF-8 >"$dir/initdb.log" 2>&1 ||
        { cat "$dir/initdb.log" >&2; exit 1; }
    # The user "geheim" must give its password, as on a real server.
    hba="$dir/data/pg_hba.conf"
    { echo "local all geheim scram-sha-256"; cat "$hba"; } >"$hba.new"
    mv "$hba.new" "$hba"
    if [ "$(id -u)" -eq 0 ]; then
        chown postgres: "$hba"
    fi
    "${as[@]}" "$bin/pg_ctl" -D "$dir/data" -l "$dir/server.log" -w -t 30 \
        -o "-c listen_addresses='' -c unix_socket_directories='$dir' -c fsync=off -c max_connections=50" start >/dev/null ||
        { cat "$dir/server.log" >&2; exit 1; }
    ;;
stop)
    if [ -f "$dir/data/postmaster.pid" ]; then
        "${as[@]}" "$bin/pg_ctl" -D "$dir/data" -m fast -w stop >/dev/null
    fi
    ;;
*)
    echo "usage: $0 start|stop DIR" >&2
    exit 2
    ;;
esac
