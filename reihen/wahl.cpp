#include "reihen/reihen.h"

#include "position/code.h"
#include "position/meter.h"

#include <algorithm>
#include <charconv>
#include <iterator>

namespace quadrix::reihen {

const char* text(Wahlfehler f)
{
    switch (f) {
    case Wahlfehler::Keine: return "";
    case Wahlfehler::Gitter: return "--grid nimmt mtb, minutenfeld, eea100m, eea1km, eea10km, eea100km, utm, mgrs oder gk";
    case Wahlfehler::Datum: return "--datum nimmt auto, potsdam, etrs89 oder wgs84";
    case Wahlfehler::Schreibweise: return "--notation nimmt slash, compact, dot oder blank";
    case Wahlfehler::Ebenen: return "--levels nimmt eine Zahl von 0 bis 5";
    case Wahlfehler::ZoneOhneGitter: return "--zone gehört zu --grid utm, mgrs oder gk";
    case Wahlfehler::Zone: return "--zone nimmt eine UTM-Zone von 1 bis 60 (Gauß-Krüger: 2 bis 5)";
    case Wahlfehler::ZoneGk: return "--zone nimmt bei --grid gk eine Gauß-Krüger-Zone von 2 bis 5";
    case Wahlfehler::Langform: return "--long-form gehört zu den EEA-Gittern";
    case Wahlfehler::Unsicherheit: return "--uncertainty nimmt einen Radius in Metern wie 10, 30m oder 1km";
    case Wahlfehler::Genauigkeit: return "--precision nimmt eine Länge wie 250m, 10 m oder 1km";
    case Wahlfehler::UnsicherheitGitter: return "--uncertainty gehört zu --grid mtb";
    case Wahlfehler::UnsicherheitUndGenauigkeit: return "--uncertainty und --precision schließen einander aus";
    case Wahlfehler::MgrsGenauigkeit: return "MGRS gibt es auf 1 m, 10 m, 100 m oder 1 km genau";
    case Wahlfehler::GenauigkeitGitter: return "--precision gehört zu --grid mtb oder mgrs";
    case Wahlfehler::GenauigkeitUndEbenen: return "--precision und --levels schließen einander aus";
    }
    return "";
}

bool codeOption(std::string_view name)
{
    for (const std::string_view n : {"grid", "datum", "notation", "levels", "precision", "uncertainty", "zone"})
        if (name == n)
            return true;
    return false;
}

Wahlfehler leseWahl(std::string_view name, std::string_view wert, Wahl& w)
{
    double meter = 0;
    if (name == "grid")
        w.gitter = wert;
    else if (name == "datum")
        w.datum = wert;
    else if (name == "notation")
        w.notation = wert;
    else if (name == "levels") {
        if (wert.size() != 1 || wert[0] < '0' || wert[0] > '5')
            return Wahlfehler::Ebenen;
        w.ebenen = wert[0] - '0';
    } else if (name == "precision") {
        if (leseMeter(wert, meter) != MeterFehler::Keine || !(meter > 0))
            return Wahlfehler::Genauigkeit;
        w.genauigkeit = meter;
    } else if (name == "uncertainty") {
        if (leseMeter(wert, meter) != MeterFehler::Keine || !(meter > 0))
            return Wahlfehler::Unsicherheit;
        w.unsicherheit = meter;
    } else if (name == "zone") {
        int n = 0;
        const auto r = std::from_chars(wert.data(), wert.data() + wert.size(), n);
        if (wert.empty() || r.ec != std::errc() || r.ptr != wert.data() + wert.size() || n < 1 || n > 60)
            return Wahlfehler::Zone;
        w.zone = n;
    }
    return Wahlfehler::Keine;
}

// The same rules as mtbq's options for codes.
Wahlfehler form(const Wahl& w, Ausgabeform& f)
{
    f = Ausgabeform{};
    if (!gitterNamens(w.gitter, f.gitter))
        return Wahlfehler::Gitter;
    if (!datumNamens(w.datum, f.datum))
        return Wahlfehler::Datum;
    if (!notationNamens(w.notation, f.notation))
        return Wahlfehler::Schreibweise;
    if (w.ebenen != -1) {
        if (w.ebenen < 0 || w.ebenen > 5)
            return Wahlfehler::Ebenen;
        f.ebenen = w.ebenen;
    }
    return zusammenspiel(w, f);
}

Wahlfehler zusammenspiel(const Wahl& w, Ausgabeform& f)
{
    const Gitter g = f.gitter;
    if (w.zone) {
        if (g != Gitter::Utm && g != Gitter::Mgrs && g != Gitter::Gk)
            return Wahlfehler::ZoneOhneGitter;
        if (w.zone < 1 || w.zone > 60)
            return Wahlfehler::Zone;
        if (g == Gitter::Gk && (w.zone < 2 || w.zone > 5))
            return Wahlfehler::ZoneGk;
        f.zone = w.zone;
    }
    if (w.langform && !eeaGroesse(g))
        return Wahlfehler::Langform;
    f.langform = w.langform;
    if (!(w.unsicherheit >= 0 && w.unsicherheit <= 1e7))
        return Wahlfehler::Unsicherheit;
    if (!(w.genauigkeit >= 0 && w.genauigkeit <= 1e7))
        return Wahlfehler::Genauigkeit;
    if (w.unsicherheit > 0) {
        if (g != Gitter::Mtb)
            return Wahlfehler::UnsicherheitGitter;
        if (w.genauigkeit > 0)
            return Wahlfehler::UnsicherheitUndGenauigkeit;
        f.unsicherheit = w.unsicherheit;
    }
    if (w.genauigkeit > 0) {
        if (g == Gitter::Mgrs) {
            const double stufen[] = {1, 10, 100, 1000};
            if (std::find(std::begin(stufen), std::end(stufen), w.genauigkeit) == std::end(stufen))
                return Wahlfehler::MgrsGenauigkeit;
            f.genauigkeit = static_cast<int>(w.genauigkeit);
        } else if (g != Gitter::Mtb) {
            return Wahlfehler::GenauigkeitGitter;
        } else if (w.ebenen != -1) {
            return Wahlfehler::GenauigkeitUndEbenen;
        } else {
            f.ebenenNachGenauigkeit = w.genauigkeit;
        }
    }
    return Wahlfehler::Keine;
}

}  // namespace quadrix::reihen
