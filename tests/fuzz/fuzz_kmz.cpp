// The KMZ reader over minizip: never a crash on damaged or lying zips,
// never more than the limit unpacked; the bytes also go in as doc.kml of a
// stored zip, so that the KML inside is reached.
#include "imports/punkte.h"
#include "tests/tempdatei.h"

#include <cstdint>
#include <cstdio>
#include <string>

namespace {

void le16(std::string& s, unsigned v)
{
    s += static_cast<char>(v & 0xFF);
    s += static_cast<char>((v >> 8) & 0xFF);
}
void le32(std::string& s, std::uint32_t v)
{
    le16(s, v & 0xFFFF);
    le16(s, v >> 16);
}

// A stored zip of doc.kml (its checksum 0: the reader must cope with a wrong one too).
std::string alsZip(const std::string& inhalt)
{
    const std::uint32_t n = static_cast<std::uint32_t>(inhalt.size());
    std::string z = "PK\x03\x04";
    le16(z, 20), le16(z, 0), le16(z, 0), le16(z, 0), le16(z, 0), le32(z, 0), le32(z, n), le32(z, n);
    le16(z, 7), le16(z, 0);
    z += "doc.kml" + inhalt;
    const std::uint32_t verzeichnis = static_cast<std::uint32_t>(z.size());
    z += "PK\x01\x02";
    le16(z, 20), le16(z, 20), le16(z, 0), le16(z, 0), le16(z, 0), le16(z, 0), le32(z, 0), le32(z, n), le32(z, n);
    le16(z, 7), le16(z, 0), le16(z, 0), le16(z, 0), le16(z, 0), le32(z, 0), le32(z, 0);
    z += "doc.kml";
    const std::uint32_t laenge = static_cast<std::uint32_t>(z.size()) - verzeichnis;
    z += "PK\x05\x06";
    le16(z, 0), le16(z, 0), le16(z, 1), le16(z, 1), le32(z, laenge), le32(z, verzeichnis), le16(z, 0);
    return z;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t n)
{
    const std::string roh(reinterpret_cast<const char*>(daten), n);
    for (const std::string& zip : {roh, alsZip(roh)}) {
        std::FILE* f = tempdatei(zip);
        quadrix::leseKmz(f, [](const quadrix::Fundpunkt&) {});
        std::fclose(f);
    }
    return 0;
}
