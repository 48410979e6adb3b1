// The EXIF item of a HEIF file (HEIC from phones), ISO/IEC 23008-12: the
// top-level "meta" box, its "iinf" naming an item of type "Exif", its
// "iloc" saying where the item's bytes lie (in the file or in "idat").
// Only these boxes are read; no picture is decoded.
#include "imports/lesehilfe.h"

#include <cstdint>
#include <cstring>
#include <functional>
#include <vector>

namespace quadrix {

namespace {

constexpr std::size_t GroessteMeta = 1 << 20;
constexpr std::size_t GroessteExif = 1 << 20;

std::uint32_t be32(const unsigned char* p)
{
    return std::uint32_t(p[0]) << 24 | std::uint32_t(p[1]) << 16 | std::uint32_t(p[2]) << 8 | p[3];
}

// A cursor over a box's bytes; every read checks the end.
struct Leser {
    const unsigned char* p;
    const unsigned char* e;
    bool ok = true;

    std::uint64_t zahl(unsigned bytes)
    {
        if (bytes > 8 || static_cast<std::size_t>(e - p) < bytes) {
            ok = false;
            return 0;
        }
        std::uint64_t v = 0;
        for (unsigned i = 0; i < bytes; ++i)
            v = v << 8 | *p++;
        return v;
    }
    void weiter(std::size_t n)
    {
        if (static_cast<std::size_t>(e - p) < n) {
            ok = false;
            p = e;
        } else {
            p += n;
        }
    }
    // A box's header: its type and a reader of its content.
    bool box(char typ[4], Leser& inhalt)
    {
        const unsigned char* anfang = p;
        std::uint64_t groesse = zahl(4);
        if (!ok || static_cast<std::size_t>(e - p) < 4)
            return ok = false;
        std::memcpy(typ, p, 4);
        p += 4;
        if (groesse == 1)
            groesse = zahl(8);
        else if (groesse == 0)
            groesse = static_cast<std::uint64_t>(e - anfang);
        const std::size_t kopf = static_cast<std::size_t>(p - anfang);
        if (!ok || groesse < kopf || groesse > static_cast<std::uint64_t>(e - anfang))
            return ok = false;
        inhalt = Leser{p, anfang + groesse};
        p = anfang + groesse;
        return true;
    }
};

struct Abschnitt {
    std::uint64_t ab, laenge;
};

// The item id of type "Exif" in iinf.
bool exifItem(Leser iinf, std::uint32_t& id)
{
    const unsigned version = static_cast<unsigned>(iinf.zahl(1));
    iinf.weiter(3);
    const std::uint64_t anzahl = iinf.zahl(version == 0 ? 2 : 4);
    for (std::uint64_t i = 0; i < anzahl && iinf.ok && iinf.p < iinf.e; ++i) {
        char typ[4];
        Leser infe{nullptr, nullptr};
        if (!iinf.box(typ, infe))
            return false;
        if (std::memcmp(typ, "infe", 4) != 0)
            continue;
        const unsigned v = static_cast<unsigned>(infe.zahl(1));
        infe.weiter(3);
        if (v < 2)
            continue;
        const std::uint32_t item = static_cast<std::uint32_t>(infe.zahl(v == 2 ? 2 : 4));
        infe.weiter(2);
        if (infe.ok && infe.e - infe.p >= 4 && std::memcmp(infe.p, "Exif", 4) == 0) {
            id = item;
            return true;
        }
    }
    return false;
}

// Where the item lies: its extents and how to read them (0: file, 1: idat).
bool ort(Leser iloc, std::uint32_t id, std::vector<Abschnitt>& abschnitte, unsigned& methode)
{
    const unsigned version = static_cast<unsigned>(iloc.zahl(1));
    iloc.weiter(3);
    if (version > 2)
        return false;
    const unsigned a = static_cast<unsigned>(iloc.zahl(1)), b = static_cast<unsigned>(iloc.zahl(1));
    const unsigned versatzGroesse = a >> 4, laengenGroesse = a & 15, basisGroesse = b >> 4;
    const unsigned indexGroesse = version >= 1 ? b & 15 : 0;
    const std::uint64_t anzahl = iloc.zahl(version < 2 ? 2 : 4);
    for (std::uint64_t i = 0; i < anzahl && iloc.ok; ++i) {
        const std::uint64_t item = iloc.zahl(version < 2 ? 2 : 4);
        methode = version >= 1 ? static_cast<unsigned>(iloc.zahl(2) & 15) : 0;
        iloc.weiter(2);
        const std::uint64_t basis = iloc.zahl(basisGroesse);
        const std::uint64_t teile = iloc.zahl(2);
        if (!iloc.ok)
            return false;
        for (std::uint64_t t = 0; t < teile && iloc.ok; ++t) {
            iloc.zahl(indexGroesse);
            const std::uint64_t versatz = iloc.zahl(versatzGroesse), laenge = iloc.zahl(laengenGroesse);
            if (item == id) {
                if (abschnitte.size() >= 64 || versatz > UINT64_MAX - basis)
                    return false;
                abschnitte.push_back({basis + versatz, laenge});
            }
        }
        if (item == id)
            return iloc.ok;
    }
    return false;
}

}  // namespace

Lesegrund heifExif(const std::function<bool(std::uint64_t, void*, std::size_t)>& lies,
                   std::vector<unsigned char>& exif)
{
    // The top-level boxes up to "meta".
    std::uint64_t ab = 0;
    std::vector<unsigned char> meta;
    for (int boxen = 0; boxen < 64 && meta.empty(); ++boxen) {
        unsigned char kopf[16];
        if (!lies(ab, kopf, 8))
            return Lesegrund::KeinExif;
        std::uint64_t groesse = be32(kopf);
        std::size_t kopfGroesse = 8;
        if (groesse == 1) {
            if (!lies(ab + 8, kopf + 8, 8))
                return Lesegrund::Exif;
            groesse = 0;
            for (int i = 8; i < 16; ++i)
                groesse = groesse << 8 | kopf[i];
            kopfGroesse = 16;
        }
        if (groesse < kopfGroesse && groesse != 0)
            return Lesegrund::Exif;
        if (std::memcmp(kopf + 4, "meta", 4) == 0) {
            if (groesse == 0 || groesse > GroessteMeta)
                return Lesegrund::Exif;
            meta.resize(static_cast<std::size_t>(groesse - kopfGroesse));
            if (!lies(ab + kopfGroesse, meta.data(), meta.size()))
                return Lesegrund::Exif;
        } else if (groesse == 0) {
            return Lesegrund::KeinExif;
        }
        ab += groesse;
    }
    if (meta.empty())
        return Lesegrund::KeinExif;
    Leser m{meta.data(), meta.data() + meta.size()};
    m.weiter(4);  // version and flags
    Leser iinf{nullptr, nullptr}, iloc{nullptr, nullptr}, idat{nullptr, nullptr};
    while (m.ok && m.p < m.e) {
        char typ[4];
        Leser inhalt{nullptr, nullptr};
        if (!m.box(typ, inhalt))
            return Lesegrund::Exif;
        if (std::memcmp(typ, "iinf", 4) == 0)
            iinf = inhalt;
        else if (std::memcmp(typ, "iloc", 4) == 0)
            iloc = inhalt;
        else if (std::memcmp(typ, "idat", 4) == 0)
            idat = inhalt;
    }
    std::uint32_t id = 0;
    if (!iinf.p || !exifItem(iinf, id))
        return Lesegrund::KeinExif;
    std::vector<Abschnitt> abschnitte;
    unsigned methode = 0;
    if (!iloc.p || !ort(iloc, id, abschnitte, methode) || abschnitte.empty() || methode > 1)
        return Lesegrund::Exif;
    std::vector<unsigned char> item;
    for (const Abschnitt& a : abschnitte) {
        if (a.laenge > GroessteExif - item.size())
            return Lesegrund::Exif;
        const std::size_t alt = item.size();
        item.resize(alt + static_cast<std::size_t>(a.laenge));
        if (methode == 0) {
            if (!lies(a.ab, item.data() + alt, static_cast<std::size_t>(a.laenge)))
                return Lesegrund::Exif;
        } else {
            if (!idat.p || a.ab > static_cast<std::uint64_t>(idat.e - idat.p) ||
                a.laenge > static_cast<std::uint64_t>(idat.e - idat.p) - a.ab)
                return Lesegrund::Exif;
            if (a.laenge > 0)
                std::memcpy(item.data() + alt, idat.p + a.ab, static_cast<std::size_t>(a.laenge));
        }
    }
    // The item: the TIFF header's offset past four bytes, then EXIF as in a JPEG's APP1.
    if (item.size() < 4)
        return Lesegrund::Exif;
    const std::uint64_t tiff = 4 + static_cast<std::uint64_t>(be32(item.data()));
    if (tiff >= item.size())
        return Lesegrund::Exif;
    exif.assign({'E', 'x', 'i', 'f', 0, 0});
    exif.insert(exif.end(), item.begin() + static_cast<std::ptrdiff_t>(tiff), item.end());
    return Lesegrund::Keiner;
}

}  // namespace quadrix
