// GPX 1.0/1.1 and KML 2.2 through expat: its events mapped to points.
#include "imports/lesehilfe.h"

#include <expat.h>

#include <cstring>
#include <utility>
#include <vector>

namespace quadrix {

namespace {

// Element names without their namespace prefix ("gpx:wpt" -> "wpt").
std::string_view lokal(const XML_Char* name)
{
    // One pass for the length and the prefix: called twice for every element.
    const char* nach = name;
    const char* p = name;
    for (; *p; ++p)
        if (*p == ':')
            nach = p + 1;
    return std::string_view(nach, static_cast<std::size_t>(p - nach));
}

// Text beyond this is not kept (a description of a megabyte).
constexpr std::size_t LaengsterText = 1 << 16;

struct Zustand {
    explicit Zustand(Punktempfaenger n) : nimm(std::move(n)) {}
    XML_Parser parser = nullptr;
    Punktempfaenger nimm;  // its own copy: a stream may outlive the caller's function object
    Leseergebnis ergebnis;
    Dateiart art = Dateiart::Unbekannt;
    int tiefe = 0;
    // The point being read: its element's depth (0: none).
    int punktTiefe = 0;
    Fundpunkt punkt;
    // Text of the element being collected, and what it is.
    int textTiefe = 0;
    std::string text;
    std::string_view feld;
    // GPX: the track's or route's depth, for its name.
    int gruppenTiefe = 0;
    std::string gruppe;
    // KML: the folders around, each with its name; a placemark's points.
    std::vector<std::pair<int, std::string>> ordner;
    std::vector<std::pair<std::string, std::string>> orte;  // latitude, longitude texts
    bool imPunkt = false;
    bool koordinatenFehler = false;

    void halt(Lesegrund g)
    {
        if (ergebnis.grund == Lesegrund::Keiner)
            ergebnis.grund = g;
        XML_StopParser(parser, XML_FALSE);
    }
    void gib(Fundpunkt& p)
    {
        ++ergebnis.punkte;
        nimm(p);
    }
    void sammle(std::string_view name)
    {
        feld = name;
        textTiefe = tiefe;
        text.clear();
    }
};

void gpxAnfang(Zustand& z, std::string_view name, const XML_Char** attribute)
{
    const int d = z.tiefe;
    if (z.punktTiefe == 0 && (name == "wpt" || name == "rtept" || name == "trkpt")) {
        Fundpunkt& p = z.punkt;
        p.leeren();
        p.art = name == "wpt" ? Punktart::Wegpunkt : name == "rtept" ? Punktart::Routenpunkt : Punktart::Spurpunkt;
        if (name != "wpt")
            p.gruppe = z.gruppe;
        const char* breite = nullptr;
        const char* laenge = nullptr;
        for (const XML_Char** a = attribute; *a; a += 2) {
            if (std::strcmp(a[0], "lat") == 0)
                breite = a[1];
            else if (std::strcmp(a[0], "lon") == 0)
                laenge = a[1];
        }
        if (breite && laenge)
            setzePosition(p, breite, laenge);
        else
            p.grund = Punktgrund::OhnePosition;
        z.punktTiefe = d;
    } else if (z.punktTiefe && d == z.punktTiefe + 1 &&
               (name == "name" || name == "time" || name == "desc" || name == "ele" || name == "hdop" ||
                name == "pdop")) {
        z.sammle(name);
    } else if (z.punktTiefe == 0 && (name == "trk" || name == "rte")) {
        z.gruppenTiefe = d;
        z.gruppe.clear();
    } else if (z.gruppenTiefe && d == z.gruppenTiefe + 1 && name == "name") {
        z.sammle("gruppe");
    }
}

void gpxEnde(Zustand& z, std::string_view name)
{
    if (z.textTiefe == z.tiefe && z.textTiefe) {
        Fundpunkt& p = z.punkt;
        const std::string_view f = z.feld;
        z.textTiefe = 0;
        if (f == "gruppe")
            z.gruppe = getrimmt(z.text);
        else if (f == "name")
            p.name = getrimmt(z.text);
        else if (f == "desc")
            p.beschreibung = getrimmt(z.text);
        else if (f == "time")
            setzeIsoZeit(p, z.text);
        else {
            const auto wert = dezimal(getrimmt(z.text));
            (f == "ele" ? p.hoehe : f == "hdop" ? p.hdop : p.pdop) = wert;
        }
        return;
    }
    if (z.punktTiefe == z.tiefe && z.punktTiefe) {
        z.punktTiefe = 0;
        z.gib(z.punkt);
    } else if (z.gruppenTiefe == z.tiefe && (name == "trk" || name == "rte")) {
        z.gruppenTiefe = 0;
        z.gruppe.clear();
    }
}

void kmlAnfang(Zustand& z, std::string_view name)
{
    const int d = z.tiefe;
    if (name == "Folder") {
        z.ordner.emplace_back(d, std::string());
    } else if (z.punktTiefe == 0 && name == "Placemark") {
        z.punkt.leeren();
        z.punkt.art = Punktart::Ortsmarke;
        if (!z.ordner.empty())
            z.punkt.gruppe = z.ordner.back().second;
        z.orte.clear();
        z.koordinatenFehler = false;
        z.punktTiefe = d;
    } else if (z.punktTiefe && d == z.punktTiefe + 1 && (name == "name" || name == "description")) {
        z.sammle(name);
    } else if (z.punktTiefe && name == "when") {
        z.sammle(name);
    } else if (z.punktTiefe && name == "Point") {
        z.imPunkt = true;
    } else if (z.imPunkt && name == "coordinates") {
        z.sammle(name);
    } else if (z.punktTiefe == 0 && !z.ordner.empty() && d == z.ordner.back().first + 1 && name == "name") {
        z.sammle("ordner");
    }
}

// "8.6917,50.1222,140": longitude, latitude, height.
void kmlOrt(Zustand& z, std::string_view text)
{
    text = getrimmt(text);
    const std::size_t ende = text.find_first_of(" \t\r\n");
    const std::string_view tupel = text.substr(0, ende);
    const std::size_t k1 = tupel.find(',');
    if (k1 == std::string_view::npos) {
        z.koordinatenFehler = true;
        return;
    }
    const std::size_t k2 = tupel.find(',', k1 + 1);
    const std::string_view laenge = tupel.substr(0, k1);
    const std::string_view breite = tupel.substr(k1 + 1, k2 == std::string_view::npos ? k2 : k2 - k1 - 1);
    if (z.orte.size() < 10000)
        z.orte.emplace_back(std::string(breite), std::string(laenge));
    if (k2 != std::string_view::npos)
        z.punkt.hoehe = dezimal(tupel.substr(k2 + 1));
}

void kmlEnde(Zustand& z, std::string_view name)
{
    if (z.textTiefe == z.tiefe && z.textTiefe) {
        Fundpunkt& p = z.punkt;
        const std::string_view f = z.feld;
        z.textTiefe = 0;
        if (f == "ordner")
            z.ordner.back().second = getrimmt(z.text);
        else if (f == "name")
            p.name = getrimmt(z.text);
        else if (f == "description")
            p.beschreibung = getrimmt(z.text);
        else if (f == "when")
            setzeIsoZeit(p, z.text);
        else if (f == "coordinates")
            kmlOrt(z, z.text);
        return;
    }
    if (name == "Point") {
        z.imPunkt = false;
    } else if (name == "Folder" && !z.ordner.empty() && z.ordner.back().first == z.tiefe) {
        z.ordner.pop_back();
    } else if (z.punktTiefe == z.tiefe && z.punktTiefe) {
        z.punktTiefe = 0;
        Fundpunkt& p = z.punkt;
        if (z.orte.empty()) {
            p.grund = z.koordinatenFehler ? Punktgrund::Ungueltig : Punktgrund::KeinPunkt;
            z.gib(p);
        }
        for (const auto& [breite, laenge] : z.orte) {
            setzePosition(p, breite, laenge);
            z.gib(p);
        }
    }
}

void XMLCALL anfang(void* daten, const XML_Char* roh, const XML_Char** attribute)
{
    Zustand& z = *static_cast<Zustand*>(daten);
    const std::string_view name = lokal(roh);
    ++z.tiefe;
    if (z.tiefe == 1) {
        if (name == "gpx")
            z.art = Dateiart::Gpx;
        else if (name == "kml")
            z.art = Dateiart::Kml;
        else
            z.halt(Lesegrund::KeinGpxKml);
        z.ergebnis.art = z.art;
        return;
    }
    if (z.art == Dateiart::Gpx)
        gpxAnfang(z, name, attribute);
    else
        kmlAnfang(z, name);
}

void XMLCALL ende(void* daten, const XML_Char* roh)
{
    Zustand& z = *static_cast<Zustand*>(daten);
    const std::string_view name = lokal(roh);
    if (z.art == Dateiart::Gpx)
        gpxEnde(z, name);
    else if (z.art == Dateiart::Kml)
        kmlEnde(z, name);
    --z.tiefe;
}

void XMLCALL zeichen(void* daten, const XML_Char* s, int n)
{
    Zustand& z = *static_cast<Zustand*>(daten);
    if (z.textTiefe && z.text.size() < LaengsterText)
        z.text.append(s, std::min<std::size_t>(static_cast<std::size_t>(n), LaengsterText - z.text.size()));
}

// Neither format declares entities: a document that does is refused before
// any is expanded.
void XMLCALL entitaet(void* daten, const XML_Char*, int, const XML_Char*, int, const XML_Char*, const XML_Char*,
                      const XML_Char*, const XML_Char*)
{
    static_cast<Zustand*>(daten)->halt(Lesegrund::Entitaeten);
}

}  // namespace

struct XmlStrom::Innen {
    XML_Parser parser;
    Zustand z;
};

XmlStrom::XmlStrom(const Punktempfaenger& nimm) : innen_(new Innen{XML_ParserCreate(nullptr), Zustand(nimm)})
{
    XML_Parser p = innen_->parser;
    innen_->z.parser = p;
    if (!p)
        return;
    XML_SetUserData(p, &innen_->z);
    XML_SetElementHandler(p, anfang, ende);
    XML_SetCharacterDataHandler(p, zeichen);
    XML_SetEntityDeclHandler(p, entitaet);
}

XmlStrom::~XmlStrom()
{
    if (innen_->parser)
        XML_ParserFree(innen_->parser);
}

bool XmlStrom::lies(const char* daten, std::size_t n, bool letzter)
{
    XML_Parser p = innen_->parser;
    Leseergebnis& e = innen_->z.ergebnis;
    if (!p || e.grund != Lesegrund::Keiner)
        return false;
    if (XML_Parse(p, daten, static_cast<int>(n), letzter) != XML_STATUS_OK) {
        if (e.grund == Lesegrund::Keiner) {
            e.grund = Lesegrund::Xml;
            e.zeile = XML_GetCurrentLineNumber(p);
            e.ausdruck = XML_ErrorString(XML_GetErrorCode(p));
        }
        return false;
    }
    return true;
}

Leseergebnis XmlStrom::ergebnis() const
{
    Leseergebnis e = innen_->z.ergebnis;
    if (!innen_->parser)
        e.grund = Lesegrund::Lesefehler;
    else if (e.grund == Lesegrund::Keiner && innen_->z.art == Dateiart::Unbekannt)
        e.grund = Lesegrund::KeinGpxKml;
    return e;
}

Leseergebnis leseXmlText(const char* daten, std::size_t n, const Punktempfaenger& nimm)
{
    XmlStrom l(nimm);
    // expat takes at most INT_MAX bytes at a time.
    constexpr std::size_t Stueck = 1 << 24;
    while (n > Stueck && l.lies(daten, Stueck, false)) {
        daten += Stueck;
        n -= Stueck;
    }
    if (n <= Stueck)
        l.lies(daten, n, true);
    return l.ergebnis();
}

bool XmlStrom::liesDatei(std::FILE* f)
{
    XML_Parser p = innen_->parser;
    Leseergebnis& e = innen_->z.ergebnis;
    if (!p)
        return false;
    // Read straight into expat's buffer: a long track is not copied twice.
    constexpr int Block = 1 << 16;
    for (;;) {
        void* puffer = XML_GetBuffer(p, Block);
        if (!puffer)
            return lies("", 0, true);
        const std::size_t n = std::fread(puffer, 1, Block, f);
        if (std::ferror(f)) {
            e.grund = Lesegrund::Lesefehler;
            return false;
        }
        const bool ende = n < static_cast<std::size_t>(Block);
        if (XML_ParseBuffer(p, static_cast<int>(n), ende) != XML_STATUS_OK) {
            if (e.grund == Lesegrund::Keiner) {
                e.grund = Lesegrund::Xml;
                e.zeile = XML_GetCurrentLineNumber(p);
                e.ausdruck = XML_ErrorString(XML_GetErrorCode(p));
            }
            return false;
        }
        if (ende)
            return true;
    }
}

Leseergebnis leseXml(std::FILE* f, const Punktempfaenger& nimm)
{
    XmlStrom l(nimm);
    l.liesDatei(f);
    return l.ergebnis();
}

}  // namespace quadrix
