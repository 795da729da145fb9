#!/usr/bin/env bash
# Sets up the machine, builds the installer and runs it: the wizard installs
# the embedded demo pack into build/run/<target>/library, and keeps its
# settings inside build/ (a settings file on Linux, the build's own Wine
# prefix on Windows), so nothing outside the checkout is touched.
#
#   scripts/run.sh             the Linux installer
#   scripts/run.sh --windows   the Linux installer, then the Windows .exe under Wine
#
# With a display, the wizard opens for you to click through. Without one, the
# script starts a private Xvfb, walks the wizard through its pages like a
# person would and saves a screenshot of every page under build/run/<target>/.
# Either way it then prints what was installed.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
root=$(pwd)

with_windows=0
for argument in "$@"; do
  case $argument in
    --windows) with_windows=1 ;;
    *) echo "usage: scripts/run.sh [--windows]" >&2; exit 2 ;;
  esac
done

bash scripts/setup.sh
jobs=$(nproc)
out="$root/build/run"
rm -rf "$out"
mkdir -p "$out"

have_display() { [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; }

summary() {
  local folder=$1
  echo "  directories: $(find "$folder" -mindepth 1 -type d | wc -l)"
  echo "  files:       $(find "$folder" -type f | wc -l)"
  echo "  bytes:       $(find "$folder" -type f -printf '%s\n' | awk '{s += $1} END {print s + 0}')"
}

run_interactively() {
  local installer=$1 target=$2
  shift 2
  echo "  the wizard is open: click through it (Next, Next, then Finish)"
  if [[ $installer == *.exe ]]; then
    WINEDEBUG=-all wine reg delete 'HKLM\SOFTWARE\Halbrook' /v OrreryUserPath /f /reg:64 >/dev/null 2>&1 || true
    # The first instance relaunches itself elevated and ends at once; wait for the wizard's.
    env ORRERY_USER_PATH="$(WINEDEBUG=-all winepath -w "$target")" WINEDEBUG=-all wine "$installer"
    while pgrep -f 'tidewater-kit-installer.exe /UAC' >/dev/null; do sleep 0.5; done
  else
    env ORRERY_USER_PATH="$target" HB_SETTINGS_FILE="$out/linux/settings" HB_RECORD_FILE="$out/linux/installation.record" \
      "$installer"
  fi
}

# Installs with the wizard into FOLDER/library: by hand with a display, walked
# through by run_wizard.py (with screenshots in FOLDER) without one.
install_with() {
  local installer=$1 folder=$2 label=$3
  mkdir -p "$folder"
  echo "=== $label: installing the demo pack into $folder/library"
  if have_display; then
    run_interactively "$installer" "$folder/library"
  else
    /usr/bin/python3 tests/e2e/run_wizard.py "$installer" "$folder"
  fi
  summary "$folder/library"
}

echo "=== Linux: building"
cmake --preset linux-release >/dev/null
cmake --build --preset linux-release -j "$jobs" --target tidewater-kit-installer
install_with build/linux-release/installer/tidewater-kit-installer "$out/linux" Linux

if [ $with_windows -eq 1 ]; then
  echo "=== Windows: building (mingw-w64)"
  cmake --preset windows >/dev/null
  export WINEPREFIX="$root/build/windows/wineprefix" HB_WINEPREFIX="$root/build/windows/wineprefix"
  scripts/wine-prefix.sh
  cmake --build --preset windows -j "$jobs" --target tidewater-kit-installer
  install_with build/windows/installer/tidewater-kit-installer.exe "$out/windows" "Windows (under Wine)"
  echo "=== Both installations hold the same bytes:"
  diff -r "$out/linux/library" "$out/windows/library" && echo "  identical"
fi
