#include "position/gms.h"

#include <cmath>
#include <cstdio>

namespace quadrix {

std::string gms(double minuten)
{
    // In ten-thousandths of a second; every cell edge is a multiple of 1/16 minute.
    const long long z = std::llround(minuten * 60 * 10000);
    const long long grad = z / (3600LL * 10000), rest = z % (3600LL * 10000);
    char puffer[64];
    std::snprintf(puffer, sizeof puffer, "%lld°%02lld'%02lld", grad, rest / 600000, rest % 600000 / 10000);
    std::string s(puffer);
    if (const long long bruch = rest % 10000) {
        std::snprintf(puffer, sizeof puffer, ".%04lld", bruch);
        std::string b(puffer);
        while (b.back() == '0')
            b.pop_back();
        s += b;
    }
    return s + '"';
}

std::string gms(std::string_view grad, std::string_view min, std::string_view sek, char halbkugel)
{
    std::string t(grad);
    t += "\xc2\xb0";
    (t += min) += '\'';
    (t += sek) += '"';
    t += halbkugel;
    return t;
}

GanzeGms zerlegt(std::int64_t sekunden) { return {sekunden / 3600, sekunden / 60 % 60, sekunden % 60}; }

GmsTexte felder(std::int64_t sekunden)
{
    const GanzeGms g = zerlegt(sekunden);
    char min[8], sek[8];
    std::snprintf(min, sizeof min, "%02d", static_cast<int>(g.min));
    std::snprintf(sek, sizeof sek, "%02d", static_cast<int>(g.sek));
    return {std::to_string(g.grad), min, sek};
}

std::string gmsLesbar(std::int64_t sekunden, char halbkugel)
{
    const std::string nbsp = "\xc2\xa0";
    const GmsTexte t = felder(sekunden);
    return t.grad + "\xc2\xb0" + nbsp + t.min + "\xe2\x80\xb2" + nbsp + t.sek + "\xe2\x80\xb3" + nbsp + halbkugel;
}

std::string punktLesbar(std::int64_t nord, std::int64_t ost) { return gmsLesbar(nord, 'N') + ", " + gmsLesbar(ost, 'O'); }

}  // namespace quadrix
