#!/usr/bin/env bash
# Plays the shipped scenario through the runner with the add-on and prints its transcript and
# the state the template dialog kept. Works on a fresh copy of conf/ under BUILD/demo: tracked
# files are only read.
set -euo pipefail

if [ $# -ne 1 ]; then
  echo "usage: scripts/demo.sh BUILD" >&2
  exit 1
fi
src="$(cd "$(dirname "$0")/.." && pwd)"
build="$(cd "$1" && pwd)"
nxhost="$build/nxhost/nxhost"
addon="$build/torvane/torvane.so"
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

cd "$src"
echo "== the solids of D:\samples\electrodes.prt and their clamp and base block marks"
"$nxhost" tree 'D:\samples\electrodes.prt' --drive "D=$demo/conf" | grep -E '^body|IS_CLAMP|IS_ELEC_BOT_BLOCK'
echo
echo "== nxhost run conf/scenarios/electrodes.scn"
"$nxhost" run conf/scenarios/electrodes.scn --drive "D=$demo/conf" --part 'D:\samples\electrodes.prt' \
  --out "$demo/out" --addon "$addon"
echo "== nxhost exit 0: the add-on closed its session and gave back all NX memory"
echo
echo "== state kept for the next run: $demo/conf/qz_conf/temp/torvane_sel_temp.dat"
od -An -td4 "$demo/conf/qz_conf/temp/torvane_sel_temp.dat"
