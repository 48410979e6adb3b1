#include "schnittstelle/quadrix.h"

#include "cells/texte.h"
#include "reihen/reihen.h"
#include "tables/satzleser.h"

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
    std::string fehler;     // the options refused: nothing is coded
    std::string zellfehler;  // why the last cell asked for was refused
    reihen::Codes codes;
    std::vector<Umriss> netz;  // the cells of the last qx_netz
};

namespace {

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
        // mtbq's options, read and refused as mtbq reads and refuses them.
        if (reihen::codeOption(name)) {
            if (const reihen::Wahlfehler f = reihen::leseWahl(name, wert, w); f != reihen::Wahlfehler::Keine)
                return reihen::text(f);
        } else if (name == "long-form" && (wert == "0" || wert == "1"))
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
            lauf->fehler = reihen::text(reihen::form(w, lauf->form));
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

const char* qx_fehler(const qx_lauf* lauf)
{
    if (!lauf)
        return "kein Lauf";
    return lauf->fehler.empty() ? lauf->zellfehler.c_str() : lauf->fehler.c_str();
}

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
    for (const Zeilenfehler& g : lauf->codes.grund)
        mit += g.keiner();
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
        mit += lauf->codes.grund[i].keiner() && !lauf->codes.code(i).empty();
    return mit;
}

size_t qx_netz(qx_lauf* lauf, double sued, double west, double nord, double ost, size_t hoechstens)
{
    if (!lauf || !lauf->fehler.empty())
        return 0;
    try {
        bool zuViele = false;
        lauf->netz = reihen::netz(sued, west, nord, ost, lauf->form.gitter, lauf->form.ebenen, lauf->form.notation,
                                  hoechstens, zuViele);
        const auto& zellen = lauf->netz;
        lauf->codes.leeren();
        for (const Umriss& u : zellen) {
            lauf->codes.text += u.code;
            lauf->codes.text += '\0';
            lauf->codes.anfang.push_back(lauf->codes.text.size());
            lauf->codes.grund.emplace_back();
        }
        return zuViele ? static_cast<size_t>(-1) : zellen.size();
    } catch (...) {
        lauf->codes.leeren();
        lauf->netz.clear();
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
    return text(lauf->codes.grund[i]);
}

namespace {

size_t randAus(const Umriss& u, double* punkte, size_t hoechstens, double mitte[2], int* epsg)
{
    const std::vector<Grad2> rand = umrissPunkte(u);
    if (rand.size() > hoechstens || !punkte)
        return rand.size();
    for (size_t i = 0; i < rand.size(); ++i) {
        punkte[2 * i] = rand[i].breite;
        punkte[2 * i + 1] = rand[i].laenge;
    }
    if (mitte) {
        const Grad2 m = punktIn(u, 0.5, 0.5);
        mitte[0] = m.breite;
        mitte[1] = m.laenge;
    }
    if (epsg)
        *epsg = u.aufPotsdam() ? 4314 : 4258;
    return rand.size();
}

}  // namespace

size_t qx_netz_zelle(qx_lauf* lauf, size_t i, double* punkte, size_t hoechstens, double mitte[2], int* epsg)
{
    if (!lauf || i >= lauf->netz.size())
        return 0;
    try {
        return randAus(lauf->netz[i], punkte, hoechstens, mitte, epsg);
    } catch (...) {
        return 0;
    }
}

size_t qx_zelle(qx_lauf* lauf, const char* code, double* punkte, size_t hoechstens, double mitte[2], int* epsg)
{
    if (!lauf || !code)
        return 0;
    try {
        const Gitter* g = lauf->form.gitter == Gitter::Minutenfeld ? &lauf->form.gitter : nullptr;
        const reihen::Zelle z = reihen::zelle(code, g, false);
        lauf->zellfehler = text(z.grund);
        if (!z.grund.keiner())
            return 0;
        return randAus(z.umriss, punkte, hoechstens, mitte, epsg);
    } catch (...) {
        return 0;
    }
}

}  // extern "C"
