#!/usr/bin/env bash
# The fault pass on the shipped scenario (conf/scenarios/electrodes.scn, as scripts/demo.sh plays
# it): replayed once per NX call of the add-on, that call failing. Options after BUILD go to
# nxhost faults (--stride K, --max-calls N, --jobs J ...); the replays copy conf/, which is only
# read. Prints the figures of the pass and how long it took; exits as nxhost faults does.
set -euo pipefail

if [ $# -lt 1 ]; then
  echo "usage: scripts/faults.sh BUILD [nxhost faults options]" >&2
  exit 1
fi
src="$(cd "$(dirname "$0")/.." && pwd)"
build="$(cd "$1" && pwd)"
shift
nxhost="$build/nxhost/nxhost"
addon="$build/torvane/torvane.so"
for file in "$nxhost" "$addon"; do
  if [ ! -e "$file" ]; then
    echo "faults: $file is missing: build first (make build BUILD=$build)" >&2
    exit 1
  fi
done

cd "$src"
start=$(date +%s)
status=0
"$nxhost" faults conf/scenarios/electrodes.scn --drive "D=$src/conf" --part 'D:\samples\electrodes.prt' \
  --addon "$addon" --cam-config 'D:\qz_conf\cam_qz\qz_cam_general.dat' "$@" || status=$?
echo "faults: the pass took $(($(date +%s) - start)) s (exit $status)"
exit "$status"
