#!/usr/bin/env bash
# Runs the test command (scripts/run-tests.sh) inside a freshly bootstrapped,
# minimal Debian 12 tree, so a package the install script forgets fails here
# instead of on a newcomer's machine. Needs root, debootstrap and the Debian
# mirror. Usage:
#   run-tests-fresh-debian.sh [TREE_DIR]
# Exit codes: the test command's own; 75 when the tree itself cannot be made
# or entered (no root, no mirror, no mounts), so a caller can tell the two
# apart.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
tree=${1:-${TMPDIR:-/tmp}/zrn-fresh-debian}
mirror=${ZRN_DEBIAN_MIRROR:-http://deb.debian.org/debian}

unavailable() { echo "fresh Debian tree unavailable: $*" >&2; exit 75; }

[ "$(id -u)" -eq 0 ] || unavailable "not root"
if ! command -v debootstrap >/dev/null 2>&1; then
  DEBIAN_FRONTEND=noninteractive apt-get install -y debootstrap >/dev/null 2>&1 \
    || { apt-get update >/dev/null 2>&1 && DEBIAN_FRONTEND=noninteractive apt-get install -y debootstrap >/dev/null 2>&1; } \
    || unavailable "debootstrap cannot be installed"
fi

mounted=()
cleanup() {
  local i
  for ((i=${#mounted[@]}-1; i>=0; i--)); do umount -l "${mounted[$i]}" 2>/dev/null || true; done
}
trap cleanup EXIT

if [ ! -x "$tree/usr/bin/apt-get" ]; then
  rm -rf "$tree"
  echo "== debootstrap --variant=minbase bookworm $tree"
  debootstrap --variant=minbase bookworm "$tree" "$mirror" > "$tree.debootstrap.log" 2>&1 \
    || { tail -20 "$tree.debootstrap.log" >&2; unavailable "debootstrap failed"; }
  # The same suites a Debian 12 installation reads, security updates included.
  cat > "$tree/etc/apt/sources.list" <<EOF
deb $mirror bookworm main
deb $mirror bookworm-updates main
deb http://deb.debian.org/debian-security bookworm-security main
EOF
fi

for m in proc sys dev dev/pts; do
  mkdir -p "$tree/$m"
  case $m in
    proc) mount -t proc proc "$tree/proc" ;;
    sys) mount --rbind /sys "$tree/sys" ;;
    dev) mount --rbind /dev "$tree/dev" ;;
    dev/pts) mount -t devpts devpts "$tree/dev/pts" 2>/dev/null || true ;;
  esac || unavailable "cannot mount $m in the tree"
  mounted+=("$tree/$m")
done
mkdir -p "$tree/dev/shm" "$tree/tmp"
chmod 1777 "$tree/tmp"
cp /etc/resolv.conf "$tree/etc/resolv.conf" 2>/dev/null || true

# The checkout as a clean copy of what is committed plus the working tree's
# changes (no build folders), owned by root inside the tree.
src="$tree/src/zrn"
rm -rf "$src"
mkdir -p "$src"
(cd "$root" && tar --exclude='./build*' --exclude='./.git' -cf - .) | tar -C "$src" -xf -

echo "== scripts/run-tests.sh inside the fresh tree"
set +e
chroot "$tree" /usr/bin/env -i HOME=/root PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
  LANG=C.UTF-8 CI=true ZRN_IN_FRESH_DEBIAN=1 \
  bash -c 'cd /src/zrn && bash scripts/run-tests.sh'
rc=$?
set -e
echo "== fresh Debian tree: test command exited with $rc"
exit $rc
