#!/usr/bin/env bash
# Plays the shipped scenario through the runner and prints its transcript, then the tree of
# the part it saved. Works on a fresh copy of conf/ under BUILD/demo: tracked files are only read.
set -euo pipefail

if [ $# -ne 1 ]; then
  echo "usage: scripts/demo.sh BUILD" >&2
  exit 1
fi
src="$(cd "$(dirname "$0")/.." && pwd)"
build="$(cd "$1" && pwd)"
nxhost="$build/nxhost/nxhost"
# Until the add-on has its entry point, the demo plays the probe add-on of the runner tests.
addon="$build/tests/runner/probe.so"
for file in "$nxhost" "$addon"; do
  if [ ! -e "$file" ]; then
    echo "demo: $file is missing: build first (make build BUILD=$1)" >&2
    exit 1
  fi
done

demo="$build/demo"
rm -rf "$demo"
mkdir -p "$demo"
cp -R "$src/conf" "$demo/conf"
mkdir -p "$demo/conf/probe"
printf 'first line\r\nsecond line\r\n\r\nlast\r\n' > "$demo/conf/probe/input.txt"

cd "$src"
echo "== nxhost run conf/scenarios/probe.scn"
"$nxhost" run conf/scenarios/probe.scn --drive "D=$demo/conf" --part 'D:\samples\probe.prt' \
  --out "$demo/out" --addon "$addon"
echo
echo "== nxhost tree $demo/out/probe.prt"
"$nxhost" tree "$demo/out/probe.prt" --drive "D=$demo/conf"
