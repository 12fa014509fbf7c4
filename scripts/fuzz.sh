#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, fuzz/) and runs each for a number of executions, seeded
# from the shipped files that fuzz/seeds.txt names, with the target's dictionary.
#   fuzz.sh [--runs N] [--max-time S] [--build DIR] [--jobs J] [TARGET ...]
# --max-time stops a target after S seconds even if its runs are not done (the short CI run).
# Prints executions, time and findings per target. A finding (a crash, leak, undefined
# behaviour, timeout or memory blow-up) is saved in DIR/fuzz/findings/TARGET/; any file there,
# new or left over from an earlier run, fails the script until it is dealt with: fixed, its
# input copied to tests/fuzz_regressions/TARGET/, and removed.
set -euo pipefail
cd "$(dirname "$0")/.."
source=$PWD

runs=1000000
max_time=0
build=build-fuzz
jobs=2
targets=()
while [ $# -gt 0 ]; do
  case "$1" in
    --runs) runs=$2; shift 2 ;;
    --max-time) max_time=$2; shift 2 ;;
    --build) build=$2; shift 2 ;;
    --jobs) jobs=$2; shift 2 ;;
    -*) echo "fuzz.sh: unknown option $1" >&2; exit 2 ;;
    *) targets+=("$1"); shift ;;
  esac
done
if [ ${#targets[@]} -eq 0 ]; then
  mapfile -t targets < <(awk '!/^#/ && NF { print $1 }' fuzz/seeds.txt)
fi

if [ ! -f "$build/CMakeCache.txt" ]; then
  launcher=()
  command -v ccache >/dev/null && launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  CC=clang CXX=clang++ cmake -S . -B "$build" -DTORVANE_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}"
fi
cmake --build "$build" -j "$jobs" --target fuzz_targets

# Inputs longer than the formats need only slow the search down; a part file with its geometry
# needs room, and its boolean operations time.
max_len_of() {
  case "$1" in
    part_file) echo 65536 ;;
    dlg_state | sel_temp_state) echo 4096 ;;
    *) echo 16384 ;;
  esac
}

# Each target writes its input to a file before reading it: on a memory file system that costs
# a tenth of a disk's time.
if [ -d /dev/shm ] && [ -w /dev/shm ]; then export TMPDIR=/dev/shm; fi

work=$build/fuzz
failed=0
printf '%-16s %10s %8s %9s\n' target executions seconds findings
for t in "${targets[@]}"; do
  program=$work/bin/${t}_fuzz
  [ -x "$program" ] || { echo "fuzz.sh: no fuzz target $t" >&2; exit 2; }
  corpus=$work/corpus/$t seeds=$work/seeds/$t findings=$work/findings/$t
  rm -rf "$seeds"
  mkdir -p "$corpus" "$seeds" "$findings"
  for glob in $(awk -v t="$t" '$1 == t { $1 = ""; print }' fuzz/seeds.txt); do
    for f in $source/$glob; do [ -f "$f" ] && cp "$f" "$seeds/"; done
  done
  dict=()
  [ -f "fuzz/dict/$t.dict" ] && dict=(-dict="fuzz/dict/$t.dict")
  log=$work/$t.log
  start=$(date +%s%N)
  status=0
  "$program" -runs="$runs" -max_total_time="$max_time" -max_len="$(max_len_of "$t")" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    "${dict[@]}" -artifact_prefix="$findings/" "$corpus" "$seeds" >"$log" 2>&1 || status=$?
  seconds=$(awk -v a="$start" -v b="$(date +%s%N)" 'BEGIN { printf "%.1f", (b - a) / 1e9 }')
  executions=$(awk '/^stat::number_of_executed_units:/ { print $2 }' "$log" | tail -n 1)
  count=$(find "$findings" -type f | wc -l)
  printf '%-16s %10s %8s %9s\n' "$t" "${executions:-?}" "$seconds" "$count"
  if [ "$count" -gt 0 ] || [ "$status" -ne 0 ]; then
    failed=1
    echo "  $t: exit status $status; log $log; findings in $findings/" >&2
  fi
done
exit $failed
