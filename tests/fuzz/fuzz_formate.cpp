// The readers behind --dwc and --geojson, and the line and record readers
// under every mode: never a crash; the line reader gives back every byte of
// the input, in order, whatever the block size; the record reader reads a
// file and the same bytes in memory alike; each output is a whole document
// with one row or feature per accepted line.
#include "formats/ausfuhr.h"
#include "formats/geojson.h"
#include "tables/kodierung.h"
#include "tables/satzleser.h"
#include "tables/zeilenleser.h"
#include "tests/feste_verschiebung.h"
#include "tests/tempdatei.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

std::size_t zaehle(const std::string& s, const std::string& was)
{
    std::size_t n = 0;
    for (std::size_t i = s.find(was); i != std::string::npos; i = s.find(was, i + was.size()))
        ++n;
    return n;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t n)
{
    const std::string ein(reinterpret_cast<const char*>(daten), n);

    // The line reader with a tiny block, overlong lines in pieces included:
    // the text and line ends read give back the input byte for byte.
    {
        std::FILE* e = tempdatei(ein);
        quadrix::Zeilenleser leser(e, 1 + (n % 7));
        quadrix::Zeilenleser::Zeile z;
        std::string wieder;
        long zeilen = 0;
        while (leser.naechste(z)) {
            wieder.append(z.text);
            wieder.append(z.ende);
            if (!z.teil)
                ++zeilen;
            if (z.teil && !z.ende.empty())
                std::abort();
        }
        std::fclose(e);
        if (wieder != ein || leser.lesefehler())
            std::abort();
        (void)zeilen;
    }

    // The record reader: from a file and from memory, the same lines and records.
    {
        std::FILE* e = tempdatei(ein);
        quadrix::Satzleser ausDatei(e, {});
        quadrix::Satzleser imSpeicher(ein);
        quadrix::Satzleser::Zeile a, b;
        quadrix::Eintrag ea, eb;
        using Art = quadrix::Satzleser::Zeile::Art;
        for (;;) {
            bool weiterA = ausDatei.naechste(a);
            while (weiterA && a.teil)
                weiterA = ausDatei.naechste(a);
            const bool weiterB = imSpeicher.naechste(b);
            if (weiterA != weiterB)
                std::abort();
            if (!weiterA)
                break;
            if (a.art != b.art || a.nummer != b.nummer || (a.art != Art::ZuLang && a.text != b.text))
                std::abort();
            if (a.art == Art::Daten &&
                (ausDatei.eintrag(a.text, ea) != imSpeicher.eintrag(b.text, eb) || ea.lage != eb.lage ||
                 ea.ort != eb.ort || ea.code != eb.code))
                std::abort();
        }
        std::fclose(e);
    }

    // The lines of the input as bytes (GeoJSON reads records so) and, for a
    // UTF-16 table, as the text it holds (Darwin Core reads tables so):
    // reported line numbers stay within the larger count.
    FesteVerschiebung t;
    long zeilen = 0;
    {
        std::FILE* e = tempdatei(ein);
        quadrix::Zeilenleser leser(e);
        quadrix::Zeilenleser::Zeile z;
        while (leser.naechste(z))
            zeilen += !z.teil;
        std::fclose(e);
        e = tempdatei(ein);
        quadrix::Kodierung k;
        std::string vorweg, text;
        if (!quadrix::liesAnfang(e, k, vorweg, text))
            std::abort();
        std::fclose(e);
        if (k != quadrix::Kodierung::Bytes) {
            quadrix::Zeilenleser gelesen(text);
            long n16 = 0;
            while (gelesen.naechste(z))
                n16 += !z.teil;
            zeilen = std::max(zeilen, n16);
        }
    }
    for (const auto datum : {quadrix::Datum::Auto, quadrix::Datum::Wgs84}) {
        long gemeldet = 0;
        auto melde = [&](long zeile, const char* grund) {
            if (zeile < 1 || zeile > zeilen || !grund || !*grund)
                std::abort();
            ++gemeldet;
        };

        const quadrix::GeoJsonForm jf{datum, &t, n % 2 == 1};
        std::FILE* aus = std::tmpfile();
        std::FILE* e = tempdatei(ein);
        {
            quadrix::GeoJsonFundorte g(aus, jf);
            if (!g.datei(e, "fuzz", melde) || !g.schluss() || g.uebersprungen() != gemeldet)
                std::abort();
        }
        std::fclose(e);
        const std::string json = alles(aus);
        if (json.rfind("{\"type\":\"FeatureCollection\"", 0) != 0 || json.size() < 4 ||
            json.compare(json.size() - 4, 4, "\n]}\n") != 0)
            std::abort();
        if (static_cast<long>(zaehle(json, "{\"type\":\"Feature\",")) + gemeldet > zeilen)
            std::abort();

        gemeldet = 0;
        // Every profile of the portals' tables, in turn.
        const auto profil = static_cast<quadrix::Profil>(n % 6);
        const quadrix::Ausfuhrform df{datum, &t, static_cast<int>(n % 6), n % 3 == 0 ? 0.0 : 300.0,
                                      n % 5 == 0 ? 5000.0 : n % 5 == 1 ? 40.0 : 0.0, {}, false, false, profil,
                                      std::nullopt};
        aus = std::tmpfile();
        e = tempdatei(ein);
        {
            quadrix::Ausfuhrtafel d(aus, df);
            if (!d.datei(e, melde) || !d.schluss() || d.uebersprungen() != gemeldet)
                std::abort();
        }
        std::fclose(e);
        const std::string csv = alles(aus);
        const char* anfang[] = {"locality,", "Fundort;", "\"Fundort\",", "Fundort;", "sample:", "PK\x03\x04"};
        if (csv.rfind(anfang[static_cast<int>(profil)], 0) != 0)
            std::abort();
    }
    return 0;
}
