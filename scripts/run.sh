#!/usr/bin/env bash
# Sets up the machine, builds the installer for Linux and for Windows, and runs
# an installation of the embedded demo pack with each.
#
# The wizard window is not built yet, so the installation runs without one:
# the install worker records the folder in the settings store, finds the pack
# embedded in its own executable and extracts it on its worker thread. On
# Linux it runs natively; on Windows it is the cross-built .exe under Wine
# (its payload is resource 200, its settings the Wine prefix's registry).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
root=$(pwd)

bash scripts/setup.sh
jobs=$(nproc)
out="$root/build/run"
rm -rf "$out"
mkdir -p "$out"

summary() {
  local folder=$1
  echo "  directories: $(find "$folder" -mindepth 1 -type d | wc -l)"
  echo "  files:       $(find "$folder" -type f | wc -l)"
  echo "  bytes:       $(find "$folder" -type f -printf '%s\n' | awk '{s += $1} END {print s + 0}')"
  find "$folder" -type f | sort | head -n 3 | sed "s|^$folder/|  |"
  echo "  ..."
}

echo "=== Linux: building"
cmake --preset linux-release >/dev/null
cmake --build --preset linux-release -j "$jobs" --target hb_install_probe hbpack
echo "=== Linux: installing the embedded demo pack into $out/linux"
build/linux-release/tests/installer/hb_install_probe "$out/linux"
summary "$out/linux"

echo "=== Windows: building (mingw-w64)"
cmake --preset windows >/dev/null
export WINEPREFIX="$root/build/windows/wineprefix" HB_WINEPREFIX="$root/build/windows/wineprefix"
scripts/wine-prefix.sh
cmake --build --preset windows -j "$jobs" --target hb_install_probe
echo "=== Windows: installing the embedded demo pack under Wine into $out/windows"
mkdir -p "$out/windows"
scripts/wine-run.sh build/windows/tests/installer/hb_install_probe.exe "$(WINEDEBUG=-all winepath -w "$out/windows" 2>/dev/null)"
summary "$out/windows"

echo "=== Both installations hold the same bytes:"
diff -r "$out/linux" "$out/windows" && echo "  identical"
