#!/usr/bin/env bash
# A private MariaDB server for the test suites: own data directory, socket
# and loopback port, no system service. Usage:
#   mariadb-test-server.sh start|stop|restart DATADIR PORT
# "start" prints the environment lines the suites read (ZRN_TEST_MYSQL_*).
# ZRN_MARIADB_BUFFER_POOL sets the InnoDB buffer pool (default 256M, plenty
# for the suites; a server holding a register of millions of events needs
# one that holds its event tables, as a production server would have).
set -euo pipefail
cmd=${1:?start|stop|restart}
dir=${2:?data directory}
port=${3:-33061}
# Unix socket paths are short-limited: keep it in /tmp, named after the folder.
sock="${TMPDIR:-/tmp}/zrn-mariadb-$(printf %s "$dir" | md5sum | cut -c1-12).sock"
pidf="$dir/mysqld.pid"
log="$dir/mysqld.log"

find_bin() { for b in "$@"; do command -v "$b" >/dev/null 2>&1 && { command -v "$b"; return; }; [ -x "/usr/sbin/$b" ] && { echo "/usr/sbin/$b"; return; }; done; echo "missing: $*" >&2; exit 1; }
MARIADBD=$(find_bin mariadbd mysqld)
INSTALLDB=$(find_bin mariadb-install-db mysql_install_db)
CLIENT=$(find_bin mariadb mysql)
ADMIN=$(find_bin mariadb-admin mysqladmin)

user_opt=()
[ "$(id -u)" -eq 0 ] && user_opt=(--user=root)

start() {
  mkdir -p "$dir/data"
  if [ ! -d "$dir/data/mysql" ]; then
    "$INSTALLDB" --no-defaults --datadir="$dir/data" --auth-root-authentication-method=normal \
      --skip-test-db "${user_opt[@]}" >"$dir/install.log" 2>&1 || { cat "$dir/install.log" >&2; exit 1; }
  fi
  "$MARIADBD" --no-defaults --datadir="$dir/data" --socket="$sock" --port="$port" \
    --bind-address=127.0.0.1 --pid-file="$pidf" --skip-name-resolve --skip-log-bin \
    --max-allowed-packet=64M --innodb-buffer-pool-size="${ZRN_MARIADB_BUFFER_POOL:-256M}" --innodb-flush-log-at-trx-commit=2 \
    --character-set-server=utf8mb4 --collation-server=utf8mb4_czech_ci \
    "${user_opt[@]}" >"$log" 2>&1 &
  for _ in $(seq 1 120); do
    "$ADMIN" --no-defaults --socket="$sock" -uroot ping >/dev/null 2>&1 && break
    sleep 0.5
  done
  "$ADMIN" --no-defaults --socket="$sock" -uroot ping >/dev/null 2>&1 || { echo "MariaDB did not start:" >&2; tail -20 "$log" >&2; exit 1; }
  "$CLIENT" --no-defaults --socket="$sock" -uroot <<SQL
CREATE USER IF NOT EXISTS 'zrn'@'127.0.0.1' IDENTIFIED BY 'zrn';
CREATE USER IF NOT EXISTS 'zrn'@'localhost' IDENTIFIED BY 'zrn';
GRANT ALL PRIVILEGES ON *.* TO 'zrn'@'127.0.0.1';
GRANT ALL PRIVILEGES ON *.* TO 'zrn'@'localhost';
CREATE DATABASE IF NOT EXISTS zrn_test CHARACTER SET utf8mb4 COLLATE utf8mb4_czech_ci;
CREATE DATABASE IF NOT EXISTS qml CHARACTER SET utf8mb4 COLLATE utf8mb4_czech_ci;
SQL
  echo "ZRN_TEST_MYSQL_HOST=127.0.0.1"
  echo "ZRN_TEST_MYSQL_PORT=$port"
  echo "ZRN_TEST_MYSQL_SOCKET="
  echo "ZRN_TEST_MYSQL_USER=zrn"
  echo "ZRN_TEST_MYSQL_PASSWORD=zrn"
  echo "ZRN_TEST_MYSQL_DATABASE=zrn_test"
}

stop() {
  if [ -f "$pidf" ]; then
    pid=$(cat "$pidf")
    kill "$pid" 2>/dev/null || true
    for _ in $(seq 1 60); do kill -0 "$pid" 2>/dev/null || break; sleep 0.5; done
    kill -9 "$pid" 2>/dev/null || true
    rm -f "$pidf"
  fi
}

case "$cmd" in
  start) start ;;
  stop) stop ;;
  restart) stop; start >/dev/null ;;
  *) echo "unknown command $cmd" >&2; exit 1 ;;
esac
