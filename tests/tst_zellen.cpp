// The cells' distances to their lines, against GeographicLib's GeodSolve
// on Bessel's ellipsoid (the Potsdam datum's): the circle of an
// uncertainty is held by a cell only where every line lies beyond it.
#include "cells/gitter.h"
#include "grid/ellipsoid.h"
#include "grid/mtb.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace {

struct Frage {
    double b1, l1, b2, l2;
};

// GeodSolve's inverse problem for every pair: the distances in metres.
std::vector<double> geodSolve(const std::vector<Frage>& fragen)
{
    const std::filesystem::path datei = std::filesystem::temp_directory_path() / "quadrix_geodsolve.txt";
    {
        std::ofstream aus(datei);
        aus.precision(12);
        for (const Frage& f : fragen)
            aus << f.b1 << ' ' << f.l1 << ' ' << f.b2 << ' ' << f.l2 << '\n';
    }
    char flach[32];
    std::snprintf(flach, sizeof flach, "%.17g", quadrix::Bessel.f);
    const std::string befehl = std::string(QUADRIX_GEODSOLVE) + " -i -p 6 -e 6377397.155 " + flach + " < " +
                               datei.string();
    std::vector<double> meter;
    if (std::FILE* p = popen(befehl.c_str(), "r")) {
        double az1 = 0, az2 = 0, s = 0;
        while (std::fscanf(p, "%lf %lf %lf", &az1, &az2, &s) == 3)
            meter.push_back(s);
        pclose(p);
    }
    std::filesystem::remove(datei);
    return meter;
}

TEST(Zellen, DistancesToTheLinesAgreeWithGeodSolve)
{
    std::mt19937_64 zufall(31);
    std::uniform_real_distribution<double> breite(47.3, 55.0), laenge(6.0, 15.0);
    // The foot on a meridian lies a little poleward of the point: candidates
    // from the point's latitude to twice the offset a sphere predicts; the
    // nearest of them is GeodSolve's distance to the meridian, to far below
    // a millimetre (the distance is flat about its foot).
    constexpr int Kandidaten = 41;
    struct Fall {
        quadrix::Punkt p;
        double abstand[6];
    };
    std::vector<Fall> faelle;
    std::vector<Frage> fragen;
    for (int i = 0; i < 200; ++i) {
        const double b = breite(zufall), l = laenge(zufall);
        Fall f{{quadrix::winkelAusGrad(b), quadrix::winkelAusGrad(l)}, {}};
        mtb::Code c;
        ASSERT_EQ(quadrix::codeImNetz(f.p, c), quadrix::Fehler::Keine);
        quadrix::abstaendeZuLinien(f.p, c, f.abstand);
        faelle.push_back(f);
        const double pb = quadrix::grad(f.p.breite), pl = quadrix::grad(f.p.laenge);
        for (int e = 0; e <= 5; ++e) {
            const mtb::Zelle z = mtb::zelle(c.zeile, c.spalte, c.quadranten, e);
            fragen.push_back({pb, pl, z.sued / 60, pl});
            fragen.push_back({pb, pl, (z.sued + z.hoehe) / 60, pl});
            for (const double meridian : {z.west / 60, (z.west + z.breite) / 60}) {
                const double d = std::abs(meridian - pl) * std::cos(pb * quadrix::GradInBogen);
                const double versatz = d * d * std::tan(pb * quadrix::GradInBogen) * quadrix::GradInBogen;
                for (int k = 0; k < Kandidaten; ++k)
                    fragen.push_back({pb, pl, pb + versatz * k / (Kandidaten - 1), meridian});
            }
        }
    }
    const std::vector<double> meter = geodSolve(fragen);
    ASSERT_EQ(meter.size(), fragen.size()) << "GeodSolve gave no answer";
    std::size_t n = 0;
    double groesste = 0;
    for (const Fall& f : faelle)
        for (int e = 0; e <= 5; ++e) {
            double nah = std::min(meter[n], meter[n + 1]);
            n += 2;
            for (int k = 0; k < 2 * Kandidaten; ++k)
                nah = std::min(nah, meter[n++]);
            EXPECT_NEAR(f.abstand[e], nah, 1e-4) << quadrix::grad(f.p.breite) << " " << quadrix::grad(f.p.laenge)
                                                 << " level " << e;
            groesste = std::max(groesste, std::abs(f.abstand[e] - nah));
        }
    std::printf("largest difference to GeodSolve: %.2g m\n", groesste);
}

// The cases that kept a level the circle crosses, with GRS80's radii on
// Bessel coordinates: the line's distance by GeodSolve, just inside the circle.
TEST(Zellen, CircleJustOverALineDropsTheLevel)
{
    const struct { double b, l, radius; const char* code; } faelle[] = {
        {55.0463762230, 9.4217773532, 5000, "0922*"},  // the sheet line 4999.40 m away
        {48.4908588638, 11.5450491002, 250, "7535/1"},  // the west line 249.98 m away
        {53.4910140154, 14.7639432536, 1000, "2554*"},
    };
    for (const auto& f : faelle) {
        quadrix::Ausgabeform form;
        form.unsicherheit = f.radius;
        std::string code;
        ASSERT_EQ(quadrix::gitterCode({quadrix::winkelAusGrad(f.b), quadrix::winkelAusGrad(f.l)}, form, code),
                  quadrix::Fehler::Keine);
        EXPECT_EQ(code, f.code) << f.b << " " << f.l;
    }
}

}  // namespace
