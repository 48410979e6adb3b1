#include "imports/spur.h"

#include "imports/lesehilfe.h"

#include <algorithm>
#include <cstdio>

namespace quadrix {

void Spur::nimm(const Fundpunkt& p)
{
    if (!p.utc || p.grund != Punktgrund::Keiner || p.breite.empty())
        return;
    const auto b = dezimal(p.breite), l = dezimal(p.laenge);
    if (b && l)
        punkte_.push_back({*p.utc, *b, *l});
}

void Spur::ordne()
{
    std::stable_sort(punkte_.begin(), punkte_.end(), [](const Punkt& a, const Punkt& b) { return a.utc < b.utc; });
}

Punktgrund Spur::lege(Fundpunkt& foto, const Zeitwahl& w) const
{
    std::optional<std::int64_t> utc;
    if (foto.utc) {
        utc = *foto.utc + w.uhrVersatz;
    } else if (foto.lokaleZeit) {
        const std::int64_t lokal = *foto.lokaleZeit + w.uhrVersatz;
        std::optional<int> zone = w.zone;
        if (!zone && w.ortszeit)
            zone = w.ortszeit(lokal);
        if (zone)
            utc = lokal - *zone;
    }
    if (!utc)
        return Punktgrund::OhneZeit;
    if (punkte_.empty())
        return Punktgrund::OhneSpur;
    const auto danach = std::lower_bound(punkte_.begin(), punkte_.end(), *utc,
                                         [](const Punkt& p, std::int64_t t) { return p.utc < t; });
    const Punkt* vor = danach == punkte_.begin() ? nullptr : &*(danach - 1);
    const Punkt* nach = danach == punkte_.end() ? nullptr : &*danach;
    const std::int64_t abstandVor = vor ? *utc - vor->utc : INT64_MAX;
    const std::int64_t abstandNach = nach ? nach->utc - *utc : INT64_MAX;
    if (std::min(abstandVor, abstandNach) > w.luecke)
        return Punktgrund::FernVonSpur;
    double b, l;
    if (!vor || !nach || nach->utc == vor->utc) {
        const Punkt& p = abstandVor <= abstandNach ? *vor : *nach;
        b = p.breite;
        l = p.laenge;
    } else {
        const double anteil = static_cast<double>(abstandVor) / static_cast<double>(nach->utc - vor->utc);
        b = vor->breite + (nach->breite - vor->breite) * anteil;
        l = vor->laenge + (nach->laenge - vor->laenge) * anteil;
    }
    setzePosition(foto, dezimalText(b, 7), dezimalText(l, 7));
    return foto.grund;
}

}  // namespace quadrix
