// The GeoJSON point reader: never a crash, however deep or broken the
// JSON; the file and the same bytes in memory give the same points; every
// point with a position has one within ±90° and ±180°.
#include "imports/lesehilfe.h"
#include "tests/tempdatei.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t n)
{
    std::vector<std::string> speicher, datei;
    const auto sammle = [](std::vector<std::string>& v) {
        return [&v](const quadrix::Fundpunkt& p) {
            if (p.grund == quadrix::Punktgrund::Keiner) {
                const auto b = quadrix::dezimal(p.breite), l = quadrix::dezimal(p.laenge);
                if (!b || !l || *b < -90 || *b > 90 || *l < -180 || *l > 180)
                    std::abort();
            }
            v.push_back(p.name + '|' + p.breite + '|' + p.laenge + '|' + std::to_string(static_cast<int>(p.grund)));
        };
    };
    const quadrix::Leseergebnis a =
        quadrix::leseGeoJsonText(reinterpret_cast<const char*>(daten), n, sammle(speicher));
    std::FILE* f = tempdatei(std::string(reinterpret_cast<const char*>(daten), n));
    const quadrix::Leseergebnis b = quadrix::leseGeoJson(f, sammle(datei));
    std::fclose(f);
    if (a.grund != b.grund || speicher != datei)
        std::abort();
    return 0;
}
