#!/usr/bin/env bash
# Installs every Debian package the project needs to build, run and test both
# targets. Safe to run again: apt-get skips what is already there.
set -euo pipefail

packages=(
  # native toolchain and build
  build-essential cmake ninja-build pkg-config clang libclang-rt-14-dev
  # the linker of the native builds (a multiple faster than ld.bfd on the
  # large test executables)
  lld
  # Windows cross toolchain (posix threads) and zlib for it
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 libz-mingw-w64-dev
  # tests and benchmarks
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  # libraries of the Linux port
  zlib1g-dev libsdl2-dev libcairo2-dev libpango1.0-dev
  # running and looking at both builds: Wine, a virtual display with a small
  # window manager, input and screenshots, and Python with Pillow for the
  # end-to-end drivers
  wine wine64 xvfb xauth openbox xdotool x11-utils imagemagick fonts-wine fonts-dejavu-core
  python3 python3-pil python3-xlib
  # the fault drills: a small tmpfs (mount) and an immutable file (chattr)
  mount e2fsprogs
  # Authenticode signing of the Windows installer, and its test certificate
  osslsigncode openssl
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -q
  $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
