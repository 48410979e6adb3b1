#include "reihen/reihen.h"

#include "cells/kasten.h"
#include "position/code.h"
#include "position/meter.h"
#include "position/punkt.h"
#include "tables/satzleser.h"

#include <algorithm>
#include <cmath>

namespace quadrix::reihen {

namespace {

// A free line's reader, without a table around it: what mtbq --batch makes
// of a line in a list without a header.
const Satzleser& freieZeilen()
{
    static const Satzleser leser{std::string_view{}};
    return leser;
}

void abschliessen(Codes& aus, std::size_t vorher, const Zeilenfehler& grund)
{
    if (!grund.keiner())
        aus.text.resize(vorher);
    aus.text += '\0';
    aus.anfang.push_back(aus.text.size());
    aus.grund.push_back(grund);
}

// The form for a point with its own radius (NaN: none, form itself), as a
// table's cell takes one: more than nothing and at most 10,000 km, for the
// sheet grid only; f becomes the refusal of a radius that is none.
const Ausgabeform* radius(double unsicherheit, const Ausgabeform& form, Ausgabeform& mitRadius, Zeilenfehler& f)
{
    if (std::isnan(unsicherheit) || form.gitter != Gitter::Mtb)
        return &form;
    if (!(unsicherheit > 0) || unsicherheit > 1e7)
        f = Zeilenfehler::Art::Unsicherheit;
    mitRadius.unsicherheit = unsicherheit;
    return &mitRadius;
}

void beginnen(Codes& aus, std::size_t n)
{
    aus.leeren();
    aus.text.reserve(n * 16);
    aus.anfang.reserve(n + 1);
    aus.grund.reserve(n);
}

}  // namespace

void Codes::leeren()
{
    text.clear();
    anfang.assign(1, 0);
    grund.clear();
}

Kodierer::Kodierer(const Ausgabeform& form)
    : m_form(form),
      m_mitRadius(form),
      // Doubles are decimal degrees: on any datum but Potsdam (Auto: WGS84)
      // they go through the transformation to the grids on Potsdam.
      m_paarweise(form.datum != Datum::Potsdam && !aufEtrs89(form.gitter) && form.transformation),
      m_potsdam(form)
{
    m_potsdam.datum = Datum::Potsdam;
    m_potsdamRadius[0] = m_potsdamRadius[1] = m_potsdam;
}

void Kodierer::zwei(const double breite[2], const double laenge[2], const double unsicherheit[2],
                    std::string out[2], Zeilenfehler f[2])
{
    if (!m_paarweise) {
        for (int k = 0; k < 2; ++k)
            f[k] = code(breite[k], laenge[k], unsicherheit[k], out[k]);
        return;
    }
    // code()'s steps, with gitterCode's way onto the Potsdam datum taken
    // for both points at once before it.
    Punkt p[2];
    const Ausgabeform* fuer[2];
    for (int k = 0; k < 2; ++k) {
        out[k].clear();
        f[k] = punktAusGrad(breite[k], laenge[k], p[k]);
        fuer[k] = radius(unsicherheit[k], m_potsdam, m_potsdamRadius[k], f[k]);
    }
    Umrechnungsfehler u[2] = {Umrechnungsfehler::Keine, Umrechnungsfehler::Keine};
    if (f[0].keiner() && f[1].keiner())
        aufPotsdamZwei(p, m_form.transformation, u);
    else
        for (int k = 0; k < 2; ++k)
            if (f[k].keiner())
                u[k] = aufPotsdam(p[k], m_form.transformation);
    for (int k = 0; k < 2; ++k) {
        if (f[k].keiner() && u[k] != Umrechnungsfehler::Keine)
            f[k] = Zellfehler(u[k]);
        if (f[k].keiner())
            f[k] = gitterCode(p[k], *fuer[k], out[k]);
        if (!f[k].keiner())
            out[k].clear();
    }
}

Zeilenfehler Kodierer::code(double breite, double laenge, double unsicherheit, std::string& out)
{
    out.clear();
    Punkt p;
    Lesart lesart;
    Zeilenfehler f = punktAusGrad(breite, laenge, p, &lesart);
    const Ausgabeform* fuer = radius(unsicherheit, m_form, m_mitRadius, f);
    if (f.keiner())
        f = gitterCode(p, *fuer, out, nullptr, m_form.datum == Datum::Auto ? &lesart : nullptr);
    if (!f.keiner())
        out.clear();
    return f;
}

std::size_t hoechsteLaenge(const Ausgabeform& form)
{
    switch (form.gitter) {
    case Gitter::Mtb: {
        // Four digits of the sheet (rows and columns within 1..99), the
        // levels, or the mark of a sheet that does not hold the circle.
        const int ebenen = form.unsicherheit > 0 || form.ebenenNachGenauigkeit > 0 ? 5 : form.ebenen;
        const int stellen = form.notation == Notation::Schraeg ? 2 * ebenen : ebenen + 1;
        return 4 + static_cast<std::size_t>(std::max(stellen, 1));
    }
    case Gitter::Minutenfeld: return 8;                              // 5818/324
    case Gitter::Eea100m:
    case Gitter::Eea1km:
    case Gitter::Eea10km:
    case Gitter::Eea100km: return form.langform ? 40 : 16;            // 100mE43215N32105
    case Gitter::Utm:
    case Gitter::Mgrs:
    case Gitter::Gk: return 20;                                     // R 3478544 H 5549792
    }
    return 40;
}

void codiere(const double* breite, const double* laenge, const double* unsicherheit, std::size_t n,
             const Ausgabeform& form, Codes& aus)
{
    beginnen(aus, n);
    Kodierer k(form);
    std::string code[2];
    Zeilenfehler grund[2];
    const double ohne[2] = {NAN, NAN};
    std::size_t i = 0;
    for (; i + 1 < n; i += 2) {  // two at a time: their transformations overlap
        k.zwei(breite + i, laenge + i, unsicherheit ? unsicherheit + i : ohne, code, grund);
        for (int j = 0; j < 2; ++j) {
            aus.text += code[j];
            abschliessen(aus, aus.text.size(), grund[j]);
        }
    }
    if (i < n) {
        grund[0] = k.code(breite[i], laenge[i], unsicherheit ? unsicherheit[i] : NAN, code[0]);
        aus.text += code[0];
        abschliessen(aus, aus.text.size(), grund[0]);
    }
}

void codiereTexte(const std::string_view* texte, std::size_t n, const Ausgabeform& form, Codes& aus)
{
    beginnen(aus, n);
    const Satzleser& leser = freieZeilen();
    Eintrag e;
    for (std::size_t i = 0; i < n; ++i) {
        const std::size_t vorher = aus.text.size();
        if (texte[i].empty()) {  // an empty line: no position, and nothing wrong
            abschliessen(aus, vorher, {});
            continue;
        }
        Zeilenfehler f = leser.eintrag(texte[i], e);
        if (f.keiner() && e.lage == Eintrag::Lage::Grad)
            f = gitterCode(e.punkt, form, aus.text, nullptr, form.datum == Datum::Auto ? &e.lesart : nullptr);
        else if (f.keiner())
            f = positionsCode(e.kartesisch, form, aus.text);
        abschliessen(aus, vorher, f);
    }
}

Gelesen lies(std::string_view text, Datum datum)
{
    Gelesen g;
    Eintrag e;
    if (g.grund = freieZeilen().eintrag(text, e); !g.grund.keiner())
        return g;
    if (e.lage == Eintrag::Lage::Grad) {
        g.breite = grad(e.punkt.breite);
        g.laenge = grad(e.punkt.laenge);
        g.datum = datumFuer(datum, e.lesart);
    } else {
        const Grad2 p = positionsPunkt(e.kartesisch);
        g.breite = p.breite;
        g.laenge = p.laenge;
        g.datum = e.kartesisch.aufPotsdam() ? Datum::Potsdam : Datum::Etrs89;
    }
    return g;
}

Zelle zelle(std::string_view code, const Gitter* gitter, bool mitRand)
{
    Zelle z;
    if (z.grund = leseUmriss(code, gitter, z.umriss); !z.grund.keiner())
        return z;
    z.code = z.umriss.code;
    const double ecken[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    for (int i = 0; i < 4; ++i)
        z.ecken[i] = punktIn(z.umriss, ecken[i][0], ecken[i][1]);
    z.mitte = punktIn(z.umriss, 0.5, 0.5);
    if (mitRand)
        z.rand = umrissPunkte(z.umriss);
    return z;
}

std::vector<Umriss> netz(double sued, double west, double nord, double ost, Gitter gitter, int ebene,
                         Notation notation, std::size_t hoechstens, bool& zuViele)
{
    std::vector<Umriss> zellen;
    zuViele = false;
    if (!(sued <= nord && west <= ost) || (gitter != Gitter::Mtb && gitter != Gitter::Minutenfeld))
        return zellen;
    const double box[4] = {sued * 60, west * 60, nord * 60, ost * 60};
    for (const Blattteil& blatt : blaetterIm(box)) {
        const bool weiter = zellenIn(gitter, ebene, blatt, box, [&](const Umriss& u) {
            if (zellen.size() == hoechstens) {
                zuViele = true;
                return false;
            }
            zellen.push_back(u);
            if (u.gitter == Gitter::Mtb && notation != Notation::Schraeg) {
                zellen.back().code.clear();
                schreibeCode(zellen.back().code, u.mtbCode, u.ebenen, notation);
            }
            return true;
        });
        if (!weiter)
            break;
    }
    return zellen;
}

}  // namespace quadrix::reihen
