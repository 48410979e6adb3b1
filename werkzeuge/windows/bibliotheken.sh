#!/usr/bin/env bash
# Builds the C libraries the readers of GPS files and photos use (expat,
# zlib with minizip, libexif) and the Excel writer (libxlsxwriter) for Windows x86-64 from Debian's own source
# packages, static, into a cache folder outside the tree, as Qt for Windows is.
# A finished build is reused: the script then only prints the folder.
#
#   bash werkzeuge/windows/bibliotheken.sh     prints the prefix on its last line
#   QUADRIX_CACHE=/somewhere bash ...          another cache folder
set -euo pipefail
hier=$(cd "$(dirname "$0")" && pwd)
cache=${QUADRIX_CACHE:-/var/cache/quadrix}
schluessel=$(cat "$0" "$hier/mingw64.cmake" | sha256sum | cut -c1-12)
prefix=$cache/bibliotheken-mingw64-$schluessel

if [ -f "$prefix/.fertig" ]; then
    echo "$prefix"
    exit 0
fi

bash "$hier/einrichten.sh"
arbeit=$cache/bibliotheken-bau-$schluessel
rm -rf "$arbeit" "$prefix"
mkdir -p "$arbeit" "$prefix/include/minizip" "$prefix/lib"
cd "$arbeit"

quellen=/etc/apt/sources.list.d/quadrix-deb-src.sources
if ! apt-get source --download-only --dry-run expat >/dev/null 2>&1; then
    # shellcheck source=werkzeuge/apt_quellen.sh
    source "$hier/../apt_quellen.sh"
    quellen_deb_src > "$quellen"
    [ -s "$quellen" ] || { echo "Bibliotheken: keine deb-Einträge in den apt-Quellen" >&2; exit 1; }
    apt-get update -qq || true
fi
# The newest version the mirror holds: a security update may be listed
# before its files reach the mirror.
for paket in expat zlib libexif libxlsxwriter; do
    geholt=
    for version in $(apt-cache showsrc "$paket" | sed -n 's/^Version: //p' | sort -ruV); do
        rm -rf "${paket:?}"-* "${paket}"_*
        if apt-get source -qq "$paket=$version" >/dev/null 2>&1; then geholt=$version; break; fi
    done
    [ -n "$geholt" ] || { echo "$paket: Quelle nicht zu holen" >&2; exit 1; }
done
quelle() { find "$arbeit" -maxdepth 1 -type d -name "$1-*" | head -n 1; }
ziel=x86_64-w64-mingw32
cc=$ziel-gcc-posix
log=$arbeit/bau.log

echo "Bibliotheken für Windows: expat ($(date +%T))"
expat=$(quelle expat)/expat
cmake -S "$expat" -B "$arbeit/expat-bau" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$hier/mingw64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" -DEXPAT_SHARED_LIBS=OFF \
    -DEXPAT_BUILD_TOOLS=OFF -DEXPAT_BUILD_EXAMPLES=OFF -DEXPAT_BUILD_TESTS=OFF -DEXPAT_BUILD_DOCS=OFF \
    -DEXPAT_BUILD_FUZZERS=OFF -DEXPAT_BUILD_PKGCONFIG=OFF >>"$log" 2>&1 || { tail -30 "$log" >&2; exit 1; }
# Debian's patches test "XML_DTD == 1", which its configure script defines
# and the CMake files leave empty.
sed -i 's/^#define XML_DTD$/#define XML_DTD 1/' "$arbeit/expat-bau/expat_config.h"
ninja -C "$arbeit/expat-bau" install >>"$log" 2>&1 || { tail -30 "$log" >&2; exit 1; }
# One name for the library whatever the configuration (libexpatMD.a ...).
for a in "$prefix"/lib/libexpat*.a; do [ "$a" = "$prefix/lib/libexpat.a" ] || cp "$a" "$prefix/lib/libexpat.a"; done

echo "Bibliotheken für Windows: zlib und minizip ($(date +%T))"
zlib=$(quelle zlib)
# Debian's zlib source has no win32/ folder: its sources compiled one by one.
mkdir -p "$arbeit/zlib"
for c in adler32 compress crc32 deflate gzclose gzlib gzread gzwrite infback inffast inflate inftrees trees uncompr zutil; do
    "$cc" -O2 -c "$zlib/$c.c" -o "$arbeit/zlib/$c.o" >>"$log" 2>&1 || { tail -30 "$log" >&2; exit 1; }
done
"$ziel-ar" rcs "$prefix/lib/libz.a" "$arbeit"/zlib/*.o
cp "$zlib/zlib.h" "$zlib/zconf.h" "$prefix/lib/"
mv "$prefix/lib/zlib.h" "$prefix/lib/zconf.h" "$prefix/include/"
mini=$zlib/contrib/minizip
mkdir -p "$arbeit/minizip"
for c in ioapi unzip iowin32; do
    "$cc" -O2 -I"$zlib" -c "$mini/$c.c" -o "$arbeit/minizip/$c.o" >>"$log" 2>&1 || { tail -30 "$log" >&2; exit 1; }
done
"$ziel-ar" rcs "$prefix/lib/libminizip.a" "$arbeit"/minizip/*.o
cp "$mini/unzip.h" "$mini/ioapi.h" "$mini/iowin32.h" "$prefix/include/minizip/"

echo "Bibliotheken für Windows: libexif ($(date +%T))"
exif=$(quelle libexif)
# Its source holds no configure script: made as Debian's build makes it.
(cd "$exif" && autoreconf -fi >>"$log" 2>&1 && ./configure --host="$ziel" CC="$cc" --prefix="$prefix" --disable-shared --enable-static \
    --disable-nls --disable-docs >>"$log" 2>&1 && make -j"$(nproc)" >>"$log" 2>&1 && make install >>"$log" 2>&1) ||
    { tail -30 "$log" >&2; exit 1; }

echo "Bibliotheken für Windows: libxlsxwriter ($(date +%T))"
xlsx=$(quelle libxlsxwriter)
# With the minizip it carries (its zip writer; ours above has the reader only).
cmake -S "$xlsx" -B "$arbeit/xlsx-bau" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$hier/mingw64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" -DBUILD_SHARED_LIBS=OFF -DUSE_SYSTEM_MINIZIP=OFF \
    -DBUILD_TESTS=OFF -DBUILD_EXAMPLES=OFF -DZLIB_LIBRARY="$prefix/lib/libz.a" -DZLIB_INCLUDE_DIR="$prefix/include" \
    >>"$log" 2>&1 || { tail -30 "$log" >&2; exit 1; }
ninja -C "$arbeit/xlsx-bau" install >>"$log" 2>&1 || { tail -30 "$log" >&2; exit 1; }
[ -f "$prefix/lib/libxlsxwriter.a" ] || cp "$arbeit"/xlsx-bau/libxlsxwriter*.a "$prefix/lib/libxlsxwriter.a"

# The licences, for the package.
mkdir -p "$prefix/lizenzen"
cp "$expat/COPYING" "$prefix/lizenzen/expat.txt"
sed -n '/Copyright notice:/,/^$/p;/(C) 1995/,/madler/p' "$zlib/README" > "$prefix/lizenzen/zlib.txt"
cp "$exif/COPYING" "$prefix/lizenzen/libexif.txt"
cp "$xlsx/License.txt" "$prefix/lizenzen/libxlsxwriter.txt"

touch "$prefix/.fertig"
cd /
rm -rf "$arbeit"
echo "Bibliotheken für Windows: fertig ($(date +%T))"
echo "$prefix"
