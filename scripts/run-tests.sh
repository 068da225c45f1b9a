#!/usr/bin/env bash
# Installs what the tests need, builds, starts a private MariaDB and runs every
# suite on SQLite and on MariaDB. ZRN_SANITIZE=1 builds with ASan+UBSan.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
bash "$root/scripts/install-deps.sh"

build=${ZRN_BUILD_DIR:-$root/build}
san=OFF
[ "${ZRN_SANITIZE:-0}" = "1" ] && { san=ON; build=${ZRN_BUILD_DIR:-$root/build-asan}; }
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZRN_SANITIZE=$san -DZRN_TEST_MARIADB=ON
cmake --build "$build" -j"$(nproc)"

dbdir="$build/mariadb-test"
server="$root/scripts/mariadb-test-server.sh"
bash "$server" stop "$dbdir" || true
# A loopback port nobody listens on (another test server may be running).
port=${ZRN_TEST_MYSQL_PORT:-}
if [ -z "$port" ]; then
  for p in $(seq 33061 33160); do
    if ! (exec 3<>"/dev/tcp/127.0.0.1/$p") 2>/dev/null; then port=$p; break; fi
  done
fi
[ -n "$port" ] || { echo "no free loopback port for the test MariaDB" >&2; exit 1; }
trap 'bash "$server" stop "$dbdir" || true' EXIT
envfile="$dbdir.env"
bash "$server" start "$dbdir" "$port" > "$envfile"
while IFS= read -r line; do export "$line"; done < "$envfile"
# Here the MariaDB suites must run: a missing server fails them.
export ZRN_TEST_REQUIRE_MARIADB=1
# The reconnect suite stops and starts the server with these commands.
export ZRN_TEST_MYSQL_RESTART="bash $server restart $dbdir $port"
export ZRN_TEST_MYSQL_STOP="bash $server stop $dbdir $port"
export ZRN_TEST_MYSQL_START="bash $server start $dbdir $port >/dev/null"

if [ "$san" = ON ]; then
  export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
fi
cd "$build"
ctest --output-on-failure -j2 --timeout 900
