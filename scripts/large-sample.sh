#!/usr/bin/env bash
# Programs the large sample: 48 electrodes on a plate (conf/samples/plate48.prt) with the standard
# copper template, through the runner, and prints how long the run took and what it made. Works on a
# fresh copy of conf/ under BUILD/large: tracked files are only read.
set -euo pipefail

if [ $# -ne 1 ]; then
  echo "usage: scripts/large-sample.sh BUILD" >&2
  exit 1
fi
source "$(dirname "$0")/lib/fresh-run.sh"
fresh_run "large sample" "$1" large

cd "$src"
start=$(date +%s.%N)
"$nxhost" run conf/scenarios/plate48.scn --drive "D=$work/conf" --part 'D:\samples\plate48.prt' \
  --out "$work/out" --addon "$addon" --cam-config 'D:\qz_conf\cam_qz\qz_cam_general.dat' >"$work/transcript.txt"
end=$(date +%s.%N)
tree=$("$nxhost" tree "$work/out/plate48.prt" --view program)
electrodes=$("$nxhost" tree "$work/out/plate48.prt" | grep -c '^body EL-')
made=$(grep -c 'path generated\|path not generated' <<<"$tree" || true)
generated=$(grep -c 'path generated' <<<"$tree" || true)
echo "== plate48.prt: $electrodes electrodes, $made operations made, $generated tool paths generated"
echo "== run time $(awk -v s="$start" -v e="$end" 'BEGIN { printf "%.2f", e - s }') s (transcript: $work/transcript.txt, part: $work/out/plate48.prt)"
