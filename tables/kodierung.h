// The encodings of tables as Excel saves them, besides plain bytes (UTF-8,
// or Windows-1252, passed through as they are):
//   "CSV UTF-8"      UTF-8 with a byte-order mark: the mark is skipped when
//                    reading and kept in the output
//   "Unicode-Text"   UTF-16 (little-endian on Windows) with its mark, TABs:
//                    read as UTF-8, written back in UTF-16 with the same mark
// Standard library only.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace quadrix {

enum class Kodierung { Bytes, Utf16Le, Utf16Be };

inline constexpr std::string_view Utf8Marke = "\xef\xbb\xbf";

// The first line's text without a UTF-8 mark.
inline std::string_view ohneMarke(std::string_view zeile)
{
    return zeile.substr(0, 3) == Utf8Marke ? zeile.substr(3) : zeile;
}

// Reads the start of ein. With a UTF-16 mark, the whole input decoded to
// UTF-8 into text (an unpaired surrogate as U+FFFD); otherwise the bytes
// read so far into vorweg, to be read first. False on a read error.
bool liesAnfang(std::FILE* ein, Kodierung& k, std::string& vorweg, std::string& text);
// The encoding its first bytes tell; UTF-16 decoded to UTF-8 (without its mark).
Kodierung kodierungVon(std::string_view anfang);
void ausUtf16(std::string_view roh, Kodierung k, std::string& text);

// UTF-8 as UTF-16 in the byte order of k, appended to out (a byte that is
// not UTF-8 as U+FFFD).
void alsUtf16(std::string_view utf8, Kodierung k, std::string& out);
// The mark that starts a UTF-16 output.
std::string_view utf16Marke(Kodierung k);

}  // namespace quadrix
