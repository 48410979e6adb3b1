#include "datum/datum.h"

#include "datum/ntv2.h"

#include <atomic>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <mutex>

namespace quadrix {

const char* text(Umrechnungsfehler f)
{
    switch (f) {
    case Umrechnungsfehler::Keine: return "";
    case Umrechnungsfehler::AusserhalbGitter:
        return "Punkt außerhalb des Transformationsgitters BETA2007 (Deutschland), oder das Gitter liefert "
               "keinen brauchbaren Punkt (beschädigte Datei?): keine Umrechnung des Datums";
    case Umrechnungsfehler::KeineUmrechnung:
        return "die Position ist WGS84 (Dezimalangabe) oder verlangt ein anderes Datum als das Gitter, und das "
               "Transformationsgitter BETA2007 fehlt oder ist unbrauchbar (--datum nennt das Datum der Eingabe)";
    }
    return "";
}

Umrechnungsfehler aufPotsdam(Punkt& p, const Transformation* t)
{
    if (!t)
        return Umrechnungsfehler::Keine;
    double b = grad(p.breite), l = grad(p.laenge);
    if (!t->zuPotsdam(b, l) || !std::isfinite(b) || !std::isfinite(l))
        return t->verfuegbar() ? Umrechnungsfehler::AusserhalbGitter : Umrechnungsfehler::KeineUmrechnung;
    p.breite = winkelAusGrad(b);
    p.laenge = winkelAusGrad(l);
    return Umrechnungsfehler::Keine;
}

void aufPotsdamZwei(Punkt p[2], const Transformation* t, Umrechnungsfehler f[2])
{
    if (!t) {
        f[0] = f[1] = Umrechnungsfehler::Keine;
        return;
    }
    double b[2] = {grad(p[0].breite), grad(p[1].breite)}, l[2] = {grad(p[0].laenge), grad(p[1].laenge)};
    bool ok[2];
    t->zuPotsdamZwei(b, l, ok);
    for (int k = 0; k < 2; ++k) {
        if (!ok[k] || !std::isfinite(b[k]) || !std::isfinite(l[k])) {
            f[k] = t->verfuegbar() ? Umrechnungsfehler::AusserhalbGitter : Umrechnungsfehler::KeineUmrechnung;
            continue;
        }
        p[k].breite = winkelAusGrad(b[k]);
        p[k].laenge = winkelAusGrad(l[k]);
        f[k] = Umrechnungsfehler::Keine;
    }
}

Umrechnungsfehler verorteUmgerechnet(const Punkt& p, Datum d, const Transformation* t, unsigned bedarf, Lage& lage)
{
    const bool potsdam = d == Datum::Potsdam || d == Datum::Auto;
    if (bedarf & AufPotsdam) {
        lage.potsdam = &p;
        if (!potsdam) {
            if (!t)
                return Umrechnungsfehler::KeineUmrechnung;
            lage.umgerechnet = p;
            if (const Umrechnungsfehler f = aufPotsdam(lage.umgerechnet, t); f != Umrechnungsfehler::Keine)
                return f;
            lage.potsdam = &lage.umgerechnet;
        }
    }
    if (bedarf & InEtrs89) {
        lage.breite = grad(p.breite);
        lage.laenge = grad(p.laenge);
        if (potsdam && (!t || !t->vonPotsdam(lage.breite, lage.laenge)))
            return t && t->verfuegbar() ? Umrechnungsfehler::AusserhalbGitter : Umrechnungsfehler::KeineUmrechnung;
    }
    return Umrechnungsfehler::Keine;
}

bool geodaetischesDatum(std::string_view name, Datum& d)
{
    std::string k;
    for (const char c : name)
        if (c != ' ' && c != '-' && c != '_')
            k += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (k == "epsg:4326" || k == "wgs84")
        d = Datum::Wgs84;
    else if (k == "epsg:4258" || k == "etrs89")
        d = Datum::Etrs89;
    else if (k == "epsg:4314" || k == "dhdn" || k == "potsdam" || k == "potsdam(dhdn)")
        d = Datum::Potsdam;
    else
        return false;
    return true;
}

bool datumNamens(std::string_view name, Datum& d)
{
    if (name == "auto")
        d = Datum::Auto;
    else if (name == "potsdam")
        d = Datum::Potsdam;
    else if (name == "etrs89")
        d = Datum::Etrs89;
    else if (name == "wgs84")
        d = Datum::Wgs84;
    else
        return false;
    return true;
}

const char* datumName(Datum d)
{
    switch (d) {
    case Datum::Potsdam: return "Potsdam (DHDN)";
    case Datum::Etrs89: return "ETRS89";
    case Datum::Wgs84: return "WGS84";
    case Datum::Auto: return "auto";
    }
    return "";
}

namespace {

class BeiBedarf final : public Transformation {
public:
    explicit BeiBedarf(std::vector<std::filesystem::path> ordner) : m_ordner(std::move(ordner)) {}
    bool verfuegbar() const override { return laden(); }
    bool zuPotsdam(double& b, double& l) const override { return laden() && m_t->zuPotsdam(b, l); }
    void zuPotsdamZwei(double b[2], double l[2], bool ok[2]) const override
    {
        if (laden())
            m_t->zuPotsdamZwei(b, l, ok);
        else
            ok[0] = ok[1] = false;
    }
    bool vonPotsdam(double& b, double& l) const override { return laden() && m_t->vonPotsdam(b, l); }
    const std::string& beschreibung() const override { return laden() ? m_t->beschreibung() : m_fehler; }

private:
    // Once, whichever thread comes first: the Python module codes columns
    // in threads of its callers.
    bool laden() const
    {
        // The flag first: call_once itself costs a call and thread-local
        // stores on every point.
        if (!m_geladen.load(std::memory_order_acquire))
            std::call_once(m_versucht, [this] {
                Gitterfehler f;
                m_t = Transformation::erstelle(f, m_ordner);
                m_fehler = text(f);
                m_geladen.store(true, std::memory_order_release);
            });
        return m_t != nullptr;
    }
    std::vector<std::filesystem::path> m_ordner;
    mutable std::once_flag m_versucht;
    mutable std::atomic<bool> m_geladen{false};
    mutable std::unique_ptr<Transformation> m_t;
    mutable std::string m_fehler;
};

}  // namespace

std::unique_ptr<Transformation> Transformation::beiBedarf(const std::vector<std::filesystem::path>& ordner)
{
    return std::make_unique<BeiBedarf>(ordner);
}

namespace {

// BETA2007 shifts points by a few seconds of arc (at most about 7″ across
// Germany). Anything not finite or moved by more than a minute of arc is
// refused: a damaged grid must never give a code.
bool plausibel(double b, double l, double nb, double nl)
{
    constexpr double Grenze = 1.0 / 60;
    return std::isfinite(nb) && std::isfinite(nl) && std::fabs(nb - b) < Grenze && std::fabs(nl - l) < Grenze;
}

// Degrees to radians and back, by the factors PROJ's unitconvert uses.
constexpr double InBogen = 0.017453292519943296;
constexpr double InGrad = 1 / InBogen;

class Beta2007 final : public Transformation {
public:
    Beta2007(ntv2::Gitter g, std::string text) : m_g(std::move(g)), m_text(std::move(text)) {}
    bool zuPotsdam(double& b, double& l) const override { return schiebe(false, b, l); }
    void zuPotsdamZwei(double b[2], double l[2], bool ok[2]) const override
    {
        // As schiebe(false, ...) for each.
        double lam[2] = {l[0] * InBogen, l[1] * InBogen}, phi[2] = {b[0] * InBogen, b[1] * InBogen};
        ntv2::rueckwaertsZwei(m_g, lam, phi, ok);
        for (int k = 0; k < 2; ++k) {
            if (!ok[k])
                continue;
            const double nb = phi[k] * InGrad, nl = lam[k] * InGrad;
            if (!plausibel(b[k], l[k], nb, nl)) {
                ok[k] = false;
                continue;
            }
            b[k] = nb;
            l[k] = nl;
        }
    }
    bool vonPotsdam(double& b, double& l) const override { return schiebe(true, b, l); }
    const std::string& beschreibung() const override { return m_text; }

private:
    bool schiebe(bool vor, double& b, double& l) const
    {
        double lam = l * InBogen, phi = b * InBogen;
        if (!(vor ? ntv2::vorwaerts(m_g, lam, phi) : ntv2::rueckwaerts(m_g, lam, phi)))
            return false;
        const double nb = phi * InGrad, nl = lam * InGrad;
        if (!plausibel(b, l, nb, nl))
            return false;
        b = nb;
        l = nl;
        return true;
    }
    ntv2::Gitter m_g;
    std::string m_text;
};

std::string utf8(const std::filesystem::path& p)
{
    const std::u8string u = p.u8string();
    return std::string(u.begin(), u.end());
}

// Where PROJ keeps its grids: PROJ_DATA (or the older PROJ_LIB) when set,
// otherwise the system's folders.
std::vector<std::filesystem::path> gitterOrdner(const std::vector<std::filesystem::path>& eigene)
{
    std::vector<std::filesystem::path> ordner = eigene;
#ifdef _WIN32
    constexpr char Trenner = ';';
#else
    constexpr char Trenner = ':';
#endif
    bool gesetzt = false;
    for (const char* name : {"PROJ_DATA", "PROJ_LIB"}) {
        const char* wert = std::getenv(name);
        if (!wert || !*wert || gesetzt)
            continue;
        gesetzt = true;
        std::string_view w = wert;
        while (!w.empty()) {
            const std::size_t t = std::min(w.find(Trenner), w.size());
            if (t > 0)
                ordner.emplace_back(std::string(w.substr(0, t)));
            w.remove_prefix(std::min(t + 1, w.size()));
        }
    }
    if (!gesetzt)
        for (const char* o : {"/usr/share/proj", "/usr/local/share/proj"})
            ordner.emplace_back(o);
    return ordner;
}

}  // namespace

std::string text(const Gitterfehler& f)
{
    const std::string gitter = "das Transformationsgitter " + f.datei;
    switch (f.art) {
    case Gitterfehler::Art::Keiner: return {};
    case Gitterfehler::Art::Fehlt:
        return "das Transformationsgitter BETA2007 fehlt (unter Linux im Debian-Paket proj-data, unter Windows "
               "neben dem Programm); ohne dieses Gitter wird nicht umgerechnet";
    case Gitterfehler::Art::Unlesbar: return gitter + " kann nicht gelesen werden";
    case Gitterfehler::Art::ZuGross: return gitter + " ist zu groß für BETA2007";
    case Gitterfehler::Art::Unbrauchbar:
        return gitter + " ist unbrauchbar: " + ntv2::text(static_cast<ntv2::Lesefehler>(f.grund));
    }
    return {};
}

std::unique_ptr<Transformation> Transformation::erstelle(Gitterfehler& fehler,
                                                         const std::vector<std::filesystem::path>& ordner)
{
    for (const auto& o : gitterOrdner(ordner)) {
        const std::filesystem::path datei = o / "BETA2007.gsb";
        std::error_code ec;
        if (!std::filesystem::is_regular_file(datei, ec))
            continue;
        constexpr std::uintmax_t Hoechstens = 16 << 20;  // the grid has 83 KB
        const std::uintmax_t groesse = std::filesystem::file_size(datei, ec);
        if (ec || groesse > Hoechstens) {
            fehler = {ec ? Gitterfehler::Art::Unlesbar : Gitterfehler::Art::ZuGross, utf8(datei)};
            return nullptr;
        }
        std::ifstream ein(datei, std::ios::binary);
        std::string bytes(static_cast<std::size_t>(groesse), '\0');
        ein.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!ein || ein.gcount() != static_cast<std::streamsize>(bytes.size())) {
            fehler = {Gitterfehler::Art::Unlesbar, utf8(datei)};
            return nullptr;
        }
        ntv2::Gitter g;
        if (const ntv2::Lesefehler grund = ntv2::lese(bytes, g); grund != ntv2::Lesefehler::Keine) {
            fehler = {Gitterfehler::Art::Unbrauchbar, utf8(datei), static_cast<int>(grund)};
            return nullptr;
        }
        fehler = {};
        return std::make_unique<Beta2007>(std::move(g), "BETA2007 (" + utf8(datei) +
                                                            "), NTv2, bilinear wie PROJ hgridshift");
    }
    fehler = {Gitterfehler::Art::Fehlt, {}};
    return nullptr;
}

}  // namespace quadrix
