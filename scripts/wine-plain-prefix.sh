#!/usr/bin/env bash
# Creates a Wine prefix in $WINEPREFIX once, as wineboot alone makes it: no
# network, no Mono or Gecko prompts, and no font registered, so DirectWrite
# lists only the fonts Wine finds on the system (no Tahoma). Tests of text
# in such a prefix share one per build tree.
set -euo pipefail
: "${WINEPREFIX:?WINEPREFIX must name the prefix folder}"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64

ready="$WINEPREFIX/.hb-ready"
[ -f "$ready" ] && exit 0

mkdir -p "$(dirname "$WINEPREFIX")"
exec 9>"$WINEPREFIX.lock"
flock 9
[ -f "$ready" ] && exit 0

wineboot --init >/dev/null 2>&1 || true
wineserver -w
touch "$ready"
