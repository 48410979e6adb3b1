#include "reihen/reihen.h"

#include "position/code.h"

#include <algorithm>
#include <iterator>

namespace quadrix::reihen {

// The same rules, and the same words, as mtbq's options for codes.
std::string form(const Wahl& w, Ausgabeform& f)
{
    f = Ausgabeform{};
    if (!gitterNamens(w.gitter, f.gitter))
        return "--grid nimmt mtb, minutenfeld, eea100m, eea1km, eea10km, eea100km, utm, mgrs oder gk";
    if (!datumNamens(w.datum, f.datum))
        return "--datum nimmt auto, potsdam, etrs89 oder wgs84";
    if (!notationNamens(w.notation, f.notation))
        return "--notation nimmt slash, compact, dot oder blank";
    if (w.ebenen != -1) {
        if (w.ebenen < 0 || w.ebenen > 5)
            return "--levels nimmt eine Zahl von 0 bis 5";
        f.ebenen = w.ebenen;
    }
    const Gitter g = f.gitter;
    if (w.zone) {
        if (g != Gitter::Utm && g != Gitter::Mgrs && g != Gitter::Gk)
            return "--zone gehört zu --grid utm, mgrs oder gk";
        if (w.zone < 1 || w.zone > 60)
            return "--zone nimmt eine UTM-Zone von 1 bis 60 (Gauß-Krüger: 2 bis 5)";
        if (g == Gitter::Gk && (w.zone < 2 || w.zone > 5))
            return "--zone nimmt bei --grid gk eine Gauß-Krüger-Zone von 2 bis 5";
        f.zone = w.zone;
    }
    if (w.langform && !eeaGroesse(g))
        return "--long-form gehört zu den EEA-Gittern";
    f.langform = w.langform;
    if (!(w.unsicherheit >= 0 && w.unsicherheit <= 1e7))
        return "--uncertainty nimmt einen Radius in Metern wie 10, 30m oder 1km";
    if (!(w.genauigkeit >= 0 && w.genauigkeit <= 1e7))
        return "--precision nimmt eine Länge wie 250m, 10 m oder 1km";
    if (w.unsicherheit > 0) {
        if (g != Gitter::Mtb)
            return "--uncertainty gehört zu --grid mtb";
        if (w.genauigkeit > 0)
            return "--uncertainty und --precision schließen einander aus";
        f.unsicherheit = w.unsicherheit;
    }
    if (w.genauigkeit > 0) {
        if (g == Gitter::Mgrs) {
            const double stufen[] = {1, 10, 100, 1000};
            if (std::find(std::begin(stufen), std::end(stufen), w.genauigkeit) == std::end(stufen))
                return "MGRS gibt es auf 1 m, 10 m, 100 m oder 1 km genau";
            f.genauigkeit = static_cast<int>(w.genauigkeit);
        } else if (g != Gitter::Mtb) {
            return "--precision gehört zu --grid mtb oder mgrs";
        } else if (w.ebenen != -1) {
            return "--precision und --levels schließen einander aus";
        } else {
            f.ebenenNachGenauigkeit = w.genauigkeit;
        }
    }
    return {};
}

}  // namespace quadrix::reihen
