#!/usr/bin/env bash
# Makes the Debian package from an already built tree and checks that it holds
# the programs, the menu entry and the icon, and names the runtime packages
# that dpkg-shlibdeps cannot see or that a bare system lacks.
# Usage: check-package.sh BUILD_DIR
set -euo pipefail

build=${1:?usage: check-package.sh BUILD_DIR}
build=$(cd "$build" && pwd)

fail() { echo "check-package: $*" >&2; exit 1; }

[ -f "$build/CPackConfig.cmake" ] || fail "$build/CPackConfig.cmake missing (configure the build first)"
for prog in zrn zrnctl; do
  [ -x "$build/bin/$prog" ] || fail "$build/bin/$prog missing (build the zrn and zrnctl targets first)"
done
command -v cpack >/dev/null || fail "cpack not found"
command -v dpkg-deb >/dev/null || fail "dpkg-deb not found"

# A private output folder: cpack also stages its install tree there, so a
# parallel run or a stale package in the build folder cannot mix in.
out=$(mktemp -d "${TMPDIR:-/tmp}/zrn-package.XXXXXX")
trap 'rm -rf "$out"' EXIT

echo "== cpack -G DEB in $build"
if ! (cd "$build" && cpack -G DEB -B "$out") > "$out/cpack.log" 2>&1; then
  cat "$out/cpack.log" >&2
  fail "cpack -G DEB failed"
fi
shopt -s nullglob
debs=("$out"/zrn_*.deb)
[ ${#debs[@]} -eq 1 ] || { cat "$out/cpack.log" >&2; fail "expected one zrn_*.deb in $out, found ${#debs[@]}"; }
deb=${debs[0]}
echo "package: $(basename "$deb")"

missing=0
contents=$(dpkg-deb -c "$deb" | awk '{print $NF}')
for path in ./usr/bin/zrn ./usr/bin/zrnctl ./usr/share/applications/zrn.desktop \
            ./usr/share/icons/hicolor/256x256/apps/zrn.png; do
  if grep -qxF "$path" <<<"$contents"; then
    echo "ok   contains $path"
  else
    echo "FAIL missing $path" >&2
    missing=1
  fi
done

depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for pkg in libqt5webenginewidgets5 libqt5sql5-mysql libcrypt1; do
  # A whole package name: followed by a space, comma, version or the end.
  if grep -qE "(^|[ ,|])$pkg([ ,(]|$)" <<<"$depends"; then
    echo "ok   depends on $pkg"
  else
    echo "FAIL Depends does not name $pkg" >&2
    missing=1
  fi
done

[ $missing -eq 0 ] || fail "package $(basename "$deb") is incomplete (see FAIL lines above)"
echo "package check passed"
