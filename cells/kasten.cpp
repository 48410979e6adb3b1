#include "cells/kasten.h"

#include "position/code.h"

#include <algorithm>
#include <cmath>

namespace quadrix {

std::vector<Blattteil> blaetterIm(const double box[4])
{
    std::vector<Blattteil> teile;
    const int r0 = std::max(1, 560 - static_cast<int>(std::ceil(box[2] / 6)));
    const int r1 = std::min(99, 560 - static_cast<int>(std::ceil(box[0] / 6)));
    const int c0 = std::max(1, static_cast<int>(std::floor(box[1] / 10)) - 34);
    const int c1 = std::min(99, static_cast<int>(std::floor(box[3] / 10)) - 34);
    for (int r = r0; r <= r1; ++r)
        for (int c = c0; c <= c1; ++c) {
            Blattteil t;
            t.code.zeile = static_cast<std::int16_t>(r);
            t.code.spalte = static_cast<std::int16_t>(c);
            teile.push_back(t);
        }
    return teile;
}

bool zellenIn(Gitter gitter, int ebene, const Blattteil& teil, const double* box,
              const std::function<bool(const Umriss&)>& weiter)
{
    const double nord = (560 - static_cast<double>(teil.code.zeile)) * 6;
    const double west0 = (static_cast<double>(teil.code.spalte) + 34) * 10;
    auto imKasten = [&](const mtb::Zelle& z) {
        return !box || (z.sued < box[2] && z.sued + z.hoehe > box[0] && z.west < box[3] && z.west + z.breite > box[1]);
    };
    Umriss u;
    u.gitter = gitter;
    u.mtbCode = teil.code;
    if (gitter == Gitter::Minutenfeld) {
        // 6 x 10 fields to a sheet, 3 x 5 to a quadrant.
        int z0 = 1, z1 = 6, s0 = 1, s1 = 10;
        if (teil.ebenen >= 1) {
            const int q = teil.code.quadranten[0];
            z0 = q >= 3 ? 4 : 1;
            z1 = z0 + 2;
            s0 = q % 2 == 0 ? 6 : 1;
            s1 = s0 + 4;
        }
        for (int fz = z0; fz <= z1; ++fz)
            for (int fs = s0; fs <= s1; ++fs) {
                mtb::Minutenfeld f;
                f.zeile = teil.code.zeile;
                f.spalte = teil.code.spalte;
                f.feldZeile = static_cast<std::uint8_t>(fz);
                f.feldSpalte = static_cast<std::uint8_t>(fs);
                u.rechteck = mtb::minutenfeldZelle(f);
                if (!imKasten(u.rechteck))
                    continue;
                u.code = minutenfeldText(f.zeile, f.spalte, f.quadrant(), f.zeileImQuadranten(),
                                         f.spalteImQuadranten());
                if (!weiter(u))
                    return false;
            }
        return true;
    }
    const int L = ebene, p = teil.ebenen;
    // Row and column of the prefix cell among the sheet's 2^p x 2^p.
    int i0 = 0, j0 = 0;
    for (int k = 0; k < p; ++k) {
        const int q = teil.code.quadranten[k];
        i0 = i0 * 2 + (q >= 3 ? 1 : 0);
        j0 = j0 * 2 + (q % 2 == 0 ? 1 : 0);
    }
    const int n = 1 << (L - p);
    const double h = 6.0 / (1 << L), w = 10.0 / (1 << L);
    u.ebenen = L;
    for (int ii = 0; ii < n; ++ii)
        for (int jj = 0; jj < n; ++jj) {
            const int i = (i0 << (L - p)) + ii, j = (j0 << (L - p)) + jj;
            for (int k = 0; k < L; ++k) {
                const int bi = (i >> (L - 1 - k)) & 1, bj = (j >> (L - 1 - k)) & 1;
                u.mtbCode.quadranten[k] = static_cast<std::uint8_t>(1 + 2 * bi + bj);
            }
            u.rechteck = {nord - (i + 1) * h, west0 + j * w, h, w};
            if (!imKasten(u.rechteck))
                continue;
            u.code.clear();
            schreibeCode(u.code, u.mtbCode, L, Notation::Schraeg);
            if (!weiter(u))
                return false;
        }
    return true;
}

}  // namespace quadrix
