#include "grid/webmercator.h"

#include "grid/ellipsoid.h"

#include <algorithm>
#include <cmath>

namespace webmerc {

namespace {

double welt(double zoom) { return Kachel * std::exp2(zoom); }

}  // namespace

Pixel pixel(double breite, double laenge, double zoom)
{
    const double b = std::clamp(breite, -GrenzBreite, GrenzBreite) * quadrix::GradInBogen;
    const double w = welt(zoom);
    return {(laenge + 180) / 360 * w, (1 - std::asinh(std::tan(b)) / quadrix::Pi) / 2 * w};
}

void grad(const Pixel& p, double zoom, double& breite, double& laenge)
{
    const double w = welt(zoom);
    laenge = p.x / w * 360 - 180;
    breite = std::atan(std::sinh(quadrix::Pi * (1 - 2 * p.y / w))) / quadrix::GradInBogen;
}

std::vector<KachelNr> kacheln(const Pixel& linksOben, double breite, double hoehe, int z, int rand)
{
    std::vector<KachelNr> liste;
    if (z < 0 || z > MaxZoom || !(breite > 0) || !(hoehe > 0))
        return liste;
    const long n = 1L << z;
    const long x0 = static_cast<long>(std::floor(linksOben.x / Kachel)) - rand;
    const long x1 = static_cast<long>(std::floor((linksOben.x + breite - 1) / Kachel)) + rand;
    const long y0 = std::max(0L, static_cast<long>(std::floor(linksOben.y / Kachel)) - rand);
    const long y1 = std::min(n - 1, static_cast<long>(std::floor((linksOben.y + hoehe - 1) / Kachel)) + rand);
    // Never more than the world once across, however wide the view.
    const long xEnde = std::min(x1, x0 + n - 1);
    const double mx = (linksOben.x + breite / 2) / Kachel - 0.5, my = (linksOben.y + hoehe / 2) / Kachel - 0.5;
    std::vector<std::pair<double, KachelNr>> mitAbstand;
    for (long y = y0; y <= y1; ++y)
        for (long x = x0; x <= xEnde; ++x) {
            const double dx = static_cast<double>(x) - mx, dy = static_cast<double>(y) - my;
            mitAbstand.push_back({dx * dx + dy * dy, {z, static_cast<int>(((x % n) + n) % n), static_cast<int>(y)}});
        }
    std::stable_sort(mitAbstand.begin(), mitAbstand.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& [abstand, k] : mitAbstand)
        liste.push_back(k);
    return liste;
}

}  // namespace webmerc
