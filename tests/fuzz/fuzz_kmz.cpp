// The KMZ reader over minizip: never a crash on damaged or lying zips,
// never more than the limit unpacked; the bytes also go in as doc.kml of a
// stored zip, so that the KML inside is reached.
#include "imports/punkte.h"
#include "tests/tempdatei.h"
#include "tests/zipdatei.h"

#include <cstdint>
#include <cstdio>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t n)
{
    const std::string roh(reinterpret_cast<const char*>(daten), n);
    // The bytes also as the doc.kml of a stored zip (checksum 0: wrong, as a reader must expect).
    for (const std::string& zip : {roh, gespeichertesZip("doc.kml", roh, static_cast<std::uint32_t>(n), 0)}) {
        std::FILE* f = tempdatei(zip);
        quadrix::leseKmz(f, [](const quadrix::Fundpunkt&) {});
        std::fclose(f);
    }
    return 0;
}
