#include "tables/stapel.h"

#include "formats/ausgabepuffer.h"
#include "position/punkt.h"
#include "tables/tabelle.h"
#include "position/texte.h"

#include <cstring>
#include <string>
#include <vector>

namespace quadrix {

namespace {

constexpr std::size_t Block = 1 << 20;

// The first line end in [anfang, grenze): LF, CR LF or a CR alone (old Mac
// files). A CR at the very end may be the first half of a CR LF still to
// come: not an end yet, unless the input has ended.
const char* zeilenende(const char* anfang, const char* grenze, bool eingabeZuEnde, std::size_t& laenge)
{
    for (const char* p = anfang; p < grenze; ++p) {
        if (*p == '\n') {
            laenge = 1;
            return p;
        }
        if (*p == '\r') {
            if (p + 1 == grenze && !eingabeZuEnde)
                return nullptr;
            laenge = p + 1 < grenze && p[1] == '\n' ? 2 : 1;
            return p;
        }
    }
    return nullptr;
}

}  // namespace

long stapel(std::FILE* ein, const char* name, std::FILE* aus, std::FILE* fehler, const Ausgabeform& form)
{
    // The buffer holds at least one whole line; a line that does not fit is
    // longer than any list has and is refused, streamed through to the
    // output on the way, so memory stays bounded whatever the input.
    std::vector<char> puffer(Block);
    std::size_t gefuellt = 0;
    long zeilennummer = 0, abgelehnt = 0;
    bool ende = false, ueberlang = false;
    Tabelle tabelle;
    Ausgabepuffer schreiber(aus, Block);
    std::string& out = schreiber.text();
    const std::string titel = spaltentitel(form);
    std::string titelFundorte;
    if (form.datum == Datum::Auto) {
        Ausgabeform potsdam = form;
        potsdam.datum = Datum::Potsdam;
        titelFundorte = spaltentitel(potsdam);
    }

    while (!ende) {
        const std::size_t n = std::fread(puffer.data() + gefuellt, 1, puffer.size() - gefuellt, ein);
        if (n == 0) {
            if (std::ferror(ein)) {
                schreiber.leeren();  // what was read so far still goes out
                return -1;
            }
            ende = true;
        }
        gefuellt += n;
        const char* anfang = puffer.data();
        const char* const grenze = puffer.data() + gefuellt;
        for (;;) {
            std::size_t endeLaenge = 0;
            const char* nl = zeilenende(anfang, grenze, ende, endeLaenge);
            if (!nl) {
                if (!ende || anfang == grenze) {
                    if (ende && ueberlang) {
                        nl = grenze;  // an overlong last line without line end
                    } else if (anfang == puffer.data() && grenze == puffer.data() + puffer.size()) {
                        // The buffer is full and holds no line end: pass the bytes on.
                        if (!ueberlang && ++zeilennummer == 1)
                            tabelle.ersteZeile({}, form.spalten);
                        ueberlang = true;
                        out.append(anfang, grenze);
                        schreiber.vielleichtLeeren();
                        anfang = grenze;
                        break;
                    } else {
                        break;
                    }
                } else {
                    nl = grenze;  // last line without line end
                }
            }
            std::string_view zeile(anfang, nl - anfang);
            const std::string_view zeilenEnde(nl, endeLaenge);
            if (ueberlang) {
                out.append(zeile);
                out += tabelle.trenner();
                ++abgelehnt;
                std::fprintf(fehler, "%s:%ld: %s\n", name, zeilennummer, text(Fehler::ZeileZuLang));
                ueberlang = false;
            } else {
                ++zeilennummer;
                const bool kopf = zeilennummer == 1 && tabelle.ersteZeile(zeile, form.spalten);
                out.append(zeile);
                out += tabelle.trenner();
                Punkt p;
                Lesart lesart;
                Lesart* wie = form.datum == Datum::Auto ? &lesart : nullptr;
                Fehler f = zeile.empty() || kopf ? Fehler::Keine : tabelle.punkt(zeile, p, wie);
                const bool daten = !zeile.empty() && !kopf;
                const std::size_t vorher = out.size();
                if (f == Fehler::Keine && daten)
                    f = gitterCode(p, form, out, nullptr, wie);
                if (zeile.empty()) {
                    // an empty line stays empty, with an empty code column
                } else if (kopf) {
                    // The header line gets a title for the new column; the records of
                    // a find-location file are on the grid's datum, whatever the rule.
                    out += tabelle.art() == Tabelle::Art::Fundorte && form.datum == Datum::Auto ? titelFundorte : titel;
                } else if (f == Fehler::Keine) {
                    // the code is already in place
                } else {
                    out.resize(vorher);
                    ++abgelehnt;
                    std::fprintf(fehler, "%s:%ld: %s\n", name, zeilennummer, text(f));
                }
            }
            // The input's own line end; a last line without one gets LF.
            if (nl == grenze)
                out += '\n';
            else
                out.append(zeilenEnde);
            schreiber.vielleichtLeeren();
            if (nl == grenze) {
                anfang = grenze;
                break;
            }
            anfang = nl + endeLaenge;
        }
        gefuellt = grenze - anfang;
        std::memmove(puffer.data(), anfang, gefuellt);
    }
    if (!schreiber.leeren())
        return -1;
    return abgelehnt;
}

}  // namespace quadrix
