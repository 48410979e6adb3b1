#include "tables/tabelle.h"

#include "records/fundortformat.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <filesystem>
#include <iostream>

namespace quadrix {

namespace {

std::string klein(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '"'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '"'))
        s.remove_suffix(1);
    std::string k(s);
    for (char& c : k)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return k;
}

bool eines(const std::string& titel, std::initializer_list<std::string_view> namen)
{
    return std::find(namen.begin(), namen.end(), titel) != namen.end();
}

bool istBreite(const std::string& t)
{
    return eines(t, {"lat", "latitude", "breite", "breitengrad", "y", "decimallatitude", "lat_dd", "latitude_dd",
                     "nord", "north", "n", "b", "geogr. breite", "hochwert", "hw", "hoch", "gk_hochwert", "gk hochwert"});
}

bool istLaenge(const std::string& t)
{
    return eines(t, {"lon", "lng", "long", "longitude", "laenge", "l\xc3\xa4nge", "l\xe4nge", "laengengrad",
                     "l\xc3\xa4ngengrad", "x", "decimallongitude", "lon_dd", "longitude_dd", "ost", "east", "o", "e",
                     "l", "geogr. l\xc3\xa4nge", "rechtswert", "rw", "rechts", "gk_rechtswert", "gk rechtswert"});
}

// A column named by number (1-based) or title; -1 when there is none.
int spalteNamens(const std::string& wahl, const std::vector<std::string>& titel)
{
    int nummer = 0;
    const auto r = std::from_chars(wahl.data(), wahl.data() + wahl.size(), nummer);
    if (r.ec == std::errc() && r.ptr == wahl.data() + wahl.size())
        return nummer >= 1 ? nummer - 1 : -1;
    const std::string gesucht = klein(wahl);
    for (std::size_t i = 0; i < titel.size(); ++i)
        if (klein(titel[i]) == gesucht)
            return static_cast<int>(i);
    return -1;
}

char trennerVon(std::string_view zeile)
{
    for (char t : {'\t', ';', ','})
        if (zeile.find(t) != std::string_view::npos)
            return t;
    return '\0';
}

}  // namespace

bool istFundortSatz(std::string_view zeile)
{
    std::string_view f[14];
    namespace nr = fundort::nr;
    return fundort::felder(zeile, f) && f[nr::Nord] == "N" && f[nr::Ost] == "O" && f[nr::DezimalNord] == "N" &&
           f[nr::DezimalOst] == "O";
}

std::vector<std::string> spalten(std::string_view zeile, char trenner, bool anfuehrung)
{
    std::vector<std::string> felder(1);
    bool inAnfuehrung = false;
    for (std::size_t i = 0; i < zeile.size(); ++i) {
        const char c = zeile[i];
        if (anfuehrung && c == '"') {
            if (inAnfuehrung && i + 1 < zeile.size() && zeile[i + 1] == '"') {
                felder.back() += '"';
                ++i;
            } else {
                inAnfuehrung = !inAnfuehrung;
            }
        } else if (c == trenner && !inAnfuehrung) {
            felder.emplace_back();
        } else {
            felder.back() += c;
        }
    }
    return felder;
}

void zelleAnhaengen(std::string& out, std::string_view zelle, char trenner)
{
    if (zelle.find_first_of(std::string{trenner, '"', '\r', '\n'}) == std::string_view::npos) {
        out += zelle;
        return;
    }
    out += '"';
    for (const char c : zelle) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
}

bool Tabelle::ersteZeile(std::string_view zeile, const Spaltenwahl& wahl)
{
    if (fundort::istKopfzeile(zeile)) {
        m_art = Art::Fundorte;
        m_trenner = '\t';
        return true;
    }
    // A find-location file without its header line, as the window writes into
    // a file the user chose: its first record tells it. A line of that form
    // without any digit is a header of other words.
    if (istFundortSatz(zeile)) {
        m_art = Art::Fundorte;
        m_trenner = '\t';
        return ohneZiffern(zeile);
    }
    const char t = trennerVon(zeile);
    const bool kopf = ohneZiffern(zeile);
    // Free form keeps the line's own delimiter for the code: a TAB, a
    // semicolon, or a comma where no blank makes it a decimal comma.
    m_trenner = t == ';' || (t == ',' && zeile.find(' ') == std::string_view::npos) ? t : '\t';
    if (t == '\0' || (!kopf && wahl.breite.empty()))
        return kopf;  // free form, as lines of numbers are read
    const bool anfuehrung = t != '\t';
    const std::vector<std::string> titel = kopf ? spalten(zeile, t, anfuehrung) : std::vector<std::string>{};
    int b = -1, l = -1;
    if (!wahl.breite.empty()) {
        b = spalteNamens(wahl.breite, titel);
        l = spalteNamens(wahl.laenge, titel);
    } else {
        for (std::size_t i = 0; i < titel.size(); ++i) {
            const std::string k = klein(titel[i]);
            if (b < 0 && istBreite(k))
                b = static_cast<int>(i);
            else if (l < 0 && istLaenge(k))
                l = static_cast<int>(i);
        }
    }
    int ort = -1, code = -1, unsicherheit = -1, datum = -1;
    for (std::size_t i = 0; i < titel.size(); ++i) {
        const std::string k = klein(titel[i]);
        if (ort < 0 && eines(k, {"locality", "gebietsname", "gebiet", "ort", "fundort", "fundortname", "place"}))
            ort = static_cast<int>(i);
        else if (code < 0 && k.rfind("mtb", 0) == 0)
            code = static_cast<int>(i);
        else if (unsicherheit < 0 && (k == "coordinateuncertaintyinmeters" || k.rfind("toleranz", 0) == 0 ||
                                      k.rfind("unschärfe", 0) == 0 || k.rfind("unschaerfe", 0) == 0))
            unsicherheit = static_cast<int>(i);
        else if (datum < 0 && k == "geodeticdatum")
            datum = static_cast<int>(i);
    }
    if (b < 0 || l < 0 || b == l) {
        if (code < 0)
            return kopf;  // free form
        b = l = -1;  // a table of cells
    }
    m_ort = ort;
    m_code = code;
    m_unsicherheit = unsicherheit;
    m_datum = datum;
    m_art = Art::Spalten;
    m_trenner = t;
    m_anfuehrung = anfuehrung;
    m_breite = b;
    m_laenge = l;
    m_rechtsHochBenannt = b >= 0 && static_cast<std::size_t>(std::max(b, l)) < titel.size() &&
                    eines(klein(titel[b]), {"hochwert", "hw", "hoch", "gk_hochwert", "gk hochwert"}) &&
                    eines(klein(titel[l]), {"rechtswert", "rw", "rechts", "gk_rechtswert", "gk rechtswert"});
    m_dezimalBenannt = b >= 0 && static_cast<std::size_t>(std::max(b, l)) < titel.size() &&
                       eines(klein(titel[b]), {"decimallatitude", "lat", "latitude", "lat_dd", "latitude_dd"}) &&
                       eines(klein(titel[l]), {"decimallongitude", "lon", "lng", "long", "longitude", "lon_dd",
                                               "longitude_dd"});
    return kopf;
}

}  // namespace quadrix
