// KMZ: the KML in a zip (doc.kml, or else the first .kml at any place),
// unpacked through minizip block by block into the KML reader, at most
// GroessteEntpackung bytes of it.
#include "imports/lesehilfe.h"

#include <minizip/unzip.h>

#include <algorithm>
#include <cctype>

namespace quadrix {

namespace {

// minizip's file functions over a file the caller has opened.
voidpf ZCALLBACK oeffnen(voidpf, const void* datei, int) { return const_cast<void*>(datei); }
uLong ZCALLBACK lesen(voidpf, voidpf datei, void* puffer, uLong n)
{
    return static_cast<uLong>(std::fread(puffer, 1, n, static_cast<std::FILE*>(datei)));
}
uLong ZCALLBACK schreiben(voidpf, voidpf, const void*, uLong) { return 0; }
ZPOS64_T ZCALLBACK stelle(voidpf, voidpf datei)
{
#ifdef _WIN32
    return static_cast<ZPOS64_T>(_ftelli64(static_cast<std::FILE*>(datei)));
#else
    return static_cast<ZPOS64_T>(ftello(static_cast<std::FILE*>(datei)));
#endif
}
long ZCALLBACK suchen(voidpf, voidpf datei, ZPOS64_T ab, int woher)
{
    const int w = woher == ZLIB_FILEFUNC_SEEK_CUR ? SEEK_CUR : woher == ZLIB_FILEFUNC_SEEK_END ? SEEK_END : SEEK_SET;
#ifdef _WIN32
    return _fseeki64(static_cast<std::FILE*>(datei), static_cast<__int64>(ab), w);
#else
    return fseeko(static_cast<std::FILE*>(datei), static_cast<off_t>(ab), w);
#endif
}
int ZCALLBACK schliessen(voidpf, voidpf) { return 0; }  // the caller closes it
int ZCALLBACK fehler(voidpf, voidpf datei) { return std::ferror(static_cast<std::FILE*>(datei)); }

bool istKml(const char* name, bool nurDoc)
{
    std::string n(name);
    std::transform(n.begin(), n.end(), n.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (nurDoc)
        return n == "doc.kml";
    return n.size() > 4 && n.compare(n.size() - 4, 4, ".kml") == 0;
}

// Goes to doc.kml, or else to the first .kml.
bool findeKml(unzFile zip)
{
    for (const bool nurDoc : {true, false}) {
        for (int r = unzGoToFirstFile(zip); r == UNZ_OK; r = unzGoToNextFile(zip)) {
            char name[512];
            unz_file_info64 info;
            if (unzGetCurrentFileInfo64(zip, &info, name, sizeof name, nullptr, 0, nullptr, 0) != UNZ_OK)
                return false;
            if (istKml(name, nurDoc))
                return true;
        }
    }
    return false;
}

}  // namespace

Leseergebnis leseKmz(std::FILE* f, const Punktempfaenger& nimm)
{
    Leseergebnis e;
    e.art = Dateiart::Kmz;
    zlib_filefunc64_def funktionen{};
    funktionen.zopen64_file = oeffnen;
    funktionen.zread_file = lesen;
    funktionen.zwrite_file = schreiben;
    funktionen.ztell64_file = stelle;
    funktionen.zseek64_file = suchen;
    funktionen.zclose_file = schliessen;
    funktionen.zerror_file = fehler;
    funktionen.opaque = nullptr;
    // minizip hands the "name" to the open function: here the open file.
    unzFile zip = unzOpen2_64(f, &funktionen);
    if (!zip) {
        e.grund = Lesegrund::Zip;
        return e;
    }
    struct Zu {
        unzFile z;
        ~Zu() { unzClose(z); }
    } zu{zip};
    unz_file_info64 info;
    if (!findeKml(zip) || unzGetCurrentFileInfo64(zip, &info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK) {
        e.grund = Lesegrund::Zip;
        return e;
    }
    if (info.uncompressed_size > GroessteEntpackung) {
        e.grund = Lesegrund::ZuGross;
        return e;
    }
    if (unzOpenCurrentFile(zip) != UNZ_OK) {
        e.grund = Lesegrund::Zip;
        return e;
    }
    XmlStrom xml(nimm);
    std::uint64_t entpackt = 0;
    char block[1 << 16];
    for (;;) {
        const int n = unzReadCurrentFile(zip, block, sizeof block);
        if (n < 0) {
            unzCloseCurrentFile(zip);
            Leseergebnis x = xml.ergebnis();
            x.art = Dateiart::Kmz;
            x.grund = Lesegrund::Zip;
            return x;
        }
        // The size in the header may lie: the bytes are counted.
        entpackt += static_cast<std::uint64_t>(n);
        if (entpackt > GroessteEntpackung) {
            unzCloseCurrentFile(zip);
            Leseergebnis x = xml.ergebnis();
            x.art = Dateiart::Kmz;
            x.grund = Lesegrund::ZuGross;
            return x;
        }
        if (!xml.lies(block, static_cast<std::size_t>(n), n == 0) || n == 0)
            break;
    }
    // A damaged entry shows in its checksum when closed.
    const bool heil = unzCloseCurrentFile(zip) == UNZ_OK;
    Leseergebnis x = xml.ergebnis();
    if (x.grund == Lesegrund::Keiner && !heil)
        x.grund = Lesegrund::Zip;
    if (x.art == Dateiart::Kml || x.art == Dateiart::Unbekannt)
        x.art = Dateiart::Kmz;
    return x;
}

}  // namespace quadrix
