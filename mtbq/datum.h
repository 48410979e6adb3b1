// The datum of input coordinates. The grid is laid out in geographic
// coordinates on the Potsdam datum (DHDN, Bessel ellipsoid); GPS receivers
// and web maps give ETRS89/WGS84, 120 to 200 m away across Germany.
//
// ETRS89 <-> DHDN uses exactly the official German transformation grid
// BETA2007 (NTv2, from Debian's proj-data) through PROJ; there is no
// fallback to a coarser transformation: without the grid, or for a point
// outside it (outside Germany), the transformation fails and says so. WGS84
// is taken as ETRS89 (they differ by well under a metre in Germany, far less
// than the grid's own accuracy).
#pragma once

#include "punkt.h"

#include <memory>
#include <string>

namespace mtbq {

enum class Datum { Potsdam, Etrs89, Wgs84 };

const char* datumName(Datum d);

class Transformation {
public:
    // Empty, with the reason in fehler, when PROJ or the grid is missing.
    static std::unique_ptr<Transformation> erstelle(std::string& fehler);
    virtual ~Transformation() = default;

    // Decimal degrees, in place. False outside the grid.
    virtual bool zuPotsdam(double& breite, double& laenge) const = 0;
    virtual bool vonPotsdam(double& breite, double& laenge) const = 0;
    // The PROJ pipeline in use, for --verbose.
    virtual const std::string& beschreibung() const = 0;
};

// The point on the Potsdam datum: as given without a transformation,
// otherwise transformed; Fehler::AusserhalbGitter outside the grid.
Fehler aufPotsdam(Punkt& p, const Transformation* t);

}  // namespace mtbq
