#!/usr/bin/env bash
# A long fuzz campaign: builds the fuzz preset and runs every fuzz target for
# SECONDS on its corpus. New corpus entries are kept in
# build/fuzz/campaign/<target>/corpus (fuzz/corpus/<target> is only read), so
# a later campaign goes on from where this one stopped; crashes are written
# to build/fuzz/campaign/<target>/ as crash-*, leak-*, timeout-* or oom-*.
#
# Usage: scripts/fuzz-campaign.sh SECONDS
#   HB_FUZZ_WORKERS=N   fuzzing processes per target (default 1), run as
#                       libFuzzer's -jobs=N -workers=N on the same corpus
#   HB_FUZZ_RUNS=N      also stop each fuzzing process after N inputs
#   HB_FUZZ_JOBS=N      build jobs (default 2)
# Prints each target's figures and exits non-zero when a target found a crash
# or could not run.
set -uo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
root=$(pwd)

if [ $# -ne 1 ] || ! [[ $1 =~ ^[0-9]+$ ]] || [ "$1" -eq 0 ]; then
  echo "usage: scripts/fuzz-campaign.sh SECONDS" >&2
  exit 2
fi
seconds=$1
workers=${HB_FUZZ_WORKERS:-1}
build_jobs=${HB_FUZZ_JOBS:-2}
limits=(-max_total_time="$seconds")
[ -n "${HB_FUZZ_RUNS:-}" ] && limits+=(-runs="$HB_FUZZ_RUNS")

cmake --preset fuzz >/dev/null && cmake --build --preset fuzz -j "$build_jobs" || exit 1

# The extraction target writes a folder per input: on a memory file system
# that costs far less than on disk.
scratch_base=/tmp
[ -d /dev/shm ] && [ -w /dev/shm ] && scratch_base=/dev/shm
scratch=$(mktemp -d "$scratch_base/hb-fuzz-campaign.XXXXXX")
trap 'rm -rf "$scratch"' EXIT

# A figure from the final statistics of each log, summed ("sum") or the
# largest ("max").
final_stat() {
  local how=$1 key=$2
  shift 2
  sed -nE "s/^stat::$key: *([0-9]+).*/\1/p" "$@" | awk -v how="$how" \
    '{ if (how == "sum") t += $1; else if ($1 > t) t = $1 } END { print t + 0 }'
}

# The largest value of a progress-line field ("cov:", "ft:", "corp:") in the logs.
progress_max() {
  local key=$1
  shift
  grep -hE "^#[0-9]+" "$@" | sed -nE "s/.* $key ([0-9]+).*/\1/p" | sort -n | tail -n 1
}

status=0
found=0
shopt -s nullglob
for target in build/fuzz/fuzz/fuzz_*; do
  [ -x "$target" ] || continue
  found=1
  name=$(basename "$target")
  work=$root/build/fuzz/campaign/$name
  mkdir -p "$work/corpus"
  rm -f "$work"/fuzz-*.log "$work/log"
  seeds=()
  [ -d "fuzz/corpus/${name#fuzz_}" ] && seeds=("$root/fuzz/corpus/${name#fuzz_}")
  before=$(ls "$work/corpus" | wc -l)
  echo "--- $name for ${seconds}s, $workers worker(s), logs in $work"
  start=$(date +%s)
  if [ "$workers" -gt 1 ]; then
    # Each job writes fuzz-<n>.log in the working folder.
    (cd "$work" && TMPDIR=$scratch "$root/$target" -jobs="$workers" -workers="$workers" \
       "${limits[@]}" -print_final_stats=1 -artifact_prefix="$work/" \
       "$work/corpus" "${seeds[@]}" >"$work/log" 2>&1)
    rc=$?
    logs=("$work"/fuzz-*.log)
  else
    TMPDIR=$scratch "$root/$target" "${limits[@]}" -print_final_stats=1 \
      -artifact_prefix="$work/" "$work/corpus" "${seeds[@]}" >"$work/log" 2>&1
    rc=$?
    logs=("$work/log")
  fi
  elapsed=$(( $(date +%s) - start ))
  runs=$(final_stat sum number_of_executed_units "${logs[@]}")
  after=$(ls "$work/corpus" | wc -l)
  crashes=$(ls "$work" | grep -cE '^(crash|leak|timeout|oom|slow-unit)-')
  echo "executions:   $runs in ${elapsed}s ($(( runs / (elapsed > 0 ? elapsed : 1) )) exec/s overall)"
  echo "coverage:     cov $(progress_max cov: "${logs[@]}") ft $(progress_max ft: "${logs[@]}")," \
       "peak RSS $(final_stat max peak_rss_mb "${logs[@]}") MB"
  echo "corpus:       $after entries kept in $work/corpus ($((after - before)) new)"
  echo "crashes:      $crashes (exit status $rc)"
  if [ "$crashes" -gt 0 ] || [ $rc -ne 0 ]; then
    status=1
    tail -n 30 "${logs[@]}"
  fi
done
[ $found -eq 1 ] || { echo "no fuzz targets were built"; exit 1; }
exit $status
