#include "records/fundliste.h"

#include <charconv>
#include <utility>

namespace fundort {

namespace {

bool nurZiffern(std::string_view s)
{
    if (s.empty() || s.size() > 7)
        return false;
    for (char c : s)
        if (c < '0' || c > '9')
            return false;
    return true;
}

long wert(std::string_view s)
{
    long w = 0;
    for (char c : s)
        w = w * 10 + (c - '0');
    return w;
}

// "##0.0000" with either separator; the separator found in sep.
bool dezimal(std::string_view s, char& sep)
{
    if (!s.empty() && s[0] == '-')
        s.remove_prefix(1);
    const std::size_t p = s.find_first_of(",.");
    if (p == std::string_view::npos || p == 0 || s.size() - p != 5)
        return false;
    sep = s[p];
    return nurZiffern(s.substr(0, p)) && nurZiffern(s.substr(p + 1));
}

}  // namespace

const char* text(Mangel m)
{
    switch (m) {
    case Mangel::Keiner: return "";
    case Mangel::Leer: return "eine leere Zeile";
    case Mangel::Felderzahl: return "nicht 14 durch TAB getrennte Felder";
    case Mangel::Buchstaben: return "N und O stehen nicht an ihren Stellen";
    case Mangel::Koordinate: return "Grad, Minuten oder Sekunden sind keine Zahl im Bereich der Felder";
    case Mangel::Dezimal: return "die Dezimalgrad haben nicht die Form 50,1222";
    case Mangel::Zeichen: return "ein Byte, das Windows-1252 nicht belegt";
    case Mangel::ZuLang: return "eine Zeile länger als 1 MiB";
    case Mangel::Kodierung: return "die Datei ist in UTF-16 gespeichert, nicht in Windows-1252";
    }
    return "";
}

int obergrenze(Feld f)
{
    switch (f) {
    case Feld::GradN: return 90;
    case Feld::GradO: return 360;
    default: return 60;
    }
}

std::string zusammen(const std::vector<Dateizeile>& zeilen)
{
    std::string s;
    std::size_t n = 0;
    for (const Dateizeile& z : zeilen)
        n += z.text.size() + z.ende.size();
    s.reserve(n);
    for (const Dateizeile& z : zeilen)
        (s += z.text) += z.ende;
    return s;
}

Mangel mangel(std::string_view zeile, const std::string_view (&f)[14], char& dezimalzeichen)
{
    if (f[nr::Nord] != "N" || f[nr::Ost] != "O" || f[nr::DezimalNord] != "N" || f[nr::DezimalOst] != "O")
        return Mangel::Buchstaben;
    const struct { int nr; Feld feld; } koordinaten[] = {{nr::GradN, Feld::GradN}, {nr::MinN, Feld::MinN},
                                                        {nr::SekN, Feld::SekN},   {nr::GradO, Feld::GradO},
                                                        {nr::MinO, Feld::MinO},   {nr::SekO, Feld::SekO}};
    for (const auto& k : koordinaten)
        if (!nurZiffern(f[k.nr]) || wert(f[k.nr]) > obergrenze(k.feld))
            return Mangel::Koordinate;
    char s1 = 0, s2 = 0;
    if (!dezimal(f[nr::DezimalN], s1) || !dezimal(f[nr::DezimalO], s2) || s1 != s2)
        return Mangel::Dezimal;
    dezimalzeichen = s1;
    for (char c : zeile)
        if (c == '\x81' || c == '\x8d' || c == '\x8f' || c == '\x90' || c == '\x9d')
            return Mangel::Zeichen;
    return Mangel::Keiner;
}

Datensatz datensatz(const std::string_view (&f)[14])
{
    Datensatz d;
    d.gebiet = vonCp1252(f[nr::Gebiet]);
    d.mtb = vonCp1252(f[nr::Mtb]);
    d.gradN = f[nr::GradN];
    d.minN = f[nr::MinN];
    d.sekN = f[nr::SekN];
    d.gradO = f[nr::GradO];
    d.minO = f[nr::MinO];
    d.sekO = f[nr::SekO];
    // Independent of the locale (the window's may want a decimal comma).
    for (auto [text, ziel] : {std::pair{f[nr::DezimalN], &d.breite}, std::pair{f[nr::DezimalO], &d.laenge}}) {
        std::string t(text);
        for (char& c : t)
            c = c == ',' ? '.' : c;
        std::from_chars(t.data(), t.data() + t.size(), *ziel);
    }
    return d;
}

bool leseSatz(std::string_view zeile, Datensatz& d, char& dezimalzeichen, Mangel* grund)
{
    std::string_view f[14];
    const Mangel m = zeile.empty()           ? Mangel::Leer
                     : !felder(zeile, f)     ? Mangel::Felderzahl
                                             : mangel(zeile, f, dezimalzeichen);
    if (grund)
        *grund = m;
    if (m != Mangel::Keiner)
        return false;
    d = datensatz(f);
    return true;
}

Dateizeile neueZeile(const Datensatz& d, char dezimalzeichen)
{
    Dateizeile z;
    const Zeile neu = datensatzZeile(d, dezimalzeichen);
    if (!neu.bytes)
        return z;
    z.text = neu.bytes->substr(0, neu.bytes->size() - 2);
    z.ende = "\r\n";
    // Classified as the line will be read again.
    z.art = leseSatz(z.text, z.satz, z.dezimalzeichen, &z.mangel) ? Dateizeile::Art::Satz : Dateizeile::Art::Fremd;
    return z;
}

}  // namespace fundort
