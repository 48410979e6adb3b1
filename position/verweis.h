// Positions in the links people paste: a geo URI (RFC 5870) and the
// position a web map keeps in its address. Nothing is fetched: a link that
// holds no position (a short link) is refused with its reason. Standard
// library only.
//
//   geo:50.1222,8.6917                               geo:50.1222,8.6917;u=35
//   https://www.google.com/maps/@50.1222,8.6917,17z  …/maps/place/Frankfurt/@50.1222,8.6917,17z/data=…
//   https://maps.google.com/?q=50.1222,8.6917        https://maps.apple.com/?ll=50.1222,8.6917
//   https://www.openstreetmap.org/#map=17/50.1222/8.6917
//   https://www.openstreetmap.org/?mlat=50.1222&mlon=8.6917
#pragma once

#include <string>
#include <string_view>

namespace quadrix {

enum class VerweisFehler {
    Keine,
    KeinVerweis,   // no link at all: read the text as it is
    OhnePosition,  // a link, but no position in it (a short link, a place by name)
};

// The link's position as decimal degrees, latitude first, with the link's
// own digits ("50.1222 8.6917"), to be read as a written position: its
// decimals say how exact it is, and decimal degrees are WGS84.
VerweisFehler leseVerweis(std::string_view text, std::string& position);

}  // namespace quadrix
