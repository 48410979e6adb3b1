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

}  // namespace quadrix
