#!/usr/bin/env bash
# Sets up the machine, builds every configuration and runs every suite:
# native (g++), AddressSanitizer + UndefinedBehaviorSanitizer, ThreadSanitizer,
# Windows x64 under Wine, and the fuzz targets for a bounded time.
# Exits non-zero when any suite fails; the last line counts the suites.
# The Windows suite runs alongside the Linux ones, on a display of its own:
# it spends most of its time waiting on Wine while the Linux builds keep the
# processors busy. Its output is printed in one piece when it ends.
set -uo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
root=$(pwd)

bash scripts/setup.sh || { echo "setup failed"; exit 1; }

jobs=$(nproc)
fuzz_seconds=${HB_FUZZ_SECONDS:-60}
passed=0
failed=0
failed_names=()

stage() {
  local name=$1
  shift
  echo
  echo "=== $name ==="
  if "$@"; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    failed_names+=("$name")
    echo "=== $name FAILED ==="
  fi
}

# Starts a suite in the background with its output kept in a file;
# stage_join waits for it, prints the output and counts it as stage does.
background_pids=()
background_names=()
background_logs=()
stage_in_background() {
  local name=$1 log
  shift
  log=$(mktemp)
  echo
  echo "=== $name: started, runs alongside the next suites ==="
  "$@" >"$log" 2>&1 </dev/null &
  background_pids+=($!)
  background_names+=("$name")
  background_logs+=("$log")
}

stage_join() {
  local i=$1 code=0
  wait "${background_pids[$i]}" || code=$?
  echo
  echo "=== ${background_names[$i]} ==="
  cat "${background_logs[$i]}"
  rm -f "${background_logs[$i]}"
  if [ $code -eq 0 ]; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    failed_names+=("${background_names[$i]}")
    echo "=== ${background_names[$i]} FAILED ==="
  fi
}

build_and_test() {
  local preset=$1
  cmake --preset "$preset" >/dev/null &&
    cmake --build --preset "$preset" -j "$jobs" &&
    ctest --preset "$preset" -j "$jobs"
}

# Each fuzz target runs for fuzz_seconds, two at a time (one per core of the
# machine this is measured on); each one's output is printed when it ends.
run_fuzzers() {
  cmake --preset fuzz >/dev/null && cmake --build --preset fuzz -j "$jobs" || return 1
  local status=0 target name corpus logs pids=() names=() i
  logs=$(mktemp -d)
  shopt -s nullglob
  for target in build/fuzz/fuzz/fuzz_*; do
    [ -x "$target" ] || continue
    name=$(basename "$target")
    corpus="$logs/$name.corpus"
    mkdir -p "$corpus"
    [ -d "fuzz/corpus/${name#fuzz_}" ] && cp -r "fuzz/corpus/${name#fuzz_}/." "$corpus/"
    "$target" -max_total_time="$fuzz_seconds" -print_final_stats=1 \
      -artifact_prefix="build/fuzz/$name-" "$corpus" >"$logs/$name.log" 2>&1 &
    pids+=($!)
    names+=("$name")
    if [ ${#pids[@]} -ge 2 ]; then
      fuzz_report "${pids[0]}" "${names[0]}" "$logs" || status=1
      pids=("${pids[@]:1}")
      names=("${names[@]:1}")
    fi
  done
  for i in "${!pids[@]}"; do
    fuzz_report "${pids[$i]}" "${names[$i]}" "$logs" || status=1
  done
  rm -rf "$logs"
  return $status
}

fuzz_report() {
  local pid=$1 name=$2 logs=$3 code=0
  wait "$pid" || code=$?
  echo "--- $name for ${fuzz_seconds}s"
  tail -n 12 "$logs/$name.log"
  return $code
}

# Runs the command until it succeeds, for at most 20 s.
wait_for() {
  local what=$1 i
  shift
  for i in $(seq 400); do
    "$@" >/dev/null 2>&1 && return 0
    sleep 0.05
  done
  echo "timed out waiting for $what"
  return 1
}

# A display with the window manager the end-to-end tests' private displays
# have (without one, Wine stalls about 2 s each time a window hides). Prints
# the display's name; the processes' ids go to display_pids_file.
start_display() {
  local number=$((90 + RANDOM % 100))
  while [ -e "/tmp/.X$number-lock" ] || [ -e "/tmp/.X11-unix/X$number" ]; do
    number=$((90 + RANDOM % 100))
  done
  local display=":$number"
  Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  echo $! >>"$display_pids_file"
  wait_for "Xvfb on $display" xdpyinfo -display "$display" >&2 || return 1
  DISPLAY=$display openbox --sm-disable --config-file /etc/xdg/openbox/rc.xml >/dev/null 2>&1 &
  echo $! >>"$display_pids_file"
  wait_for "openbox on $display" sh -c "xprop -display $display -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'" >&2 ||
    return 1
  echo "$display"
}

# The Windows suite's Wine prefix; the prefixes of its end-to-end tests and
# of its plain-prefix font tests are made next to it.
windows_prefix="$root/build/windows/wineprefix"
display_pids_file=$(mktemp)
cleanup() {
  local pid
  for pid in "${background_pids[@]}"; do
    kill "$pid" 2>/dev/null
  done
  xargs -r kill <"$display_pids_file" 2>/dev/null
  rm -f "$display_pids_file"
  WINEPREFIX=$windows_prefix wineserver -k 2>/dev/null
}
trap cleanup EXIT

# A display for the tests that open windows, unless one is given; the
# Windows suite, which runs alongside, always gets one of its own.
if [ -z "${DISPLAY:-}" ]; then
  DISPLAY=$(start_display) || { echo "no display for the tests"; exit 1; }
  export DISPLAY
fi
windows_display=$(start_display) || { echo "no display for the Windows suite"; exit 1; }

# One Wine server for the whole Windows suite: a cold start costs seconds per
# process. The suite's prefixes are made while the build runs (a wineboot
# each); its fixtures then find them ready. CTest runs three tests at a time:
# the two lanes of end-to-end tests spend most of their time waiting on Wine.
windows_suite() {
  export DISPLAY=$windows_display WINEPREFIX=$windows_prefix
  cmake --preset windows >/dev/null || return 1
  local pids=() pid built=0 prefixes=0
  scripts/wine-prefix.sh &
  pids+=($!)
  WINEPREFIX="$windows_prefix-e2e" scripts/wine-prefix.sh &
  pids+=($!)
  WINEPREFIX="$windows_prefix-e2e-2" scripts/wine-prefix.sh &
  pids+=($!)
  WINEPREFIX="$windows_prefix-plain" scripts/wine-prefix.sh --plain &
  pids+=($!)
  cmake --build --preset windows -j "$jobs" || built=1
  for pid in "${pids[@]}"; do
    wait "$pid" || prefixes=1
  done
  [ $built -eq 0 ] || return 1
  [ $prefixes -eq 0 ] || { echo "a Wine prefix could not be made"; return 1; }
  # Start the server and Wine's own services with their output detached: if a
  # test started them, they would inherit CTest's pipes and keep it waiting.
  wineserver -p &&
    WINEDEBUG=-all wine cmd /c exit </dev/null >/dev/null 2>&1 &&
    ctest --preset windows -j "$((jobs + 1))"
  local status=$?
  wineserver -k 2>/dev/null
  return $status
}

stage_in_background "windows (mingw-w64 under Wine)" windows_suite
stage "linux (g++)" build_and_test linux-debug
stage "linux (ASan + UBSan)" build_and_test sanitize
stage "linux (ThreadSanitizer)" build_and_test tsan
stage "fuzz (libFuzzer, ${fuzz_seconds}s each)" run_fuzzers
stage_join 0

# The same scenes drawn by both backends: cairo on SDL and Direct2D under Wine.
both_backends() {
  local linux=build/linux-debug/tools/ui_scenes windows=build/windows/tools/ui_scenes.exe
  if [ ! -x "$linux" ] || [ ! -f "$windows" ]; then
    echo "both builds are needed: $linux and $windows"
    return 1
  fi
  local prefix="$root/build/windows/wineprefix-e2e"
  WINEPREFIX="$prefix" scripts/wine-prefix.sh &&
    WINEPREFIX="$prefix" HB_WINEPREFIX="$prefix" HB_WINEPREFIX_PRIVATE=1 \
      /usr/bin/python3 tests/e2e/scenes_test.py build/screenshots/scenes --linux "$linux" --windows "$windows"
}
stage "both backends (the same scenes)" both_backends

echo
if [ $failed -gt 0 ]; then
  echo "failed suites: ${failed_names[*]}"
fi
echo "suites: $passed passed, $failed failed"
[ $failed -eq 0 ]
