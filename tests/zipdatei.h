// Zip files made byte by byte for the tests and the KMZ fuzz harness: one
// stored entry, its headers saying what the caller wants them to say.
#pragma once

#include <cstdint>
#include <string>

// Little-endian numbers as zip and TIFF write them.
inline void le16(std::string& s, unsigned v)
{
    s += static_cast<char>(v & 0xFF);
    s += static_cast<char>((v >> 8) & 0xFF);
}
inline void le32(std::string& s, std::uint32_t v)
{
    le16(s, v & 0xFFFF);
    le16(s, v >> 16);
}

// A zip of one stored entry; groesse: the unpacked size its headers claim,
// crc: the checksum they give (a reader must cope with wrong ones).
inline std::string gespeichertesZip(const std::string& name, const std::string& inhalt, std::uint32_t groesse,
                                    std::uint32_t crc)
{
    const std::uint32_t n = static_cast<std::uint32_t>(inhalt.size());
    const unsigned namenslaenge = static_cast<unsigned>(name.size());
    std::string z = "PK\x03\x04";
    le16(z, 20), le16(z, 0), le16(z, 0), le16(z, 0), le16(z, 0);
    le32(z, crc), le32(z, n), le32(z, groesse);
    le16(z, namenslaenge), le16(z, 0);
    z += name + inhalt;
    const std::uint32_t verzeichnis = static_cast<std::uint32_t>(z.size());
    z += "PK\x01\x02";
    le16(z, 20), le16(z, 20), le16(z, 0), le16(z, 0), le16(z, 0), le16(z, 0);
    le32(z, crc), le32(z, n), le32(z, groesse);
    le16(z, namenslaenge), le16(z, 0), le16(z, 0), le16(z, 0), le16(z, 0);
    le32(z, 0), le32(z, 0);
    z += name;
    const std::uint32_t laenge = static_cast<std::uint32_t>(z.size()) - verzeichnis;
    z += "PK\x05\x06";
    le16(z, 0), le16(z, 0), le16(z, 1), le16(z, 1);
    le32(z, laenge), le32(z, verzeichnis), le16(z, 0);
    return z;
}
