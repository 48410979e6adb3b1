#include "imports/zeit.h"

#include <charconv>
#include <string>
#include <utility>

namespace quadrix {

namespace {

// n digits at text[i], advanced past them.
bool ziffern(std::string_view text, std::size_t& i, int n, int& wert)
{
    if (i + static_cast<std::size_t>(n) > text.size())
        return false;
    wert = 0;
    for (int k = 0; k < n; ++k, ++i) {
        const char c = text[i];
        if (c < '0' || c > '9')
            return false;
        wert = wert * 10 + (c - '0');
    }
    return true;
}

bool zeichen(std::string_view text, std::size_t& i, char c)
{
    if (i >= text.size() || text[i] != c)
        return false;
    ++i;
    return true;
}

bool schaltjahr(int j) { return (j % 4 == 0 && j % 100 != 0) || j % 400 == 0; }

std::optional<std::int64_t> sekundenVon(int jahr, int monat, int tag, int stunde, int minute, int sekunde)
{
    static constexpr int Tage[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (jahr < 1900 || monat < 1 || monat > 12 || tag < 1 || stunde > 23 || minute > 59 || sekunde > 60)
        return std::nullopt;
    if (tag > Tage[monat - 1] + (monat == 2 && schaltjahr(jahr) ? 1 : 0))
        return std::nullopt;
    // A leap second reads as the first second after it.
    return tageSeit1970(jahr, monat, tag) * 86400 + stunde * 3600 + minute * 60 + sekunde;
}

}  // namespace

std::int64_t tageSeit1970(int jahr, int monat, int tag)
{
    // The civil-from-days inverse of Howard Hinnant's algorithm.
    const int j = jahr - (monat <= 2 ? 1 : 0);
    const int aera = (j >= 0 ? j : j - 399) / 400;
    const int jahrDerAera = j - aera * 400;
    const int tagDesJahres = (153 * (monat + (monat > 2 ? -3 : 9)) + 2) / 5 + tag - 1;
    const int tagDerAera = jahrDerAera * 365 + jahrDerAera / 4 - jahrDerAera / 100 + tagDesJahres;
    return static_cast<std::int64_t>(aera) * 146097 + tagDerAera - 719468;
}

std::optional<int> leseVersatz(std::string_view text)
{
    if (text == "Z" || text == "z")
        return 0;
    std::size_t i = 0;
    if (text.empty() || (text[0] != '+' && text[0] != '-'))
        return std::nullopt;
    const int vorzeichen = text[0] == '-' ? -1 : 1;
    ++i;
    int h = 0, m = 0;
    if (!ziffern(text, i, 2, h))
        return std::nullopt;
    zeichen(text, i, ':');
    if (!ziffern(text, i, 2, m) || i != text.size() || h > 14 || m > 59)
        return std::nullopt;
    return vorzeichen * (h * 3600 + m * 60);
}

std::optional<Zeitangabe> leseIsoZeit(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t' || text.front() == '\n' || text.front() == '\r'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\n' || text.back() == '\r'))
        text.remove_suffix(1);
    std::size_t i = 0;
    int j, mo, t, h, mi, s;
    if (!ziffern(text, i, 4, j) || !zeichen(text, i, '-') || !ziffern(text, i, 2, mo) || !zeichen(text, i, '-') ||
        !ziffern(text, i, 2, t) || !(zeichen(text, i, 'T') || zeichen(text, i, ' ')) || !ziffern(text, i, 2, h) ||
        !zeichen(text, i, ':') || !ziffern(text, i, 2, mi) || !zeichen(text, i, ':') || !ziffern(text, i, 2, s))
        return std::nullopt;
    if (zeichen(text, i, '.') || zeichen(text, i, ',')) {
        const std::size_t von = i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9')
            ++i;
        if (i == von)
            return std::nullopt;
    }
    const auto sek = sekundenVon(j, mo, t, h, mi, s);
    if (!sek)
        return std::nullopt;
    Zeitangabe z{*sek, std::nullopt};
    if (i < text.size()) {
        z.versatz = leseVersatz(text.substr(i));
        if (!z.versatz)
            return std::nullopt;
    }
    return z;
}

std::optional<Zeitangabe> leseExifZeit(std::string_view text)
{
    // Cameras end the text with NULs or blanks.
    while (!text.empty() && (text.back() == '\0' || text.back() == ' '))
        text.remove_suffix(1);
    std::size_t i = 0;
    int j, mo, t, h, mi, s;
    if (!ziffern(text, i, 4, j) || !zeichen(text, i, ':') || !ziffern(text, i, 2, mo) || !zeichen(text, i, ':') ||
        !ziffern(text, i, 2, t) || !zeichen(text, i, ' ') || !ziffern(text, i, 2, h) || !zeichen(text, i, ':') ||
        !ziffern(text, i, 2, mi) || !zeichen(text, i, ':') || !ziffern(text, i, 2, s) || i != text.size())
        return std::nullopt;
    const auto sek = sekundenVon(j, mo, t, h, mi, s);
    if (!sek)
        return std::nullopt;
    return Zeitangabe{*sek, std::nullopt};
}

std::optional<long> leseSekunden(std::string_view t, bool mitEinheit)
{
    long vorzeichen = 1;
    if (!t.empty() && (t[0] == '+' || t[0] == '-')) {
        vorzeichen = t[0] == '-' ? -1 : 1;
        t.remove_prefix(1);
    }
    long faktor = 1;
    for (const auto& [einheit, f] : {std::pair<std::string_view, long>{"min", 60}, {"s", 1}, {"h", 3600}})
        if (mitEinheit && t.size() > einheit.size() && t.substr(t.size() - einheit.size()) == einheit) {
            t.remove_suffix(einheit.size());
            faktor = f;
            break;
        }
    long summe = 0;
    int teile = 0;
    while (!t.empty()) {
        const std::size_t doppelpunkt = t.find(':');
        const std::string_view teil = t.substr(0, doppelpunkt);
        long n = 0;
        const auto r = std::from_chars(teil.data(), teil.data() + teil.size(), n);
        if (teil.empty() || r.ec != std::errc() || r.ptr != teil.data() + teil.size() || n < 0 || n > 10000000 ||
            ++teile > 3 || (teile > 1 && n > 59))
            return std::nullopt;
        summe = summe * 60 + n;
        t = doppelpunkt == std::string_view::npos ? std::string_view() : t.substr(doppelpunkt + 1);
        if (doppelpunkt != std::string_view::npos && t.empty())
            return std::nullopt;
    }
    if (teile == 0 || (teile > 1 && faktor != 1))
        return std::nullopt;
    if (teile == 2)
        summe *= 60;  // hours and minutes
    return vorzeichen * summe * faktor;
}

}  // namespace quadrix
