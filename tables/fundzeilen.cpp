#include "tables/fundzeilen.h"

#include "tables/satzleser.h"

namespace quadrix {

std::vector<fundort::Dateizeile> dateizeilen(std::string_view inhalt)
{
    using fundort::Dateizeile;
    using fundort::Mangel;
    std::vector<Dateizeile> zeilen;
    if (kodierungVon(inhalt) != Kodierung::Bytes) {
        zeilen.push_back({std::string(inhalt), {}, Dateizeile::Art::Fremd, Mangel::Kodierung, {}, 0});
        return zeilen;
    }
    Satzleser leser(inhalt);
    Satzleser::Zeile z;
    while (leser.naechste(z)) {
        Dateizeile d;
        d.text.reserve(z.marke.size() + z.text.size());
        (d.text = z.marke) += z.text;
        d.ende = z.ende;
        std::string_view f[14];
        if (fundort::istKopfzeile(z.text))
            d.art = Dateizeile::Art::Kopf;
        else if (z.art == Satzleser::Zeile::Art::ZuLang)
            d.mangel = Mangel::ZuLang;
        else if (z.text.empty())
            d.mangel = Mangel::Leer;
        else if (!fundort::felder(z.text, f))
            d.mangel = Mangel::Felderzahl;
        else if ((d.mangel = fundort::mangel(z.text, f, d.dezimalzeichen)) == Mangel::Keiner) {
            d.art = Dateizeile::Art::Satz;
            d.satz = fundort::datensatz(f);
        }
        zeilen.push_back(std::move(d));
    }
    return zeilen;
}

}  // namespace quadrix
