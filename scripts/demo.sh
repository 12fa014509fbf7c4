#!/usr/bin/env bash
# Plays the shipped scenario through the runner with the add-on and prints its transcript, the
# CAM tree of the part it saved and the state the template dialog kept. Works on a fresh copy of
# conf/ under BUILD/demo: tracked files are only read.
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
echo "== the template chosen in the scenario, as NX's Operation Navigator shows it"
"$nxhost" tree 'D:\qz_conf\cam_qz\cam_template\cu_std.prt' --drive "D=$demo/conf" --view program --view machine |
  sed -n '/^cam setup/,$p'
echo
echo "== nxhost run conf/scenarios/electrodes.scn (site CAM configuration with the type TT)"
"$nxhost" run conf/scenarios/electrodes.scn --drive "D=$demo/conf" --part 'D:\samples\electrodes.prt' \
  --out "$demo/out" --addon "$addon" --cam-config 'D:\qz_conf\cam_qz\qz_cam_general.dat'
echo "== nxhost exit 0: the add-on closed its session and gave back all NX memory"
echo
echo "== the CAM setup of the saved part $demo/out/electrodes.prt"
"$nxhost" tree "$demo/out/electrodes.prt" --view all | sed -n '/^cam setup/,$p'
echo
echo "== state kept for the next run: $demo/conf/qz_conf/temp/torvane_sel_temp.dat"
od -An -td4 "$demo/conf/qz_conf/temp/torvane_sel_temp.dat"
