#!/usr/bin/env bash
# Writes the seed corpus of fuzz_extract: a few tiny archives, sound and broken.
# Usage: fuzz/make_extract_corpus.sh PATH_TO_HBPACK
set -euo pipefail
hbpack=$1
out=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/corpus/extract
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$out"

# A sound archive made by hbpack: two directories, a file in each, an empty file.
mkdir -p "$work/src/Halbrook/Maps"
printf 'model' > "$work/src/Halbrook/a.orx"
printf 'map data map data map data' > "$work/src/Halbrook/Maps/b.dds"
: > "$work/src/empty.txt"
find "$work/src" -type f -exec touch -d @1469664000 {} +
"$hbpack" create "$work/src" "$out/sound.hbp" > /dev/null

u32() { printf "\\x$(printf %02x $(($1 & 255)))\\x$(printf %02x $((($1 >> 8) & 255)))\\x$(printf %02x $((($1 >> 16) & 255)))\\x$(printf %02x $((($1 >> 24) & 255)))"; }
magic() { printf '\x68\x62\x5e\x1a'; }
fixed() { u32 "$1"; u32 "$2"; u32 "$3"; u32 0; u32 0; u32 0; u32 0; }

# No directories, one empty file: the file count at byte 8.
{ magic; u32 0; u32 1; u32 1; printf 'f'; fixed 0 0 0; } > "$out/no_directories.hbp"
# A magic byte changed.
{ printf '\x68\x62\x5e\x1b'; u32 0; u32 0; } > "$out/bad_magic.hbp"
# The sound archive cut inside its file table.
head -c 40 "$out/sound.hbp" > "$out/cut_in_table.hbp"
# The sound archive with its last byte (part of a checksum) changed.
size=$(stat -c %s "$out/sound.hbp")
{ head -c $((size - 1)) "$out/sound.hbp"; printf '\x00'; } > "$out/bad_checksum.hbp"
# A name that climbs out of the target.
{ magic; u32 1; u32 2; printf '..'; u32 0; } > "$out/parent_name.hbp"
# A stream whose range runs past the end.
{ magic; u32 0; u32 1; u32 1; printf 'f'; fixed 5 100 45; } > "$out/data_outside.hbp"
