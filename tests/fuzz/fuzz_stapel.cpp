// A whole list: never a crash, and every output line starts with its input
// line followed by a delimiter, one output line for each input line (LF, CR LF or
// a CR alone ending a line).
#include "tables/kodierung.h"
#include "tables/stapel.h"
#include "tests/tempdatei.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::vector<std::string> zeilen(const std::string& s)
{
    std::vector<std::string> z;
    std::string aktuell;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\n' || s[i] == '\r') {
            z.push_back(aktuell);
            aktuell.clear();
            if (s[i] == '\r' && i + 1 < s.size() && s[i + 1] == '\n')
                ++i;
        } else {
            aktuell += s[i];
        }
    }
    if (!aktuell.empty())
        z.push_back(aktuell);
    return z;
}

// A text as the list reader sees it: UTF-16 with its mark decoded to UTF-8.
std::string gelesen(const std::string& bytes)
{
    std::FILE* f = tempdatei(bytes);
    quadrix::Kodierung k;
    std::string vorweg, text;
    if (!quadrix::liesAnfang(f, k, vorweg, text))
        std::abort();
    std::fclose(f);
    return k == quadrix::Kodierung::Bytes ? bytes : text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t n)
{
    const std::string ein(reinterpret_cast<const char*>(daten), n);
    std::FILE* e = tempdatei(ein);
    std::FILE* aus = std::tmpfile();
    const long abgelehnt = quadrix::stapel(e, aus, {}, {}, [](long, const char*) {});
    std::fclose(e);
    const std::string ausgabe = alles(aus);
    if (abgelehnt < 0)
        std::abort();
    // UTF-16 comes back in UTF-16 with the same mark: compared as the text it holds.
    const bool utf16 = n >= 2 && ((daten[0] == 0xff && daten[1] == 0xfe) || (daten[0] == 0xfe && daten[1] == 0xff));
    if (utf16 && ausgabe.compare(0, 2, ein, 0, 2) != 0)
        std::abort();
    const auto vorher = zeilen(gelesen(ein)), nachher = zeilen(utf16 ? gelesen(ausgabe) : ausgabe);
    if (vorher.size() != nachher.size())
        std::abort();
    // The code column is joined with the table's delimiter: TAB, semicolon or comma.
    for (std::size_t i = 0; i < vorher.size(); ++i) {
        if (nachher[i].size() <= vorher[i].size() || nachher[i].compare(0, vorher[i].size(), vorher[i]) != 0)
            std::abort();
        const char t = nachher[i][vorher[i].size()];
        if (t != '\t' && t != ';' && t != ',')
            std::abort();
    }
    return 0;
}
