#include "position/verweis.h"

#include "grid/ganzzahl.h"

#include <array>

namespace quadrix {

namespace {

// A decimal number as a link writes one: a sign, digits, perhaps a point and
// more digits. Its length in t from ab, 0 for none.
std::size_t zahlAb(std::string_view t, std::size_t ab)
{
    std::size_t i = ab;
    if (i < t.size() && (t[i] == '-' || t[i] == '+'))
        ++i;
    const std::size_t ganz = ganzzahl::ziffernAb(t, i);
    if (ganz == 0)
        return 0;
    i += ganz;
    if (i < t.size() && t[i] == '.') {
        const std::size_t nach = ganzzahl::ziffernAb(t, i + 1);
        if (nach == 0)
            return 0;
        i += 1 + nach;
    }
    return i - ab;
}

// Two numbers at ab, joined by trenner; the position text on success.
bool paarAb(std::string_view t, std::size_t ab, char trenner, std::string& position)
{
    const std::size_t n1 = zahlAb(t, ab);
    if (n1 == 0 || ab + n1 >= t.size() || t[ab + n1] != trenner)
        return false;
    const std::size_t n2 = zahlAb(t, ab + n1 + 1);
    if (n2 == 0)
        return false;
    std::string_view b = t.substr(ab, n1), l = t.substr(ab + n1 + 1, n2);
    if (b[0] == '+')
        b.remove_prefix(1);
    if (l[0] == '+')
        l.remove_prefix(1);
    position = std::string(b) + ' ' + std::string(l);
    return true;
}

// After one of the marks, a pair: "@50.1,8.6", "q=50.1,8.6", "#map=17/50.1/8.6" …
bool suche(std::string_view t, std::string_view marke, char trenner, std::string& position)
{
    for (std::size_t i = t.find(marke); i != std::string_view::npos; i = t.find(marke, i + 1))
        if (paarAb(t, i + marke.size(), trenner, position))
            return true;
    return false;
}

bool istZiffer(char c) { return ganzzahl::ziffer(c); }

}  // namespace

VerweisFehler leseVerweis(std::string_view text, std::string& position)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t' || text.front() == '<'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '>'))
        text.remove_suffix(1);
    // A geo URI: "geo:" in any case, then latitude, longitude, perhaps altitude and parameters.
    if (text.size() > 4 && (text.substr(0, 4) == "geo:" || text.substr(0, 4) == "GEO:" || text.substr(0, 4) == "Geo:"))
        return paarAb(text, 4, ',', position) ? VerweisFehler::Keine : VerweisFehler::OhnePosition;
    const bool link = text.substr(0, 7) == "http://" || text.substr(0, 8) == "https://" || text.substr(0, 4) == "www.";
    if (!link)
        return VerweisFehler::KeinVerweis;
    // OpenStreetMap: the marker's position first, then the view's centre.
    if (const std::size_t i = text.find("mlat="), j = text.find("mlon="); i != std::string_view::npos &&
                                                                          j != std::string_view::npos) {
        const std::size_t n = zahlAb(text, i + 5), m = zahlAb(text, j + 5);
        if (n > 0 && m > 0) {
            position = std::string(text.substr(i + 5, n)) + ' ' + std::string(text.substr(j + 5, m));
            return VerweisFehler::Keine;
        }
    }
    // "#map=17/50.1222/8.6917": the zoom, then latitude and longitude.
    if (const std::size_t i = text.find("map="); i != std::string_view::npos) {
        std::size_t z = i + 4;
        while (z < text.size() && istZiffer(text[z]))
            ++z;
        if (z > i + 4 && z < text.size() && text[z] == '/' && paarAb(text, z + 1, '/', position))
            return VerweisFehler::Keine;
    }
    // A place's pin ("q=", "query=", "ll=") before the view ("@"), as the map shows it.
    const std::array<std::string_view, 6> marken = {"?q=", "&q=", "query=", "?ll=", "&ll=", "@"};
    for (const std::string_view marke : marken)
        if (suche(text, marke, ',', position))
            return VerweisFehler::Keine;
    return VerweisFehler::OhnePosition;
}

}  // namespace quadrix
