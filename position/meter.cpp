#include "position/meter.h"

#include "grid/ganzzahl.h"

#include <charconv>
#include <string>

namespace quadrix {

MeterFehler leseMeter(std::string_view t, double& meter)
{
    while (!t.empty() && (t.front() == ' ' || t.front() == '\t'))
        t.remove_prefix(1);
    while (!t.empty() && (t.back() == ' ' || t.back() == '\t'))
        t.remove_suffix(1);
    std::string zahl;
    std::size_t i = 0;
    bool trenner = false;
    for (; i < t.size() && (ganzzahl::ziffer(t[i]) || t[i] == '.' || t[i] == ','); ++i) {
        if (t[i] == '.' || t[i] == ',') {
            if (trenner)
                return MeterFehler::KeineZahl;
            trenner = true;
        }
        zahl += t[i] == ',' ? '.' : t[i];
    }
    std::string_view einheit = t.substr(i);
    while (!einheit.empty() && einheit.front() == ' ')
        einheit.remove_prefix(1);
    double wert = 0;
    const auto r = std::from_chars(zahl.data(), zahl.data() + zahl.size(), wert, std::chars_format::fixed);
    if (zahl.empty() || r.ec != std::errc() || r.ptr != zahl.data() + zahl.size())
        return MeterFehler::KeineZahl;
    if (einheit == "km")
        wert *= 1000;
    else if (!einheit.empty() && einheit != "m")
        return MeterFehler::Einheit;
    if (!(wert > 0) || wert > 1e7)
        return MeterFehler::Bereich;
    meter = wert;
    return MeterFehler::Keine;
}

}  // namespace quadrix
