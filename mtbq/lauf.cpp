// mtbq's run: the options read and checked, the datum chosen, the mode run.
#include "mtbq/lauf.h"

#include "datum/datum.h"
#include "mtbq/aufruf.h"

#include <memory>

namespace mtbq {

using namespace quadrix;

namespace {

// The single point, read once, and the datum of the input.
void waehleDatum(Aufruf& a)
{
    // A single point's datum follows from the way it is written; a box of
    // decimal degrees is WGS84 by the same rule; a list decides line by line.
    const bool einPunkt = a.modus == Modus::Punkt || (a.modus == Modus::Svg && !a.code);
    Lesart l;
    if (einPunkt && !a.rest.empty()) {
        // A link's position reads as the decimal degrees it holds.
        std::string eingabe = verbunden(a.rest), ausVerweis;
        a.verweis = leseVerweis(eingabe, ausVerweis);
        if (a.verweis == VerweisFehler::Keine)
            eingabe = ausVerweis;
        a.punktFehler = a.verweis == VerweisFehler::OhnePosition ? Fehler::KeineZahl : lesePunkt(eingabe, a.punkt, &l);
    }
    // Not degrees: perhaps Gauss-Kruger, UTM or MGRS, whose datum is their own.
    if (a.modus == Modus::Punkt && a.punktFehler != Fehler::Keine && !a.rest.empty() &&
        a.verweis == VerweisFehler::KeinVerweis) {
        Umriss u;
        if (lesePosition(verbunden(a.rest), u, &a.positionsGrund)) {
            const Grad2 g = positionsPunkt(u);
            a.punkt = {winkelAusGrad(g.breite), winkelAusGrad(g.laenge)};
            a.punktFehler = Fehler::Keine;
            a.kartesisch = u;
            const Datum eigenes = u.gitter == Gitter::Gk ? Datum::Potsdam : Datum::Etrs89;
            a.kartesischDatumFalsch =
                a.form.datum != Datum::Auto && (a.form.datum == Datum::Potsdam) != (eigenes == Datum::Potsdam);
            a.form.datum = eigenes;
        }
    }
    if (a.form.datum == Datum::Auto) {
        if (einPunkt && a.punktFehler == Fehler::Keine) {
            a.form.datum = datumFuer(Datum::Auto, l);
            a.vermutet = true;
        } else if (a.modus == Modus::Raster && a.mitBox) {
            a.form.datum = Datum::Wgs84;
        }
    }

}

// The transformation, where the run crosses between the datums; an exit
// status when it cannot be had.
std::optional<int> ladeUmrechnung(Aufruf& a, std::unique_ptr<Transformation>& transformation)
{
    // Whatever crosses between the datums needs the transformation: input
    // on another datum than the grid's, and output in WGS84.
    const Gitter g = a.form.gitter;
    const bool braucht = a.modus == Modus::GeoJson || a.modus == Modus::Dwc ||
                         (a.modus == Modus::Raster && ((a.mitBox && brauchtUmrechnung(a.form)) ||
                                                       (!a.untransformiert && !aufEtrs89(g)))) ||
                         (a.modus == Modus::Punkt && a.form.datum != Datum::Auto && brauchtUmrechnung(a.form)) ||
                         (a.modus == Modus::Stapel && a.form.datum != Datum::Auto && brauchtUmrechnung(a.form)) ||
                         (a.modus == Modus::Svg && a.form.datum != Datum::Potsdam && a.form.datum != Datum::Auto);
    if (braucht && !(a.modus == Modus::Stapel && a.form.datum == Datum::Auto)) {
        quadrix::Gitterfehler fehler;
        transformation = Transformation::erstelle(fehler, gitterOrdner());
        if (!transformation)
            return abgelehnt(text(fehler).c_str());
    } else if (a.modus == Modus::Stapel) {
        // Loaded by the first line that needs it: lists of whole values never
        // do, and UTM or MGRS lines are on ETRS89 whatever --datum names for
        // the lines of degrees.
        transformation = Transformation::beiBedarf(gitterOrdner());
    }
    a.form.transformation = transformation.get();
    return std::nullopt;
}

}  // namespace

int lauf(int argc, char* argv[])
{
    Aufruf a;
    if (const auto status = leseOptionen(argc, argv, a))
        return *status;
    if (const auto status = pruefeZusammenspiel(a))
        return *status;
    waehleDatum(a);
    std::unique_ptr<Transformation> transformation;
    if (const auto status = ladeUmrechnung(a, transformation))
        return *status;

    switch (a.modus) {
    case Modus::Zelle: {
        if (a.datumGesetzt)
            return falscherAufruf("--cell steht allein");
        // "32UMA 12345 67890" may come as one argument or as three.
        std::string code = a.code ? a.code : "";
        for (const char* r : a.rest)
            (code += ' ') += r;
        return zelle(a, code);
    }
    case Modus::Raster:
        return rasterLauf(a);
    case Modus::Dwc:
        return dwcLauf(a, transformation.get());
    case Modus::Stapel:
        return stapelLauf(a);
    case Modus::GeoJson:
        return geojsonLauf(a, transformation.get());
    case Modus::Svg:
        if (a.code && !a.rest.empty())
            return falscherAufruf("--svg nimmt einen Code oder einen Punkt");
        return svg(a);
    case Modus::Pruefen:
        return pruefLauf(a);
    case Modus::Punkt:
        break;
    }
    return punkt(a);
}

}  // namespace mtbq
