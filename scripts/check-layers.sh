#!/usr/bin/env bash
# Fails when a source file includes a folder of the project that sits above
# its own (an include "upwards"). The folders, top to bottom:
#   app/  ->  register/ events/ admin/ outputs/  ->  core/  ->  widgets/ schema/ platform/  ->  db/
# A subsystem does not include another subsystem (it asks through core/).
# tools/ and bench/ may use anything below app/ (app/ starts the demo data of
# tools/demodata on the first start); tests/ may use everything.
set -euo pipefail
root=${1:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
cd "$root"

rank() {
  case "$1" in
    app) echo 0 ;;
    register|events|admin|outputs) echo 1 ;;
    core) echo 2 ;;
    widgets|schema|platform) echo 3 ;;
    db) echo 4 ;;
    *) echo -1 ;;
  esac
}

bad=0
checked=0
while IFS= read -r file; do
  from=${file%%/*}
  checked=$((checked + 1))
  while IFS= read -r line; do
    inc=$(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' <<<"$line")
    [ -n "$inc" ] || continue
    to=${inc%%/*}
    [ "$to" != "$inc" ] || continue          # a file beside it or a generated ui_*.h
    [ "$to" != "$from" ] || continue
    rt=$(rank "$to")
    case "$from" in
      tests) continue ;;
      tools|bench)
        if [ "$to" = app ]; then echo "$file: includes $inc (tools and benchmarks stay below app/)"; bad=1; fi
        continue ;;
    esac
    if [ "$to" = tools ]; then
      [ "$from" = app ] || { echo "$file: includes $inc (only app/ starts the tools' code)"; bad=1; }
      continue
    fi
    [ "$rt" -ge 0 ] || continue               # not a layered folder (resources/)
    rf=$(rank "$from")
    if [ "$rt" -le "$rf" ]; then
      echo "$file: includes $inc, which is not below $from/"
      bad=1
    fi
  done < <(grep -E '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$file" || true)
done < <(
  if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    git ls-files -co --exclude-standard -- '*.h' '*.cpp'
  else
    find . -path ./build -prune -o -path './build-*' -prune -o \( -name '*.h' -o -name '*.cpp' \) -print | sed 's#^\./##'
  fi | grep -v '^build')

if [ "$bad" -ne 0 ]; then
  echo "include layers: FAILED (see the lines above)"
  exit 1
fi
echo "include layers: $checked files, every include goes down"
