// mtbq's command line read: the options by the table of options, the
// checks of which go together, the inputs opened.
#include "mtbq/aufruf.h"

#include "mtbq/hilfe.h"
#include "mtbq/optionen.h"
#include "imports/zeit.h"
#include "platform/konsole.h"
#include "platform/textdatei.h"
#include "position/meter.h"
#include "reihen/reihen.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>

#ifndef QUADRIX_VERSION
#define QUADRIX_VERSION "0"
#endif

namespace mtbq {

using namespace quadrix;

// Where the Windows package keeps the BETA2007 grid: beside mtbq.exe.
std::vector<std::filesystem::path> gitterOrdner()
{
    std::vector<std::filesystem::path> o;
    if (auto p = konsole::programmOrdner(); !p.empty())
        o.push_back(p);
    return o;
}

int falscherAufruf(const std::string& was)
{
    std::fprintf(stderr, "mtbq: %s\n(mtbq --help zeigt die Hilfe)\n", was.c_str());
    return 2;
}

int abgelehnt(const char* was)
{
    std::fprintf(stderr, "mtbq: %s\n", was);
    return 1;
}

// Opens the input, by its UTF-8 name on every platform; false, with the
// reason printed, for a folder or a file that cannot be opened. art names
// what a folder is not ("keine Datei der Fundorte").
bool oeffne(const char* datei, const char* art, Eingabe& e)
{
    if (std::strcmp(datei, "-") == 0) {
        e.f = stdin;
        e.standard = true;
        e.name = "(Standardeingabe)";
        return true;
    }
    e.name = datei;
    std::error_code ec;
    const std::string_view n(datei);
    if (std::filesystem::is_directory(std::filesystem::path(std::u8string(n.begin(), n.end())), ec)) {
        std::fprintf(stderr, "mtbq: %s: ist ein Ordner, %s\n", datei, art);
        return false;
    }
    e.f = konsole::oeffne(datei, "rb");
    if (!e.f) {
        std::fprintf(stderr, "mtbq: %s: Datei kann nicht gelesen werden. %s\n", datei,
                     textdatei::satz(textdatei::ausErrno(errno), true).c_str());
        return false;
    }
    return true;
}

// Refused lines as "NAME:LINE: reason".
Melder melderFuer(const std::string& name)
{
    return [&name](long zeile, const char* grund) { std::fprintf(stderr, "%s:%ld: %s\n", name.c_str(), zeile, grund); };
}

std::string verbunden(const std::vector<const char*>& teile)
{
    std::string text;
    for (const char* t : teile)
        (text += t) += ' ';
    return text;
}

namespace {

// "S,W,N,E" in decimal degrees, north and east.
bool leseBox(std::string_view t, double (&box)[4])
{
    for (int i = 0; i < 4; ++i) {
        const std::size_t komma = i < 3 ? t.find(',') : t.size();
        if (komma == std::string_view::npos)
            return false;
        const std::string_view teil = t.substr(0, komma);
        const auto r = std::from_chars(teil.data(), teil.data() + teil.size(), box[i]);
        if (teil.empty() || r.ec != std::errc() || r.ptr != teil.data() + teil.size() || !std::isfinite(box[i]))
            return false;
        t = komma < t.size() ? t.substr(komma + 1) : std::string_view();
    }
    return box[0] >= 0 && box[2] <= 90 && box[0] <= box[2] && box[1] >= 0 && box[3] <= 360 && box[1] <= box[3];
}

// A negative number is a coordinate (refused later as south or west), not an option.
bool istOption(std::string_view arg)
{
    return arg.size() > 1 && arg[0] == '-' && !(arg[1] >= '0' && arg[1] <= '9') && arg[1] != '.' && arg[1] != ',';
}

// An option's value read into a (v: nullptr where the command line ended);
// an exit status where it is wrong.
std::optional<int> wertLesen(Opt id, const char* v, Aufruf& a)
{
    switch (id) {
    case Opt::Grid: {
        if (!v || !gitterNamens(v, a.form.gitter))
            return falscherAufruf(text(reihen::Wahlfehler::Gitter));
        a.gitterGesetzt = true;
        break;
    }
    case Opt::Zone:
    case Opt::Precision:
    case Opt::Uncertainty:
    case Opt::Levels: {
        // Read as the C interface and the Python module read them.
        reihen::Wahl w;
        const char* name = id == Opt::Zone          ? "zone"
                           : id == Opt::Precision   ? "precision"
                           : id == Opt::Uncertainty ? "uncertainty"
                                                    : "levels";
        if (const auto f = reihen::leseWahl(name, v ? v : "", w); f != reihen::Wahlfehler::Keine)
            return falscherAufruf(text(f));
        if (id == Opt::Zone)
            a.form.zone = w.zone;
        else if (id == Opt::Precision)
            a.genauigkeit = w.genauigkeit;
        else if (id == Opt::Uncertainty)
            a.form.unsicherheit = w.unsicherheit;
        else {
            a.form.ebenen = w.ebenen;
            a.levelsGesetzt = true;
        }
        break;
    }
    case Opt::Bbox: {
        if (!v || !leseBox(v, a.box))
            return falscherAufruf("--bbox nimmt SÜD,WEST,NORD,OST in Dezimalgrad (Süden unter Norden, "
                                  "Westen unter Osten)");
        a.mitBox = true;
        break;
    }
    case Opt::Notation: {
        if (!notationNamens(v ? v : "", a.form.notation))
            return falscherAufruf(text(reihen::Wahlfehler::Schreibweise));
        a.notationGesetzt = true;
        break;
    }
    case Opt::Export: {
        const auto p = quadrix::profilNamens(v ? v : "");
        if (!p)
            return falscherAufruf("--export nimmt dwc, multibase, recorder, colkat, indicia oder xlsx");
        a.profil = *p;
        a.exportGesetzt = true;
        a.modus = Modus::Dwc;
        break;
    }
    case Opt::Columns: {
        const std::string_view w = v ? v : "";
        const auto komma = w.find(',');
        if (komma == std::string_view::npos || komma == 0 || komma + 1 == w.size())
            return falscherAufruf("--columns nimmt BREITE,LAENGE: zwei Spaltentitel oder -nummern");
        a.spalten = {std::string(w.substr(0, komma)), std::string(w.substr(komma + 1))};
        break;
    }
    case Opt::Datum: {
        if (!datumNamens(v ? v : "", a.form.datum))
            return falscherAufruf(text(reihen::Wahlfehler::Datum));
        a.datumGesetzt = true;
        break;
    }
    case Opt::Track: {
        if (!v || !*v)
            return falscherAufruf("--track nimmt eine Datei mit einer Spur (GPX, KML oder GeoJSON)");
        a.spuren.push_back(v);
        break;
    }
    case Opt::ClockOffset: {
        const auto s = leseSekunden(v ? v : "", false);
        if (!s)
            return falscherAufruf("--clock-offset nimmt Sekunden wie -3600 oder -1:00:00");
        a.zeitwahl.uhrVersatz = *s;
        a.zeitGesetzt = true;
        break;
    }
    case Opt::Timezone: {
        const auto z = leseVersatz(v ? v : "");
        if (!z)
            return falscherAufruf("--timezone nimmt einen Versatz zu UTC wie +01:00, +02:00 oder -05:00");
        a.zeitwahl.zone = *z;
        a.zeitGesetzt = true;
        break;
    }
    case Opt::MaxGap: {
        const auto s = leseSekunden(v ? v : "", true);
        if (!s || *s <= 0)
            return falscherAufruf("--max-gap nimmt eine Zeitspanne wie 300, 5min oder 1h");
        a.zeitwahl.luecke = *s;
        a.zeitGesetzt = true;
        break;
    }
    default: break;
    }
    return std::nullopt;
}

// A switch set in a.
void schalten(Opt id, Aufruf& a)
{
    switch (id) {
    case Opt::Batch: a.modus = Modus::Stapel; break;
    case Opt::GeoJson: a.modus = Modus::GeoJson; break;
    case Opt::Cells: a.zellen = true; break;
    case Opt::Raster: a.modus = Modus::Raster; break;
    case Opt::Dwc: a.modus = Modus::Dwc; break;
    case Opt::Excel: a.excel = true; break;
    case Opt::Check: a.modus = Modus::Pruefen; break;
    case Opt::LongForm: a.form.langform = true; break;
    case Opt::ShortSheet: a.form.blattnummer = quadrix::Blattnummer::Kurz; break;
    case Opt::Untransformed: a.untransformiert = true; break;
    case Opt::Verbose: a.ausfuehrlich = true; break;
    default: break;
    }
}

}  // namespace

std::optional<int> leseOptionen(int argc, char* argv[], Aufruf& a)
{
    a.form.datum = Datum::Auto;
    for (int i = 1; i < argc; ++i) {
        std::string_view arg = argv[i];
        // GNU style: "--levels=3" is "--levels 3".
        const char* angehaengt = nullptr;
        if (arg.size() > 2 && arg.substr(0, 2) == "--")
            if (const auto gleich = arg.find('='); gleich != std::string_view::npos) {
                angehaengt = argv[i] + gleich + 1;
                arg = arg.substr(0, gleich);
            }
        if (arg == "--") {
            for (++i; i < argc; ++i)
                a.rest.push_back(argv[i]);
            break;
        }
        // "-h" and "/?" as Windows programs take it.
        const Option* o = optionNamens(arg == "-h" || arg == "/?" ? "--help" : arg);
        if (!o) {
            if (istOption(arg))
                return falscherAufruf("unbekannte Option " + std::string(arg));
            a.rest.push_back(argv[i]);
            continue;
        }
        // Options are named by their English names from here on, aliases too.
        if (angehaengt && !o->wert)
            return falscherAufruf("die Option " + std::string(o->name) + " nimmt keinen Wert");
        if (o->id == Opt::Help) {
            std::fputs(hilfe().c_str(), stdout);
            return 0;
        }
        if (o->id == Opt::Version) {
            std::printf("mtbq %s\n", QUADRIX_VERSION);
            return 0;
        }
        if (o->id == Opt::Cell || o->id == Opt::Svg) {
            a.modus = o->id == Opt::Cell ? Modus::Zelle : Modus::Svg;
            // --svg takes a code, or a point from the remaining arguments.
            if (angehaengt)
                a.code = angehaengt;
            else if (i + 1 < argc && (a.modus == Modus::Zelle || std::strpbrk(argv[i + 1], "/.") ||
                                      (std::strlen(argv[i + 1]) == 4 && i + 2 == argc)))
                a.code = argv[++i];
            else if (a.modus == Modus::Zelle)
                return falscherAufruf("--cell braucht einen Code");
        } else if (!o->wert) {
            schalten(o->id, a);
        } else if (const auto status = wertLesen(o->id, angehaengt ? angehaengt : i + 1 < argc ? argv[++i] : nullptr, a)) {
            return status;
        }
    }
    return std::nullopt;
}

std::optional<int> pruefeZusammenspiel(Aufruf& a)
{
    if (a.zellen && a.modus != Modus::GeoJson)
        return falscherAufruf("--cells gehört zu --geojson");
    if (a.excel && (a.modus != Modus::Dwc || a.profil != quadrix::Profil::Dwc))
        return falscherAufruf("--excel gehört zu --dwc");
    if (a.modus == Modus::Pruefen && a.rest.empty())
        return falscherAufruf("--check nimmt eine oder mehrere Dateien der Fundorte (- für die Standardeingabe)");
    if (a.modus == Modus::Pruefen && (a.datumGesetzt || a.levelsGesetzt || a.notationGesetzt || a.gitterGesetzt))
        return falscherAufruf("--check steht allein");
    if ((!a.spuren.empty() || a.zeitGesetzt) && a.modus != Modus::Stapel && a.modus != Modus::Dwc &&
        a.modus != Modus::GeoJson)
        return falscherAufruf("--track, --clock-offset, --timezone und --max-gap gehören zu --batch, --dwc und "
                              "--geojson");
    if (a.zeitGesetzt && a.spuren.empty())
        return falscherAufruf("--clock-offset, --timezone und --max-gap gehören zu --track");
    if ((a.mitBox || a.untransformiert) && a.modus != Modus::Raster)
        return falscherAufruf("--bbox und --untransformed gehören zu --raster");
    const Gitter g = a.form.gitter;
    if (a.form.blattnummer == quadrix::Blattnummer::Kurz &&
        (g != Gitter::Mtb || (a.modus != Modus::Punkt && a.modus != Modus::Stapel)))
        return falscherAufruf("--short-sheet gehört zu MTB-Codes von Punkten und --batch");
    if (a.genauigkeit > 0 && (a.modus == Modus::Raster || a.modus == Modus::Svg || a.modus == Modus::GeoJson ||
                              a.modus == Modus::Zelle))
        return falscherAufruf("--precision gehört zu Punkten, --batch und --dwc (bei --raster wählt --levels "
                              "die Ebene)");
    if (a.form.unsicherheit > 0 && a.modus != Modus::Punkt && a.modus != Modus::Stapel && a.modus != Modus::Dwc)
        return falscherAufruf("--uncertainty gehört zu Punkten, --batch und --dwc");
    // The rules the C interface and the Python module keep too.
    reihen::Wahl w;
    w.zone = a.form.zone;
    w.langform = a.form.langform;
    w.unsicherheit = a.form.unsicherheit;
    w.genauigkeit = a.genauigkeit;
    w.ebenen = a.levelsGesetzt ? a.form.ebenen : -1;
    if (const auto f = reihen::zusammenspiel(w, a.form); f != reihen::Wahlfehler::Keine)
        return falscherAufruf(text(f));
    if (a.modus == Modus::Raster && g != Gitter::Mtb && g != Gitter::Minutenfeld && !eeaGroesse(g))
        return falscherAufruf("--raster gibt es für mtb, minutenfeld und die EEA-Gitter");
    if ((a.modus == Modus::Dwc || a.modus == Modus::GeoJson || a.modus == Modus::Svg) && a.gitterGesetzt &&
        g != Gitter::Mtb)
        return falscherAufruf("--grid gehört nicht zu --dwc, --geojson oder --svg");

    return std::nullopt;
}

}  // namespace mtbq
