#!/bin/sh
# A throwaway PostgreSQL server for the tests, listening only on a Unix socket in its own folder.
#
#   testserver.sh start STATEFILE   initdb into a new folder below $TMPDIR (or /tmp), start the
#                                   server there, write the folder to STATEFILE and print it
#   testserver.sh stop STATEFILE    stop that server and remove its folder
#
# Run as root, the server runs as an unprivileged user ($VK_PG_USER, default nobody): PostgreSQL
# refuses to run as root. The superuser of the cluster is "vk", logins are trusted (the socket is
# in a private folder, no TCP port is opened). Durability is switched off: the data is thrown away.
# The binaries are found by $VK_PG_BIN, pg_config, or the newest /usr/lib/postgresql/*/bin.
set -eu

befehl=${1:-}
zustand=${2:-}
[ -n "$befehl" ] && [ -n "$zustand" ] || { echo "usage: $0 start|stop STATEFILE" >&2; exit 2; }

bin=${VK_PG_BIN:-}
if [ -z "$bin" ] && command -v pg_config >/dev/null 2>&1; then
  bin=$(pg_config --bindir)
  [ -x "$bin/initdb" ] || bin=
fi
if [ -z "$bin" ]; then
  bin=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)
fi
if [ -z "$bin" ] || [ ! -x "$bin/initdb" ]; then
  echo "testserver.sh: no PostgreSQL server binaries (initdb, pg_ctl); install the Debian package postgresql" >&2
  exit 1
fi

als() {
  if [ "$(id -u)" -eq 0 ]; then runuser -u "${VK_PG_USER:-nobody}" -- "$@"; else "$@"; fi
}

stoppen() {
  dir=$1
  [ -d "$dir" ] || return 0
  [ -f "$dir/daten/postmaster.pid" ] && als "$bin/pg_ctl" -D "$dir/daten" -m immediate -w stop >/dev/null 2>&1 || true
  rm -rf "$dir"
}

case "$befehl" in
  start)
    # A server a crashed run left behind goes first.
    [ -f "$zustand" ] && stoppen "$(cat "$zustand")"
    dir=$(mktemp -d "${TMPDIR:-/tmp}/vk_pg_XXXXXX")
    [ "$(id -u)" -eq 0 ] && chown "${VK_PG_USER:-nobody}" "$dir"
    if ! als "$bin/initdb" -D "$dir/daten" -U vk -A trust -E UTF8 --no-locale -N >"$dir/initdb.log" 2>&1; then
      cat "$dir/initdb.log" >&2
      rm -rf "$dir"
      exit 1
    fi
    if ! als "$bin/pg_ctl" -D "$dir/daten" -l "$dir/server.log" -w -t 60 -o "-k $dir -c listen_addresses= \
        -c fsync=off -c synchronous_commit=off -c full_page_writes=off -c unix_socket_permissions=0777 \
        -c max_connections=40 -c shared_buffers=16MB -c autovacuum=off" start >/dev/null; then
      cat "$dir/server.log" >&2
      rm -rf "$dir"
      exit 1
    fi
    echo "$dir" >"$zustand"
    echo "$dir"
    ;;
  stop)
    [ -f "$zustand" ] || exit 0
    stoppen "$(cat "$zustand")"
    rm -f "$zustand"
    ;;
  *)
    echo "usage: $0 start|stop STATEFILE" >&2
    exit 2
    ;;
esac
