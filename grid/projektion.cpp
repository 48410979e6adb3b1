#include "grid/projektion.h"

#include "grid/ellipsoid.h"

#include <cmath>

namespace proj {

namespace {

using quadrix::Pi;
constexpr double Grad = quadrix::GradInBogen;

constexpr double A = quadrix::Grs80.a;
const double E2 = quadrix::Grs80.e2();
const double E = std::sqrt(E2);

// ---- Lambert azimuthal equal-area (Snyder, Map Projections, 1987, p. 187) ----

double q(double sinPhi)
{
    return (1 - E2) * (sinPhi / (1 - E2 * sinPhi * sinPhi) - std::log((1 - E * sinPhi) / (1 + E * sinPhi)) / (2 * E));
}

struct Laea {
    double qp, rq, d, sinB1, cosB1;
    static constexpr double Phi1 = 52, Lam0 = 10, X0 = 4321000, Y0 = 3210000;

    Laea()
    {
        qp = q(1);
        rq = A * std::sqrt(qp / 2);
        const double s = std::sin(Phi1 * Grad), c = std::cos(Phi1 * Grad);
        sinB1 = q(s) / qp;
        cosB1 = std::sqrt(1 - sinB1 * sinB1);
        d = A * (c / std::sqrt(1 - E2 * s * s)) / (rq * cosB1);
    }
    static const Laea& werte()
    {
        static const Laea l;
        return l;
    }
};

// ---- Transverse Mercator (Kruger; Karney, J. Geodesy 85, 2011) ----

struct Krueger {
    double a;          // rectifying radius times the scale
    double e2, e;      // the ellipsoid's eccentricity, squared and not
    double alpha[7];   // forward
    double beta[7];    // inverse

    Krueger(const quadrix::Ellipsoid& ellipsoid, double massstab) : e2(ellipsoid.e2()), e(std::sqrt(e2))
    {
        const double f = ellipsoid.f;
        const double n = f / (2 - f), n2 = n * n, n3 = n2 * n, n4 = n3 * n, n5 = n4 * n, n6 = n5 * n;
        a = massstab * ellipsoid.a / (1 + n) * (1 + n2 / 4 + n4 / 64 + n6 / 256);
        alpha[1] = n / 2 - 2 * n2 / 3 + 5 * n3 / 16 + 41 * n4 / 180 - 127 * n5 / 288 + 7891 * n6 / 37800;
        alpha[2] = 13 * n2 / 48 - 3 * n3 / 5 + 557 * n4 / 1440 + 281 * n5 / 630 - 1983433 * n6 / 1935360;
        alpha[3] = 61 * n3 / 240 - 103 * n4 / 140 + 15061 * n5 / 26880 + 167603 * n6 / 181440;
        alpha[4] = 49561 * n4 / 161280 - 179 * n5 / 168 + 6601661 * n6 / 7257600;
        alpha[5] = 34729 * n5 / 80640 - 3418889 * n6 / 1995840;
        alpha[6] = 212378941 * n6 / 319334400;
        beta[1] = n / 2 - 2 * n2 / 3 + 37 * n3 / 96 - n4 / 360 - 81 * n5 / 512 + 96199 * n6 / 604800;
        beta[2] = n2 / 48 + n3 / 15 - 437 * n4 / 1440 + 46 * n5 / 105 - 1118711 * n6 / 3870720;
        beta[3] = 17 * n3 / 480 - 37 * n4 / 840 - 209 * n5 / 4480 + 5569 * n6 / 90720;
        beta[4] = 4397 * n4 / 161280 - 11 * n5 / 504 - 830251 * n6 / 7257600;
        beta[5] = 4583 * n5 / 161280 - 108847 * n6 / 3991680;
        beta[6] = 20648693 * n6 / 638668800;
    }
    // UTM: GRS80, scale 0.9996. Gauss-Kruger: Bessel, scale 1.
    static const Krueger& utm()
    {
        static const Krueger k(quadrix::Grs80, 0.9996);
        return k;
    }
    static const Krueger& gk()
    {
        static const Krueger k(quadrix::Bessel, 1);
        return k;
    }

    // tan of the conformal latitude from tan of the geodetic one.
    double tauStrich(double tau) const
    {
        const double sigma = std::sinh(e * std::atanh(e * tau / std::hypot(1.0, tau)));
        return tau * std::hypot(1.0, sigma) - sigma * std::hypot(1.0, tau);
    }

    // And back, by Newton's method (two or three steps to full precision).
    double tau(double tauS) const
    {
        double t = tauS / (1 - e2);
        for (int i = 0; i < 8; ++i) {
            const double ts = tauStrich(t);
            const double dt = (tauS - ts) * (1 + (1 - e2) * t * t) /
                              ((1 - e2) * std::hypot(1.0, t) * std::hypot(1.0, ts));
            t += dt;
            if (!(std::fabs(dt) >= 1e-15 * std::fmax(1.0, std::fabs(t))))
                break;
        }
        return t;
    }

    // Plane coordinates from the central meridian and the equator.
    Ebene hin(double mittelmeridian, const Geo& g) const
    {
        const double dl = (g.laenge - mittelmeridian) * Grad;
        const double t = tauStrich(std::tan(g.breite * Grad));
        const double xiS = std::atan2(t, std::cos(dl));
        const double etaS = std::asinh(std::sin(dl) / std::hypot(t, std::cos(dl)));
        double xi = xiS, eta = etaS;
        for (int j = 1; j <= 6; ++j) {
            xi += alpha[j] * std::sin(2 * j * xiS) * std::cosh(2 * j * etaS);
            eta += alpha[j] * std::cos(2 * j * xiS) * std::sinh(2 * j * etaS);
        }
        return {a * eta, a * xi};
    }

    Geo zurueck(double mittelmeridian, const Ebene& e) const
    {
        const double xi = e.nord / a, eta = e.ost / a;
        double xiS = xi, etaS = eta;
        for (int j = 1; j <= 6; ++j) {
            xiS -= beta[j] * std::sin(2 * j * xi) * std::cosh(2 * j * eta);
            etaS -= beta[j] * std::cos(2 * j * xi) * std::sinh(2 * j * eta);
        }
        const double sinhEta = std::sinh(etaS), cosXi = std::cos(xiS);
        const double tauS = std::sin(xiS) / std::hypot(sinhEta, cosXi);
        const double dl = std::atan2(sinhEta, cosXi);
        return {std::atan(tau(tauS)) / Grad, mittelmeridian + dl / Grad};
    }
};

double mittelmeridian(int zone) { return 6.0 * zone - 183; }

}  // namespace

Ebene laea(const Geo& g)
{
    const Laea& w = Laea::werte();
    const double dl = (g.laenge - Laea::Lam0) * Grad;
    const double sinB = q(std::sin(g.breite * Grad)) / w.qp;
    const double cosB = std::sqrt(std::fmax(0.0, 1 - sinB * sinB));
    const double b = w.rq * std::sqrt(2 / (1 + w.sinB1 * sinB + w.cosB1 * cosB * std::cos(dl)));
    return {Laea::X0 + b * w.d * cosB * std::sin(dl),
            Laea::Y0 + (b / w.d) * (w.cosB1 * sinB - w.sinB1 * cosB * std::cos(dl))};
}

Geo laeaZurueck(const Ebene& e)
{
    const Laea& w = Laea::werte();
    const double x = e.ost - Laea::X0, y = e.nord - Laea::Y0;
    const double rho = std::hypot(x / w.d, w.d * y);
    if (rho == 0)
        return {Laea::Phi1, Laea::Lam0};
    const double ce = 2 * std::asin(std::fmin(1.0, rho / (2 * w.rq)));
    const double sinCe = std::sin(ce), cosCe = std::cos(ce);
    const double sinB = cosCe * w.sinB1 + w.d * y * sinCe * w.cosB1 / rho;
    const double dl = std::atan2(x * sinCe, w.d * rho * w.cosB1 * cosCe - w.d * w.d * y * w.sinB1 * sinCe);
    // Geodetic from authalic latitude: Snyder's iteration (3-16).
    const double qq = w.qp * sinB;
    double phi = std::asin(std::fmax(-1.0, std::fmin(1.0, qq / 2)));
    for (int i = 0; i < 20; ++i) {
        const double s = std::sin(phi), c = std::cos(phi), t = 1 - E2 * s * s;
        const double d = t * t / (2 * c) *
                         (qq / (1 - E2) - s / t + std::log((1 - E * s) / (1 + E * s)) / (2 * E));
        phi += d;
        if (!(std::fabs(d) >= 1e-15))
            break;
    }
    return {phi / Grad, Laea::Lam0 + dl / Grad};
}

Ebene utm(int zone, const Geo& g)
{
    const Ebene e = Krueger::utm().hin(mittelmeridian(zone), g);
    return {500000 + e.ost, e.nord};
}

Geo utmZurueck(int zone, const Ebene& e)
{
    return Krueger::utm().zurueck(mittelmeridian(zone), {e.ost - 500000, e.nord});
}

Ebene gk(int zone, const Geo& g)
{
    const Ebene e = Krueger::gk().hin(3.0 * zone, g);
    return {zone * 1000000.0 + 500000 + e.ost, e.nord};
}

Geo gkZurueck(int zone, const Ebene& e)
{
    return Krueger::gk().zurueck(3.0 * zone, {e.ost - zone * 1000000.0 - 500000, e.nord});
}

}  // namespace proj
