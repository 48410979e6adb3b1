#!/usr/bin/env bash
# An icon file (.ico) from square PNG images: each image stored as PNG, as
# Windows takes it since Vista.   bash ico.sh AUS.ico BILD.png...
set -euo pipefail
aus=$1; shift
le16() { printf "\\x$(printf %02x $(($1 & 255)))\\x$(printf %02x $(($1 >> 8 & 255)))"; }
le32() { le16 $(($1 & 65535)); le16 $(($1 >> 16 & 65535)); }
{
    le16 0; le16 1; le16 $#
    versatz=$((6 + 16 * $#))
    for bild in "$@"; do
        # Width and height from the PNG's IHDR chunk (bytes 16 to 23, big-endian).
        breite=$(od -An -tu1 -j16 -N4 "$bild" | awk '{print $1*16777216 + $2*65536 + $3*256 + $4}')
        groesse=$(stat -c %s "$bild")
        seite=$((breite >= 256 ? 0 : breite))
        printf "\\x$(printf %02x $seite)\\x$(printf %02x $seite)\\x00\\x00"
        le16 1; le16 32; le32 "$groesse"; le32 "$versatz"
        versatz=$((versatz + groesse))
    done
    cat "$@"
} >"$aus"
