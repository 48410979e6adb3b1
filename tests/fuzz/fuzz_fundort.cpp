// Records from any bytes: never a crash; a record that is accepted has
// exactly 14 columns and one line end, whatever the fields held. A file
// read back line by line gives back its bytes exactly; every line taken
// for a record is read again as one and written anew as a valid line; the
// check of a file's records never crashes.
#include "records/fundliste.h"
#include "records/fundortformat.h"
#include "tables/fundpruefung.h"
#include "tables/fundzeilen.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t n)
{
    const std::string ein(reinterpret_cast<const char*>(daten), n);
    const std::string c = fundort::zuCp1252(ein);
    // A TAB, CR or LF comes out only where the bytes held one.
    for (char z : {'\t', '\r', '\n'})
        if (std::count(c.begin(), c.end(), z) != std::count(ein.begin(), ein.end(), z))
            std::abort();
    fundort::Datensatz d;
    const std::size_t h = ein.size() / 2;
    d.gebiet = ein.substr(0, h);
    d.mtb = "5818/3/3/2/1/1";
    d.gradN = d.minN = d.sekN = d.gradO = d.minO = "1";
    d.sekO = ein.substr(h);
    const auto z = fundort::datensatzZeile(d, ',');
    if (z.bytes) {
        if (std::count(z.bytes->begin(), z.bytes->end(), '\t') != 13 ||
            std::count(z.bytes->begin(), z.bytes->end(), '\n') != 1 || z.bytes->find('\r') != z.bytes->size() - 2)
            std::abort();
    }

    const std::vector<fundort::Dateizeile> zeilen = quadrix::dateizeilen(ein);
    if (fundort::zusammen(zeilen) != ein)
        std::abort();
    for (const fundort::Dateizeile& l : zeilen) {
        fundort::Datensatz s;
        char sep = 0;
        // The first line with a UTF-8 mark before it is a record only without the mark.
        const bool marke = &l == &zeilen.front() && l.text.rfind("\xEF\xBB\xBF", 0) == 0;
        const std::string_view ohne = std::string_view(l.text).substr(marke ? 3 : 0);
        if ((l.art == fundort::Dateizeile::Art::Satz) != fundort::leseSatz(ohne, s, sep) &&
            l.art != fundort::Dateizeile::Art::Kopf && l.mangel != fundort::Mangel::Kodierung &&
            l.mangel != fundort::Mangel::ZuLang)
            std::abort();
        if (l.art == fundort::Dateizeile::Art::Satz && (s.gebiet != l.satz.gebiet || sep != l.dezimalzeichen))
            std::abort();
        if (l.art == fundort::Dateizeile::Art::Satz) {
            mtb::Fehler f;
            quadrix::berechneNeu(s, f);
            const fundort::Dateizeile neu = fundort::neueZeile(s, sep);
            fundort::Datensatz wieder;
            char sep2 = 0;
            // A corrected line is a record again (unless its name holds a TAB or line break, which none read can).
            if (neu.text.empty() || !fundort::leseSatz(neu.text, wieder, sep2) || sep2 != sep)
                std::abort();
        }
    }
    (void)quadrix::pruefeDatei(ein);
    return 0;
}
