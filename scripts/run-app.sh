#!/usr/bin/env bash
# Installs the build dependencies, builds and starts ZRN on the embedded
# SQLite database (created with demo data on the first start).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
bash "$root/scripts/install-deps.sh"
build=${ZRN_BUILD_DIR:-$root/build}
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" -j"$(nproc)" --target zrn zrnctl
# The browser tabs' web engine refuses to start as root with its sandbox on
# (the program would end at once): root, as on a bare test machine, runs it
# without the sandbox.
if [ "$(id -u)" -eq 0 ]; then
  export QTWEBENGINE_DISABLE_SANDBOX=${QTWEBENGINE_DISABLE_SANDBOX:-1}
fi
exec "$build/bin/zrn" "$@"
