#!/usr/bin/env bash
# Plays the shipped scenario through the runner with the add-on and prints its transcript, the
# CAM tree of the part it saved, the path of that part's picture page and the settings both
# dialogs kept; then shows the same plan as NX releases before 7.0 list it; last a batch of three
# part files, one handed to the background computer, whose task `nxhost worker` then computes.
# Works on a fresh copy of conf/ under BUILD/demo: tracked files are only read.
set -euo pipefail

if [ $# -ne 1 ]; then
  echo "usage: scripts/demo.sh BUILD" >&2
  exit 1
fi
source "$(dirname "$0")/lib/fresh-run.sh"
fresh_run "demo" "$1" demo
demo="$work"

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
page="$demo/out/electrodes.html"
"$nxhost" picture "$demo/out/electrodes.prt" --html "$page"
echo "== its picture: $page ($(wc -c <"$page") bytes; open it in a browser: the electrodes, MCS, blanks,"
echo "   clearance plane, start points and each operation's cut area and bottom level)"
echo
echo "== state kept for the next run: $demo/conf/qz_conf/temp/torvane_sel_temp.dat (template line, all solids)"
od -An -td4 "$demo/conf/qz_conf/temp/torvane_sel_temp.dat"
state="$demo/conf/qz_conf/temp/torvane.dat"
echo "== settings of the main dialog kept for the next run: $state ($(wc -c <"$state") bytes)"
echo "   RADIO_1..3, TOGGLE_4 6 8 10 15 13 35, INT_34, OPTION_28, TOGGLE_29 34 38 39 32 33, RADIO_60, TOGGLE_57:"
od -An -td4 -N80 "$state"
echo "   REAL_5 7 9 11 23 24 25 26 35 36:"
od -An -tf8 -j80 -N80 "$state"
echo "   STR_10: $(dd if="$state" bs=1 skip=160 count=31 status=none | tr -d '\0')"
echo
echo "== the same plan under NX 6, whose list font is fixed-width: conf/scenarios/electrodes_nx6.scn"
"$nxhost" run conf/scenarios/electrodes_nx6.scn --drive "D=$demo/conf" --part 'D:\samples\electrodes.prt' \
  --out "$demo/out-nx6" --addon "$addon" --cam-config 'D:\qz_conf\cam_qz\qz_cam_general.dat' --release 'NX V6.0.2.8' |
  sed -n '/MULTI_LIST_14 multi_list/,/TOGGLE_13/p' | sed '$d'
echo
echo "== a batch of three part files in one run: conf/scenarios/batch.scn"
# The mould's part files on drive E, the task directory as the share \\cam-srv\tasks, and the
# stand-in's picker where the add-on runs it.
mkdir -p "$demo/drive-e/jobs" "$demo/tasks"
for part in mould_a mould_b mould_c; do cp conf/samples/electrodes.prt "$demo/drive-e/jobs/$part.prt"; done
cp "$build/nxhost/picker/qz_pick_files.exe" "$demo/conf/qz_conf/temp/"
# Of the dialogs' item values only the part-file list is shown here; $demo/out-batch/transcript.txt
# has them all.
"$nxhost" run conf/scenarios/batch.scn --drive "D=$demo/conf" --drive "E=$demo/drive-e" \
  --mount "\\\\cam-srv\\tasks=$demo/tasks" --part 'E:\jobs\mould_a.prt' --out "$demo/out-batch" --addon "$addon" \
  --cam-config 'D:\qz_conf\cam_qz\qz_cam_general.dat' --save-in-place --node CAM-PC-07 |
  awk '/^\[dialog\]   MULTI_LIST_70 / { list = 1; print; next }
       list && /^\[dialog\]      / { print; next }
       { list = 0 }
       !/^\[dialog\]   / && !/^\[status\]/ && !/^\[listing\] *$/'
echo "== nxhost exit 0"
echo
echo "== the part files afterwards: mould_a saved, mould_b moved aside, mould_c still open at the end (saved to out-batch)"
ls "$demo/drive-e/jobs"
echo "== the task directory \\\\cam-srv\\tasks: the part and its task record"
ls "$demo/tasks"
if command -v xxd >/dev/null; then xxd -a "$demo/tasks/mould_b.temp"; else od -A x -t x1z "$demo/tasks/mould_b.temp"; fi
echo
echo "== nxhost worker: the background computer generates what mould_b left to it"
"$nxhost" worker "$demo/tasks" --once --settle 0
echo
echo "== the generated part $demo/tasks/done/mould_b.prt"
"$nxhost" tree "$demo/tasks/done/mould_b.prt" --view program | sed -n '/^cam setup/,$p'
