// GPX, KML, KMZ, GeoJSON and photos, and folders of them, as inputs of
// --batch, --dwc and --geojson: each file read by the readers of imports/,
// each file's refusal said on standard error, photos without a position
// placed on the tracks of --track.
#pragma once

#include "formats/ausfuhr.h"
#include "formats/geojson.h"
#include "imports/punkte.h"
#include "imports/spur.h"
#include "mtbq/aufruf.h"

#include <filesystem>
#include <functional>
#include <string>

namespace mtbq {

// A point as the modes get it: from its file (name for messages), its
// number there from 1.
using Punktnehmer = std::function<void(const quadrix::Fundpunkt& p, const std::string& datei, long nummer)>;
// A line for standard error ("mtbq: DATEI: reason").
using Zeilenmelder = std::function<void(const std::string& zeile)>;

class Punktquellen {
public:
    // Reads the tracks of --track; false, with the reason said, when one
    // cannot be read or holds no point with a time.
    bool ladeSpuren(const Aufruf& a);
    // The points of a file or folder, each to nimm (those without a position
    // too, with their reason), each file's refusal to melde (without one:
    // to standard error); the number of files refused.
    long lies(const char* arg, const Punktnehmer& nimm, const Zeilenmelder& melde = {});

private:
    long datei(const std::filesystem::path& pfad, const std::string& name, const Punktnehmer& nimm,
               const Zeilenmelder& melde);

    quadrix::Spur spur_;
    quadrix::Zeitwahl zeit_;
    bool mitSpur_ = false;
};

// The code of a point of such a file (WGS84), exactly as its decimal
// position typed gives it; its own uncertainty cuts the code like
// --uncertainty, the larger radius winning.
quadrix::Zellfehler fundpunktCode(const quadrix::Fundpunkt& p, const Ausgabeform& form, std::string& out);

// Why a point has no code: its reader's reason, said for the photo without
// a position how it may get one.
std::string punktGrund(const quadrix::Fundpunkt& p);

// "DATEI: Punkt 3 (Name): reason" on standard error.
void meldePunkt(const std::string& datei, long nummer, const quadrix::Fundpunkt& p, const std::string& grund);

// --batch over such an input: a line per point, Name, Zeit, Breite, Länge
// and the code, TAB between them; kopf: the title line is still to come.
// The number of refused points and files, or -1 after a failed write.
long punkteStapel(const char* arg, Punktquellen& quellen, const Ausgabeform& form, bool& kopf);

// --dwc and --geojson over such an input: a row or feature per point (the
// position as read, WGS84), the refused said; the number refused.
long punkteDwc(const char* arg, Punktquellen& quellen, quadrix::Ausfuhrtafel& tafel, const Ausgabeform& form,
               bool& schreibfehler);
long punkteGeoJson(const char* arg, Punktquellen& quellen, quadrix::GeoJsonFundorte& sammlung,
                   const quadrix::Transformation* t, bool& schreibfehler);

}  // namespace mtbq
