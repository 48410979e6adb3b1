// The photo readers: a JPEG's segments, a HEIF file's boxes, EXIF through
// libexif. Never a crash, never more than a megabyte taken for EXIF; the
// file and the same bytes in memory give the same point; a position
// within ±90° and ±180°.
#include "imports/lesehilfe.h"
#include "tests/tempdatei.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t n)
{
    for (const quadrix::Dateiart art : {quadrix::Dateiart::Jpeg, quadrix::Dateiart::Heic}) {
        std::string speicher = "-", datei = "-";
        const auto merke = [](std::string& ziel) {
            return [&ziel](const quadrix::Fundpunkt& p) {
                if (p.grund == quadrix::Punktgrund::Keiner) {
                    const auto b = quadrix::dezimal(p.breite), l = quadrix::dezimal(p.laenge);
                    if (!b || !l || *b < -90 || *b > 90 || *l < -180 || *l > 180)
                        std::abort();
                }
                ziel = p.breite + '|' + p.laenge + '|' + p.zeit + '|' + std::to_string(static_cast<int>(p.grund));
            };
        };
        const quadrix::Leseergebnis a = quadrix::leseFotoDaten(daten, n, art, "f", merke(speicher));
        std::FILE* f = tempdatei(std::string(reinterpret_cast<const char*>(daten), n));
        const quadrix::Leseergebnis b = quadrix::leseFoto(f, art, "f", merke(datei));
        std::fclose(f);
        if (a.grund != b.grund || speicher != datei)
            std::abort();
    }
    return 0;
}
