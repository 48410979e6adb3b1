// Photos: the EXIF block found where the format keeps it (a JPEG's APP1
// segment; a HEIC's "Exif" item through its meta, iinf and iloc boxes),
// read by libexif, its GPS tags mapped to a point. Only the few kilobytes
// around the EXIF block are read, not the picture.
#include "imports/lesehilfe.h"
#include "imports/zeit.h"

#include <libexif/exif-data.h>

#include <cmath>
#include <cstring>
#include <vector>

namespace quadrix {

namespace {

// Random access to the photo's bytes: a file or bytes in memory.
class Quelle {
public:
    Quelle(std::FILE* f) : f_(f) {}
    Quelle(const unsigned char* d, std::size_t n) : d_(d), n_(n) {}
    // Exactly n bytes from ab, or false.
    bool lies(std::uint64_t ab, void* ziel, std::size_t n)
    {
        // Nothing to read (an extent of length 0): its target may be no memory at all.
        if (n == 0)
            return true;
        if (!f_) {
            if (ab > n_ || n > n_ - ab)
                return false;
            std::memcpy(ziel, d_ + ab, n);
            return true;
        }
#ifdef _WIN32
        if (_fseeki64(f_, static_cast<__int64>(ab), SEEK_SET) != 0)
#else
        if (ab > static_cast<std::uint64_t>(INT64_MAX) || fseeko(f_, static_cast<off_t>(ab), SEEK_SET) != 0)
#endif
            return false;
        return std::fread(ziel, 1, n, f_) == n;
    }

private:
    std::FILE* f_ = nullptr;
    const unsigned char* d_ = nullptr;
    std::size_t n_ = 0;
};

std::uint16_t be16(const unsigned char* p) { return static_cast<std::uint16_t>(p[0] << 8 | p[1]); }

// A JPEG's segments up to the picture data: the APP1 that starts "Exif\0\0".
Lesegrund jpegExif(Quelle& q, std::vector<unsigned char>& exif)
{
    std::uint64_t ab = 2;
    for (int segmente = 0; segmente < 1000; ++segmente) {
        unsigned char kopf[4];
        if (!q.lies(ab, kopf, 4) || kopf[0] != 0xFF)
            return Lesegrund::KeinExif;
        const unsigned marke = kopf[1];
        if (marke == 0xDA || marke == 0xD9)  // the picture starts, or the file ends
            return Lesegrund::KeinExif;
        const std::size_t laenge = be16(kopf + 2);
        if (laenge < 2)
            return Lesegrund::Exif;
        if (marke == 0xE1 && laenge >= 8) {
            exif.resize(laenge - 2);
            if (!q.lies(ab + 4, exif.data(), exif.size()))
                return Lesegrund::Exif;
            if (std::memcmp(exif.data(), "Exif\0\0", 6) == 0)
                return Lesegrund::Keiner;
        }
        ab += 2 + laenge;
    }
    return Lesegrund::KeinExif;
}

// An EXIF entry of the GPS or EXIF IFD, of the format and count wanted.
ExifEntry* eintrag(ExifData* d, ExifIfd ifd, unsigned tag, ExifFormat format, unsigned long mindestens)
{
    ExifEntry* e = exif_content_get_entry(d->ifd[ifd], static_cast<ExifTag>(tag));
    if (!e || e->format != format || e->components < mindestens || !e->data ||
        e->size < exif_format_get_size(format) * mindestens)
        return nullptr;
    return e;
}

std::string ascii(const ExifEntry* e)
{
    std::string t(reinterpret_cast<const char*>(e->data), e->size);
    return t.substr(0, t.find('\0'));
}

// Degrees, minutes and seconds as three rationals; nothing for a zero
// denominator or minutes or seconds of 60 and more.
std::optional<double> winkel(ExifData* d, const ExifEntry* e)
{
    const ExifByteOrder o = exif_data_get_byte_order(d);
    double teile[3];
    for (int i = 0; i < 3; ++i) {
        const ExifRational r = exif_get_rational(e->data + 8 * i, o);
        if (r.denominator == 0)
            return std::nullopt;
        teile[i] = static_cast<double>(r.numerator) / r.denominator;
    }
    if (teile[1] >= 60 || teile[2] >= 60)
        return std::nullopt;
    return teile[0] + teile[1] / 60 + teile[2] / 3600;
}

void ausExif(ExifData* d, Fundpunkt& p)
{
    constexpr unsigned BreiteRef = 0x1, Breite = 0x2, LaengeRef = 0x3, Laenge = 0x4, Hoehe = 0x6,
                       Positionsfehler = 0x1F, Aufnahme = 0x9003, Versatz = 0x9011;
    if (const ExifEntry* z = eintrag(d, EXIF_IFD_EXIF, Aufnahme, EXIF_FORMAT_ASCII, 1)) {
        const std::string roh = ascii(z);
        p.zeit = roh;
        if (const auto t = leseExifZeit(roh)) {
            const ExifEntry* v = eintrag(d, EXIF_IFD_EXIF, Versatz, EXIF_FORMAT_ASCII, 1);
            const std::string versatzText = v ? ascii(v) : std::string();
            const std::optional<int> versatz = v ? leseVersatz(versatzText) : std::nullopt;
            // The time as the other formats write theirs: ISO 8601, with the
            // camera's offset where it wrote one.
            p.zeit = roh.substr(0, 4) + '-' + roh.substr(5, 2) + '-' + roh.substr(8, 2) + 'T' + roh.substr(11, 8);
            if (versatz) {
                p.utc = t->sekunden - *versatz;
                p.zeit += versatzText;
            } else {
                p.lokaleZeit = t->sekunden;
            }
        }
    }
    const ExifEntry* br = eintrag(d, EXIF_IFD_GPS, BreiteRef, EXIF_FORMAT_ASCII, 1);
    const ExifEntry* b = eintrag(d, EXIF_IFD_GPS, Breite, EXIF_FORMAT_RATIONAL, 3);
    const ExifEntry* lr = eintrag(d, EXIF_IFD_GPS, LaengeRef, EXIF_FORMAT_ASCII, 1);
    const ExifEntry* l = eintrag(d, EXIF_IFD_GPS, Laenge, EXIF_FORMAT_RATIONAL, 3);
    if (!b || !l) {
        p.grund = Punktgrund::OhnePosition;
        return;
    }
    const std::optional<double> breite = winkel(d, b), laenge = winkel(d, l);
    const char nord = br ? static_cast<char>(br->data[0]) : 'N';
    const char ost = lr ? static_cast<char>(lr->data[0]) : 'E';
    if (!breite || !laenge || *breite > 90 || *laenge > 180 || (nord != 'N' && nord != 'S') ||
        (ost != 'E' && ost != 'W')) {
        p.grund = Punktgrund::Ungueltig;
        return;
    }
    setzePosition(p, dezimalText(nord == 'S' ? -*breite : *breite, 10), dezimalText(ost == 'W' ? -*laenge : *laenge, 10));
    const ExifByteOrder o = exif_data_get_byte_order(d);
    if (const ExifEntry* h = eintrag(d, EXIF_IFD_GPS, Hoehe, EXIF_FORMAT_RATIONAL, 1)) {
        const ExifRational r = exif_get_rational(h->data, o);
        if (r.denominator)
            p.hoehe = static_cast<double>(r.numerator) / r.denominator;
    }
    if (const ExifEntry* f = eintrag(d, EXIF_IFD_GPS, Positionsfehler, EXIF_FORMAT_RATIONAL, 1)) {
        const ExifRational r = exif_get_rational(f->data, o);
        if (r.denominator && r.numerator)
            p.unsicherheit = static_cast<double>(r.numerator) / r.denominator;
    }
}

Leseergebnis foto(Quelle& q, Dateiart art, const std::string& name, const Punktempfaenger& nimm)
{
    Leseergebnis e;
    e.art = art;
    std::vector<unsigned char> exif;
    e.grund = art == Dateiart::Jpeg ? jpegExif(q, exif)
                                    : heifExif([&](std::uint64_t ab, void* z, std::size_t n) { return q.lies(ab, z, n); },
                                               exif);
    if (e.grund != Lesegrund::Keiner)
        return e;
    ExifData* d = exif_data_new();
    if (!d) {
        e.grund = Lesegrund::Lesefehler;
        return e;
    }
    // As the camera wrote it: nothing dropped or added by the library.
    exif_data_unset_option(d, EXIF_DATA_OPTION_IGNORE_UNKNOWN_TAGS);
    exif_data_unset_option(d, EXIF_DATA_OPTION_FOLLOW_SPECIFICATION);
    exif_data_load_data(d, exif.data(), static_cast<unsigned>(exif.size()));
    Fundpunkt p;
    p.art = Punktart::Foto;
    p.name = name;
    ausExif(d, p);
    exif_data_unref(d);
    e.punkte = 1;
    nimm(p);
    return e;
}

}  // namespace

Leseergebnis leseFotoDaten(const unsigned char* daten, std::size_t n, Dateiart art, const std::string& name,
                           const Punktempfaenger& nimm)
{
    Quelle q(daten, n);
    return foto(q, art, name, nimm);
}

Leseergebnis leseFoto(std::FILE* f, Dateiart art, const std::string& name, const Punktempfaenger& nimm)
{
    Quelle q(f);
    return foto(q, art, name, nimm);
}

}  // namespace quadrix
