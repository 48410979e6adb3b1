// Whole columns and the C interface: never a crash, and a double reads as
// its shortest text reads.
//  - the first 16 bytes are two doubles: punktAusGrad gives what lesePunkt
//    gives for their shortest decimal texts (same error, same point);
//  - the C interface takes the rest, up to a newline, as its options, and
//    codes the two doubles and the remaining lines as written positions;
//  - two points coded together give what each gives alone;
//  - a cell is asked for each code it gave, and holds a closed outline.
#include "position/punkt.h"
#include "reihen/reihen.h"
#include "schnittstelle/quadrix.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

bool kurzerText(double x, std::string& t)
{
    char puffer[400];
    const auto r = std::to_chars(puffer, puffer + sizeof puffer, x, std::chars_format::fixed);
    if (r.ec != std::errc())
        return false;
    t.assign(puffer, r.ptr);
    return true;
}

void gleichWieText(double b, double l)
{
    // The text reader takes what a user could type: finite numbers that are
    // no longer than its seven digits before the point.
    if (!std::isfinite(b) || !std::isfinite(l) || std::fabs(b) >= 1e7 || std::fabs(l) >= 1e7)
        return;
    std::string tb, tl;
    if (!kurzerText(b, tb) || !kurzerText(l, tl))
        return;
    if (tb.find('.') == std::string::npos)
        tb += ".0";
    if (tl.find('.') == std::string::npos)
        tl += ".0";
    quadrix::Punkt aus, vonText;
    const quadrix::Fehler f = quadrix::punktAusGrad(b, l, aus);
    const quadrix::Fehler g = quadrix::lesePunkt(tb + " " + tl, vonText);
    if (f != g)
        std::abort();
    if (f == quadrix::Fehler::Keine &&
        (quadrix::grad(aus.breite) != quadrix::grad(vonText.breite) ||
         quadrix::grad(aus.laenge) != quadrix::grad(vonText.laenge)))
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t n)
{
    if (n < 16)
        return 0;
    double b, l;
    std::memcpy(&b, daten, 8);
    std::memcpy(&l, daten + 8, 8);
    gleichWieText(b, l);

    std::string rest(reinterpret_cast<const char*>(daten + 16), n - 16);
    const auto zeile = rest.find('\n');
    const std::string optionen = rest.substr(0, zeile);
    std::vector<std::string> texte;
    for (std::size_t a = zeile == std::string::npos ? rest.size() : zeile + 1; a < rest.size();) {
        const auto e = std::min(rest.find('\n', a), rest.size());
        texte.push_back(rest.substr(a, e - a));
        a = e + 1;
    }
    qx_lauf* lauf = qx_neu(optionen.c_str(), nullptr);
    if (!lauf)
        return 0;
    const double radius = std::fabs(l);
    const double paarB[2] = {b, l}, paarL[2] = {l, b}, paarR[2] = {radius, NAN};
    qx_codes(lauf, 2, paarB, paarL, paarR);
    std::string zusammen[2];
    for (int k = 0; k < 2; ++k)
        zusammen[k] = std::string(qx_code(lauf, 0 + k) ? qx_code(lauf, k) : "?") + '|' +
                      (qx_grund(lauf, k) ? qx_grund(lauf, k) : "?");
    for (int k = 0; k < 2; ++k) {
        qx_codes(lauf, 1, &paarB[k], &paarL[k], &paarR[k]);
        const std::string allein = std::string(qx_code(lauf, 0) ? qx_code(lauf, 0) : "?") + '|' +
                                   (qx_grund(lauf, 0) ? qx_grund(lauf, 0) : "?");
        if (allein != zusammen[k])
            std::abort();
    }
    qx_codes(lauf, 1, &b, &l, &radius);
    std::vector<const char*> zeiger;
    for (const auto& t : texte)
        zeiger.push_back(t.c_str());
    qx_codes_texte(lauf, zeiger.size(), zeiger.data());
    std::vector<std::string> codes;
    for (std::size_t i = 0; qx_code(lauf, i); ++i)
        if (*qx_code(lauf, i))
            codes.emplace_back(qx_code(lauf, i));
    for (const auto& c : codes) {
        double rand[2 * 128], mitte[2];
        int epsg = 0;
        const std::size_t k = qx_zelle(lauf, c.c_str(), rand, 128, mitte, &epsg);
        if (k > 128)
            std::abort();
        if (k > 0 && (rand[0] != rand[2 * (k - 1)] || rand[1] != rand[2 * (k - 1) + 1]))
            std::abort();
    }
    qx_frei(lauf);
    return 0;
}
