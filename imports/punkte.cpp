#include "imports/lesehilfe.h"
#include "imports/zeit.h"

#include <charconv>
#include <cstdio>
#include <cstring>

namespace quadrix {

void Fundpunkt::leeren()
{
    art = Punktart::Wegpunkt;
    grund = Punktgrund::Keiner;
    for (std::string* t : {&name, &zeit, &beschreibung, &gruppe, &breite, &laenge})
        t->clear();
    hoehe.reset();
    hdop.reset();
    pdop.reset();
    unsicherheit.reset();
    utc.reset();
    lokaleZeit.reset();
}

namespace {

// Is the decimal text ("-8.5", "90", "90.000") within ±grenze? Decided on
// the digits, exactly, without a conversion: most of a long track's time
// would go into it. Nothing for any other form (exponents, blanks inside).
std::optional<bool> imBereich(std::string_view t, unsigned grenze)
{
    std::size_t i = 0;
    if (i < t.size() && (t[i] == '-' || t[i] == '+'))
        ++i;
    unsigned ganz = 0;
    const std::size_t anfang = i;
    for (; i < t.size() && t[i] >= '0' && t[i] <= '9'; ++i)
        if ((ganz = ganz * 10 + static_cast<unsigned>(t[i] - '0')) > 1000)
            ganz = 1000;
    const bool mitGanzen = i > anfang;
    bool bruchNull = true, mitBruch = false;
    if (i < t.size() && t[i] == '.') {
        for (++i; i < t.size() && t[i] >= '0' && t[i] <= '9'; ++i) {
            mitBruch = true;
            bruchNull = bruchNull && t[i] == '0';
        }
    }
    if (i != t.size() || (!mitGanzen && !mitBruch))
        return std::nullopt;
    return ganz < grenze || (ganz == grenze && bruchNull);
}

}  // namespace

std::string_view getrimmt(std::string_view t)
{
    const auto leer = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!t.empty() && leer(t.front()))
        t.remove_prefix(1);
    while (!t.empty() && leer(t.back()))
        t.remove_suffix(1);
    return t;
}

std::optional<double> dezimal(std::string_view text)
{
    text = getrimmt(text);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    // from_chars takes "inf", "nan" and hexadecimal forms: none of them here.
    for (const char c : text)
        if (!((c >= '0' && c <= '9') || c == '.' || c == '-' || c == 'e' || c == 'E' || c == '+'))
            return std::nullopt;
    // The common form ("112.4", "-8.6917000") at once: up to 15 digits are
    // exact as an integer, and one division by an exact power of ten
    // rounds correctly, as from_chars would.
    {
        static constexpr double Zehn[] = {1, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
        std::size_t i = !text.empty() && text[0] == '-' ? 1 : 0;
        std::uint64_t ziffern = 0;
        int anzahl = 0, nachkomma = -1;
        bool einfach = i < text.size();
        for (; i < text.size() && einfach; ++i) {
            const char c = text[i];
            if (c >= '0' && c <= '9') {
                ziffern = ziffern * 10 + static_cast<unsigned>(c - '0');
                einfach = ++anzahl <= 15;
                if (nachkomma >= 0)
                    ++nachkomma;
            } else {
                einfach = c == '.' && nachkomma < 0;
                nachkomma = 0;
            }
        }
        if (einfach && anzahl > 0) {
            const double w = static_cast<double>(ziffern) / Zehn[nachkomma < 0 ? 0 : nachkomma];
            return text[0] == '-' ? -w : w;
        }
    }
    double wert = 0;
    const auto [ende, fehler] = std::from_chars(text.data(), text.data() + text.size(), wert);
    if (fehler != std::errc() || ende != text.data() + text.size() || text.empty())
        return std::nullopt;
    return wert;
}

std::string dezimalText(double wert, int stellen)
{
    char t[64];
    const auto r = std::to_chars(t, t + sizeof t, wert, std::chars_format::fixed, stellen);
    return r.ec == std::errc() ? std::string(t, r.ptr) : std::string();
}

void setzePosition(Fundpunkt& p, std::string_view breite, std::string_view laenge)
{
    breite = getrimmt(breite);
    laenge = getrimmt(laenge);
    // The plain decimal form on the digits; others (JSON's exponents) as numbers.
    const std::optional<bool> bSchnell = imBereich(breite, 90), lSchnell = imBereich(laenge, 180);
    std::optional<double> b, l;
    if (!bSchnell)
        b = dezimal(breite);
    if (!lSchnell)
        l = dezimal(laenge);
    const bool gut = (bSchnell ? *bSchnell : b && *b >= -90 && *b <= 90) &&
                     (lSchnell ? *lSchnell : l && *l >= -180 && *l <= 180);
    if (!gut) {
        p.grund = Punktgrund::Ungueltig;
        p.breite.clear();
        p.laenge.clear();
        return;
    }
    p.grund = Punktgrund::Keiner;
    // As written, but for JSON's exponents ("5.01e1"): a position reader
    // would take the e for east.
    const auto alsText = [](std::string& ziel, std::string_view t, const std::optional<double>& wert) {
        if (!wert) {
            ziel.assign(t.front() == '+' ? t.substr(1) : t);
            return;
        }
        ziel = dezimalText(*wert, 10);
    };
    alsText(p.breite, breite, b);
    alsText(p.laenge, laenge, l);
}

void setzeIsoZeit(Fundpunkt& p, std::string_view text)
{
    text = getrimmt(text);
    p.zeit.assign(text);
    if (const auto z = leseIsoZeit(text)) {
        p.utc = z->utc();
        if (!p.utc)
            p.lokaleZeit = z->sekunden;
    }
}

Dateiart erkenneArt(const unsigned char* a, std::size_t n)
{
    if (n >= 4 && std::memcmp(a, "PK\x03\x04", 4) == 0)
        return Dateiart::Kmz;
    if (n >= 3 && a[0] == 0xFF && a[1] == 0xD8 && a[2] == 0xFF)
        return Dateiart::Jpeg;
    if (n >= 12 && std::memcmp(a + 4, "ftyp", 4) == 0) {
        static const char* const Marken[] = {"heic", "heix", "heim", "heis", "hevc", "hevx", "mif1", "msf1", "avif"};
        for (const char* m : Marken)
            if (std::memcmp(a + 8, m, 4) == 0)
                return Dateiart::Heic;
    }
    // Text: past a byte-order mark and blanks, "<" or "{". In UTF-16 only
    // XML (a table in UTF-16, as Excel writes it, is no file of points).
    const auto leer = [](unsigned char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    if (n >= 2 && ((a[0] == 0xFF && a[1] == 0xFE) || (a[0] == 0xFE && a[1] == 0xFF))) {
        const std::size_t hoch = a[0] == 0xFF ? 1 : 0;  // the byte that is 0 in ASCII characters
        std::size_t k = 2;
        while (k + 1 < n && a[k + hoch] == 0 && leer(a[k + 1 - hoch]))
            k += 2;
        return k + 1 < n && a[k + hoch] == 0 && a[k + 1 - hoch] == '<' ? Dateiart::Gpx : Dateiart::Unbekannt;
    }
    std::size_t i = n >= 3 && a[0] == 0xEF && a[1] == 0xBB && a[2] == 0xBF ? 3 : 0;
    while (i < n && leer(a[i]))
        ++i;
    if (i < n && a[i] == '<')
        return Dateiart::Gpx;
    if (i < n && a[i] == '{')
        return Dateiart::GeoJson;
    return Dateiart::Unbekannt;
}

Leseergebnis lesePunkte(std::FILE* f, const std::string& name, const Punktempfaenger& nimm)
{
    unsigned char anfang[16];
    const std::size_t n = std::fread(anfang, 1, sizeof anfang, f);
    Leseergebnis e;
    if (std::ferror(f) || std::fseek(f, 0, SEEK_SET) != 0) {
        e.grund = Lesegrund::Lesefehler;
        return e;
    }
    switch (const Dateiart art = erkenneArt(anfang, n)) {
    case Dateiart::Gpx:
    case Dateiart::Kml:
        return leseXml(f, nimm);
    case Dateiart::Kmz:
        return leseKmz(f, nimm);
    case Dateiart::GeoJson:
        return leseGeoJson(f, nimm);
    case Dateiart::Jpeg:
    case Dateiart::Heic:
        return leseFoto(f, art, name, nimm);
    case Dateiart::Unbekannt:
        break;
    }
    e.grund = Lesegrund::Unbekannt;
    return e;
}

const char* text(Punktgrund g)
{
    switch (g) {
    case Punktgrund::Keiner: return "";
    case Punktgrund::OhnePosition: return "ohne Position";
    case Punktgrund::Ungueltig: return "unmögliche Koordinaten (Breite über 90°, Länge über 180°, Nenner 0 oder keine Zahl)";
    case Punktgrund::KeinPunkt: return "kein Punkt (eine Linie oder Fläche)";
    case Punktgrund::OhneZeit: return "ohne Position und ohne Aufnahmezeit: nicht auf die Spur zu legen";
    case Punktgrund::OhneSpur: return "ohne Position, und keine Spur mit Zeiten angegeben";
    case Punktgrund::FernVonSpur: return "ohne Position, und zu weit (zeitlich) von jedem Punkt der Spur";
    }
    return "";
}

const char* text(Lesegrund g)
{
    switch (g) {
    case Lesegrund::Keiner: return "";
    case Lesegrund::Unbekannt: return "weder GPX, KML, KMZ, GeoJSON noch ein Foto (JPEG, HEIC)";
    case Lesegrund::Lesefehler: return "Lesefehler";
    case Lesegrund::Xml: return "kein wohlgeformtes XML";
    case Lesegrund::Entitaeten: return "das XML erklärt Entitäten; abgelehnt, nichts davon ausgewertet";
    case Lesegrund::KeinGpxKml: return "XML, aber weder GPX noch KML";
    case Lesegrund::ZuGross: return "zu groß (entpackt über 256 MiB, GeoJSON über 64 MiB)";
    case Lesegrund::Zip: return "ein beschädigtes ZIP oder keine KML-Datei darin";
    case Lesegrund::Json: return "kein wohlgeformtes JSON (oder zu tief verschachtelt)";
    case Lesegrund::KeinGeoJson: return "JSON, aber kein GeoJSON";
    case Lesegrund::KeinExif: return "ein Foto ohne EXIF-Daten";
    case Lesegrund::Exif: return "EXIF-Daten oder HEIF-Aufbau beschädigt";
    case Lesegrund::OrdnerImKreis: return "ein Ordner, der über eine Verknüpfung wieder erreicht wird; übergangen";
    case Lesegrund::Ordner: return "der Ordner kann nicht gelesen werden";
    }
    return "";
}

const char* text(Dateiart a)
{
    switch (a) {
    case Dateiart::Unbekannt: return "unbekannt";
    case Dateiart::Gpx: return "GPX";
    case Dateiart::Kml: return "KML";
    case Dateiart::Kmz: return "KMZ";
    case Dateiart::GeoJson: return "GeoJSON";
    case Dateiart::Jpeg: return "Foto (JPEG)";
    case Dateiart::Heic: return "Foto (HEIC)";
    }
    return "";
}

}  // namespace quadrix
