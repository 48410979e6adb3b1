// A whole list: never a crash, and every output line starts with its input
// line followed by a delimiter, one output line for each input line (LF, CR LF or
// a CR alone ending a line).
#include "tables/stapel.h"

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

std::string alles(std::FILE* f)
{
    std::string s;
    std::rewind(f);
    char puffer[4096];
    for (std::size_t n; (n = std::fread(puffer, 1, sizeof puffer, f)) > 0;)
        s.append(puffer, n);
    std::fclose(f);
    return s;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t n)
{
    const std::string ein(reinterpret_cast<const char*>(daten), n);
    std::FILE* e = std::tmpfile();
    std::fwrite(ein.data(), 1, ein.size(), e);
    std::rewind(e);
    std::FILE* aus = std::tmpfile();
    const long abgelehnt = quadrix::stapel(e, aus, {}, {}, [](long, const char*) {});
    std::fclose(e);
    const std::string ausgabe = alles(aus);
    if (abgelehnt < 0)
        std::abort();
    const auto vorher = zeilen(ein), nachher = zeilen(ausgabe);
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
