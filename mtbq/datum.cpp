#include "datum.h"

#include <cmath>

#ifdef MTBQ_MIT_PROJ
#include <dlfcn.h>
#include <proj.h>
#endif

namespace mtbq {

Fehler aufPotsdam(Punkt& p, const Transformation* t)
{
    if (!t)
        return Fehler::Keine;
    double b = grad(p.breite), l = grad(p.laenge);
    if (!t->zuPotsdam(b, l) || !std::isfinite(b) || !std::isfinite(l))
        return t->verfuegbar() ? Fehler::AusserhalbGitter : Fehler::KeineUmrechnung;
    p.breite = winkelAusGrad(b);
    p.laenge = winkelAusGrad(l);
    return Fehler::Keine;
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
    bool verfuegbar() const override { return laden(); }
    bool zuPotsdam(double& b, double& l) const override { return laden() && m_t->zuPotsdam(b, l); }
    bool vonPotsdam(double& b, double& l) const override { return laden() && m_t->vonPotsdam(b, l); }
    const std::string& beschreibung() const override { return laden() ? m_t->beschreibung() : m_fehler; }

private:
    bool laden() const
    {
        if (!m_versucht) {
            m_versucht = true;
            m_t = Transformation::erstelle(m_fehler);
        }
        return m_t != nullptr;
    }
    mutable bool m_versucht = false;
    mutable std::unique_ptr<Transformation> m_t;
    mutable std::string m_fehler;
};

}  // namespace

std::unique_ptr<Transformation> Transformation::beiBedarf() { return std::make_unique<BeiBedarf>(); }

#ifdef MTBQ_MIT_PROJ

namespace {

// BETA2007 shifts points by a few seconds of arc (at most about 7″ across
// Germany). A grid file whose shifts are damaged makes PROJ return NaN or
// far-off points without an error: anything not finite or moved by more
// than a minute of arc is refused.
bool plausibel(double b, double l, double nb, double nl)
{
    constexpr double Grenze = 1.0 / 60;
    return std::isfinite(nb) && std::isfinite(nl) && std::fabs(nb - b) < Grenze && std::fabs(nl - l) < Grenze;
}

// The few PROJ functions used, from the library loaded at run time.
struct Proj {
    void* bibliothek = nullptr;
    decltype(&::proj_context_create) context_create = nullptr;
    decltype(&::proj_context_destroy) context_destroy = nullptr;
    decltype(&::proj_context_set_enable_network) set_enable_network = nullptr;
    decltype(&::proj_log_level) log_level = nullptr;
    decltype(&::proj_create) create = nullptr;
    decltype(&::proj_destroy) destroy = nullptr;
    decltype(&::proj_trans) trans = nullptr;
    decltype(&::proj_errno) errno_ = nullptr;
    decltype(&::proj_errno_reset) errno_reset = nullptr;

    template <typename F>
    bool hole(F& f, const char* name)
    {
        f = reinterpret_cast<F>(dlsym(bibliothek, name));
        return f != nullptr;
    }
    // Loaded once, kept for the rest of the run; nullptr when PROJ is not installed.
    static const Proj* laden()
    {
        static const Proj proj = [] {
            Proj p;
            p.bibliothek = dlopen(MTBQ_PROJ_BIBLIOTHEK, RTLD_NOW | RTLD_LOCAL);
            if (p.bibliothek &&
                !(p.hole(p.context_create, "proj_context_create") && p.hole(p.context_destroy, "proj_context_destroy") &&
                  p.hole(p.set_enable_network, "proj_context_set_enable_network") &&
                  p.hole(p.log_level, "proj_log_level") && p.hole(p.create, "proj_create") &&
                  p.hole(p.destroy, "proj_destroy") && p.hole(p.trans, "proj_trans") &&
                  p.hole(p.errno_, "proj_errno") && p.hole(p.errno_reset, "proj_errno_reset")))
                p.bibliothek = nullptr;
            return p;
        }();
        return proj.bibliothek ? &proj : nullptr;
    }
};

class ProjTransformation final : public Transformation {
public:
    ProjTransformation(const Proj& api, PJ_CONTEXT* ctx, PJ* pj, std::string text)
        : m_api(api), m_ctx(ctx), m_pj(pj), m_text(std::move(text)) {}
    ~ProjTransformation() override
    {
        m_api.destroy(m_pj);
        m_api.context_destroy(m_ctx);
    }
    bool zuPotsdam(double& b, double& l) const override { return trans(PJ_INV, b, l); }
    bool vonPotsdam(double& b, double& l) const override { return trans(PJ_FWD, b, l); }
    const std::string& beschreibung() const override { return m_text; }

private:
    bool trans(PJ_DIRECTION richtung, double& b, double& l) const
    {
        m_api.errno_reset(m_pj);
        PJ_COORD ein{};
        ein.v[0] = b;
        ein.v[1] = l;
        const PJ_COORD aus = m_api.trans(m_pj, richtung, ein);
        if (m_api.errno_(m_pj) != 0 || !plausibel(b, l, aus.v[0], aus.v[1]))
            return false;
        b = aus.v[0];
        l = aus.v[1];
        return true;
    }
    const Proj& m_api;
    PJ_CONTEXT* m_ctx;
    PJ* m_pj;
    std::string m_text;
};

}  // namespace

std::unique_ptr<Transformation> Transformation::erstelle(std::string& fehler)
{
    const Proj* api = Proj::laden();
    if (!api) {
        fehler = "die Bibliothek PROJ (" MTBQ_PROJ_BIBLIOTHEK ", Debian-Paket libproj25) fehlt; ohne sie wird nicht "
                 "zwischen Bezugssystemen umgerechnet";
        return nullptr;
    }
    PJ_CONTEXT* ctx = api->context_create();
    api->set_enable_network(ctx, 0);
    api->log_level(ctx, PJ_LOG_NONE);
    // DHDN -> ETRS89 forward, latitude before longitude in degrees. The grid
    // has had two names; either file will do, no other method will.
    for (const char* gitter : {"de_adv_BETA2007.tif", "BETA2007.gsb"}) {
        const std::string pipeline =
            std::string("+proj=pipeline +step +proj=axisswap +order=2,1 "
                        "+step +proj=unitconvert +xy_in=deg +xy_out=rad "
                        "+step +proj=hgridshift +grids=") +
            gitter +
            " +step +proj=unitconvert +xy_in=rad +xy_out=deg +step +proj=axisswap +order=2,1";
        if (PJ* pj = api->create(ctx, pipeline.c_str()))
            return std::make_unique<ProjTransformation>(*api, ctx, pj,
                                                        "BETA2007 (" + std::string(gitter) + "), " + pipeline);
    }
    api->context_destroy(ctx);
    fehler = "das Transformationsgitter BETA2007 fehlt (Debian-Paket proj-data); ohne dieses Gitter wird nicht "
             "umgerechnet";
    return nullptr;
}

#else

std::unique_ptr<Transformation> Transformation::erstelle(std::string& fehler)
{
    fehler = "diese mtbq wurde ohne PROJ gebaut und kann nicht zwischen Bezugssystemen umrechnen";
    return nullptr;
}

#endif

}  // namespace mtbq
