#!/usr/bin/env bash
# Creates the Wine prefix in $WINEPREFIX once: no network, no Mono or Gecko
# prompts, and Tahoma registered so that DirectWrite finds a font (Wine's
# DirectWrite sees only fonts registered under the Fonts key). With --plain
# the prefix stays as wineboot alone makes it, with no font registered, so
# DirectWrite lists only the fonts Wine finds on the system (no Tahoma); tests
# of text in such a prefix share one per build tree.
set -euo pipefail
plain=0
[ "${1:-}" = "--plain" ] && plain=1
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
if [ $plain -eq 1 ]; then
  touch "$ready"
  exit 0
fi

fonts="$WINEPREFIX/drive_c/windows/Fonts"
mkdir -p "$fonts"
cp /usr/share/wine/fonts/tahoma.ttf /usr/share/wine/fonts/tahomabd.ttf "$fonts/"
key='HKLM\Software\Microsoft\Windows NT\CurrentVersion\Fonts'
wine reg add "$key" /v "Tahoma (TrueType)" /t REG_SZ /d tahoma.ttf /f >/dev/null 2>&1
wine reg add "$key" /v "Tahoma Bold (TrueType)" /t REG_SZ /d tahomabd.ttf /f >/dev/null 2>&1
wineserver -w
touch "$ready"
