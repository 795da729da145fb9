#!/usr/bin/env bash
# Runs one Windows executable under Wine in the project's prefix, creating the
# prefix on first use. CTest and build steps call it as the cross-compiling
# emulator; HB_WINEPREFIX (set by the build) names the prefix.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
export WINEPREFIX="${HB_WINEPREFIX:-${WINEPREFIX:-$HOME/.wine-tidewater}}"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64
"$here/wine-prefix.sh"
exec wine "$@"
