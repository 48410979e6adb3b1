#include "schnittstelle/quadrix.h"

#include "reihen/reihen.h"

#include <charconv>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

using namespace quadrix;

struct qx_lauf {
    Ausgabeform form;
    std::unique_ptr<Transformation> transformation;
    std::string fehler;
    reihen::Codes codes;
};

namespace {

bool zahl(std::string_view t, double& d)
{
    const auto r = std::from_chars(t.data(), t.data() + t.size(), d);
    return !t.empty() && r.ec == std::errc() && r.ptr == t.data() + t.size();
}

// "grid=mtb;levels=3" into mtbq's options; empty, or what was refused.
std::string lies(std::string_view optionen, reihen::Wahl& w)
{
    while (!optionen.empty()) {
        const auto ende = optionen.find(';');
        const std::string_view paar = optionen.substr(0, ende);
        optionen = ende == std::string_view::npos ? std::string_view{} : optionen.substr(ende + 1);
        if (paar.empty())
            continue;
        const auto gleich = paar.find('=');
        if (gleich == std::string_view::npos)
            return "Option ohne Wert: " + std::string(paar);
        const std::string_view name = paar.substr(0, gleich), wert = paar.substr(gleich + 1);
        double d = 0;
        if (name == "grid")
            w.gitter = wert;
        else if (name == "datum")
            w.datum = wert;
        else if (name == "notation")
            w.notation = wert;
        else if (name == "levels" && zahl(wert, d) && d >= 0 && d <= 5 && d == static_cast<int>(d))
            w.ebenen = static_cast<int>(d);
        else if (name == "precision" && zahl(wert, d) && d > 0)
            w.genauigkeit = d;
        else if (name == "uncertainty" && zahl(wert, d) && d >= 0)
            w.unsicherheit = d;
        else if (name == "zone" && zahl(wert, d) && d == static_cast<int>(d) && d >= 0 && d <= 60)
            w.zone = static_cast<int>(d);
        else if (name == "long-form" && (wert == "0" || wert == "1"))
            w.langform = wert == "1";
        else
            return "unbekannte Option oder falscher Wert: " + std::string(paar);
    }
    return {};
}

}  // namespace

extern "C" {

int qx_version(void) { return QX_VERSION; }

qx_lauf* qx_neu(const char* optionen, const char* ordner)
{
    try {
        auto lauf = std::make_unique<qx_lauf>();
        reihen::Wahl w;
        lauf->fehler = lies(optionen ? optionen : "", w);
        if (lauf->fehler.empty())
            lauf->fehler = reihen::form(w, lauf->form);
        std::vector<std::filesystem::path> wo;
        if (ordner && *ordner)
            wo.push_back(std::filesystem::u8path(ordner));
        lauf->transformation = Transformation::beiBedarf(wo);
        lauf->form.transformation = lauf->transformation.get();
        lauf->codes.leeren();
        return lauf.release();
    } catch (...) {
        return nullptr;
    }
}

void qx_frei(qx_lauf* lauf) { delete lauf; }

const char* qx_fehler(const qx_lauf* lauf) { return lauf ? lauf->fehler.c_str() : "kein Lauf"; }

size_t qx_codes(qx_lauf* lauf, size_t n, const double* breite, const double* laenge, const double* unsicherheit)
{
    if (!lauf || !lauf->fehler.empty() || (n && (!breite || !laenge)))
        return 0;
    try {
        reihen::codiere(breite, laenge, unsicherheit, n, lauf->form, lauf->codes);
    } catch (...) {
        lauf->codes.leeren();
        lauf->fehler = "zu wenig Speicher";
        return 0;
    }
    size_t mit = 0;
    for (const char* g : lauf->codes.grund)
        mit += g == nullptr;
    return mit;
}

size_t qx_codes_texte(qx_lauf* lauf, size_t n, const char* const* texte)
{
    if (!lauf || !lauf->fehler.empty() || (n && !texte))
        return 0;
    try {
        std::vector<std::string_view> t(n);
        for (size_t i = 0; i < n; ++i)
            t[i] = texte[i] ? texte[i] : "";
        reihen::codiereTexte(t.data(), n, lauf->form, lauf->codes);
    } catch (...) {
        lauf->codes.leeren();
        lauf->fehler = "zu wenig Speicher";
        return 0;
    }
    size_t mit = 0;
    for (size_t i = 0; i < lauf->codes.size(); ++i)
        mit += lauf->codes.grund[i] == nullptr && !lauf->codes.code(i).empty();
    return mit;
}

size_t qx_netz(qx_lauf* lauf, double sued, double west, double nord, double ost, size_t hoechstens)
{
    if (!lauf || !lauf->fehler.empty())
        return 0;
    try {
        bool zuViele = false;
        const auto zellen = reihen::netz(sued, west, nord, ost, lauf->form.gitter, lauf->form.ebenen, hoechstens,
                                         zuViele);
        lauf->codes.leeren();
        for (const Umriss& u : zellen) {
            std::string c = u.code;
            if (u.gitter == Gitter::Mtb) {  // in the run's notation
                c.clear();
                schreibeCode(c, u.mtbCode, u.ebenen, lauf->form.notation);
            }
            lauf->codes.text += c;
            lauf->codes.text += '\0';
            lauf->codes.anfang.push_back(lauf->codes.text.size());
            lauf->codes.grund.push_back(nullptr);
        }
        return zuViele ? static_cast<size_t>(-1) : zellen.size();
    } catch (...) {
        lauf->codes.leeren();
        return 0;
    }
}

const char* qx_code(const qx_lauf* lauf, size_t i)
{
    if (!lauf || i >= lauf->codes.size())
        return nullptr;
    return lauf->codes.text.c_str() + lauf->codes.anfang[i];
}

const char* qx_grund(const qx_lauf* lauf, size_t i)
{
    if (!lauf || i >= lauf->codes.size())
        return nullptr;
    return lauf->codes.grund[i] ? lauf->codes.grund[i] : "";
}

size_t qx_zelle(qx_lauf* lauf, const char* code, double* punkte, size_t hoechstens, double mitte[2], int* epsg)
{
    if (!lauf || !code)
        return 0;
    try {
        const Gitter* g = lauf->form.gitter == Gitter::Minutenfeld ? &lauf->form.gitter : nullptr;
        const reihen::Zelle z = reihen::zelle(code, g, true);
        if (z.grund) {
            lauf->fehler = z.grund;
            return 0;
        }
        if (z.rand.size() > hoechstens || !punkte)
            return z.rand.size();
        for (size_t i = 0; i < z.rand.size(); ++i) {
            punkte[2 * i] = z.rand[i].breite;
            punkte[2 * i + 1] = z.rand[i].laenge;
        }
        if (mitte) {
            mitte[0] = z.mitte.breite;
            mitte[1] = z.mitte.laenge;
        }
        if (epsg)
            *epsg = z.umriss.aufPotsdam() ? 4314 : 4258;
        return z.rand.size();
    } catch (...) {
        return 0;
    }
}

}  // extern "C"
