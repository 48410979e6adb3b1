// What the readers share: a coordinate's text checked, a point's time
// read, a file read in blocks.
#pragma once

#include "imports/punkte.h"

#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quadrix {

// Blanks, TABs and line ends off both ends.
std::string_view getrimmt(std::string_view t);

// A decimal number as GPX, KML and GeoJSON write it: "-8.5", "50", "1e-3"
// (JSON); its value, or nothing for anything else.
std::optional<double> dezimal(std::string_view text);

// A number with so many decimals and a full stop, whatever the locale
// (a window's German locale would write a comma with printf).
//   (50.1222, 10) -> "50.1222000000"
std::string dezimalText(double wert, int stellen);

// Sets the point's position from the two texts, or its reason: not a
// number, beyond ±90° or ±180°.
void setzePosition(Fundpunkt& p, std::string_view breite, std::string_view laenge);

// Sets zeit, utc and lokaleZeit from an ISO 8601 text; a text that is no
// such time is kept as written, without seconds.
void setzeIsoZeit(Fundpunkt& p, std::string_view text);

// GPX or KML fed block by block; the points handed over as they end.
class XmlStrom {
public:
    explicit XmlStrom(const Punktempfaenger& nimm);
    ~XmlStrom();
    XmlStrom(const XmlStrom&) = delete;
    XmlStrom& operator=(const XmlStrom&) = delete;
    // False once the document is refused, malformed or ended.
    bool lies(const char* daten, std::size_t n, bool letzter);
    // The whole file, to its end.
    bool liesDatei(std::FILE* f);
    Leseergebnis ergebnis() const;

private:
    struct Innen;
    std::unique_ptr<Innen> innen_;
};

// A HEIF file's EXIF item as a JPEG's APP1 holds it ("Exif\0\0", TIFF),
// read through lies(offset, target, n).
Lesegrund heifExif(const std::function<bool(std::uint64_t, void*, std::size_t)>& lies,
                   std::vector<unsigned char>& exif);

// Calls lies(block, n) for each block of the file until its end or until
// lies returns false; false when the system could not read it.
template <class F>
bool inBloecken(std::FILE* f, F&& lies)
{
    char block[1 << 16];
    for (;;) {
        const std::size_t n = std::fread(block, 1, sizeof block, f);
        if (n > 0 && !lies(block, n))
            return true;
        if (n < sizeof block)
            return !std::ferror(f);
    }
}

}  // namespace quadrix
