#include "tables/stapel.h"

#include "cells/umriss.h"
#include "position/punkt.h"
#include "position/texte.h"
#include "records/fundortformat.h"
#include "tables/ausgabepuffer.h"
#include "tables/kodierung.h"
#include "tables/tabelle.h"

#include <cstring>
#include <string>
#include <vector>

namespace quadrix {

long stapel(std::FILE* ein, std::FILE* aus, const Ausgabeform& form, const Spaltenwahl& spalten,
            const Melder& melde, bool anzeige)
{
    // A line longer than a block is refused, streamed through to the output
    // on the way, so memory stays bounded whatever the input. UTF-16 tables
    // (Excel's "Unicode-Text") are read whole and written back in UTF-16.
    Kodierung kodierung;
    std::string vorweg, utf8;
    if (!liesAnfang(ein, kodierung, vorweg, utf8))
        return -1;
    Zeilenleser leser = kodierung == Kodierung::Bytes ? Zeilenleser(ein, vorweg) : Zeilenleser(utf8);
    long zeilennummer = 0, abgelehnt = 0;
    Tabelle tabelle;
    Ausgabepuffer schreiber(aus, Zeilenleser::Block, anzeige ? Kodierung::Bytes : kodierung);
    // On a screen, the bytes of a line as text (UTF-16 is decoded already).
    const auto zeigen = [&](std::string& out, std::string_view zeile) {
        if (anzeige && kodierung == Kodierung::Bytes)
            out += fundort::textAlsUtf8(zeile);
        else
            out.append(zeile);
    };
    std::string& out = schreiber.text();
    const std::string titel = spaltentitel(form);
    std::string titelFundorte;
    if (form.datum == Datum::Auto) {
        Ausgabeform potsdam = form;
        potsdam.datum = Datum::Potsdam;
        titelFundorte = spaltentitel(potsdam);
    }

    Ausgabeform mitRadius = form;  // the form with a line's own uncertainty
    // Sheet codes of points on the Potsdam datum, as many as --levels says,
    // from lines of numbers: the common case of long lists.
    const bool schlicht = form.gitter == Gitter::Mtb && form.datum == Datum::Potsdam && form.unsicherheit == 0 &&
                          form.ebenenNachGenauigkeit == 0 && !anzeige;
    Zeilenleser::Zeile z;
    bool teilVorher = false;
    while (leser.naechste(z)) {
        // That case on its shortest way: a point read and coded, nothing to
        // weigh. Anything else (an empty or refused line, a plane position)
        // goes the general way below, which reads the line again.
        if (schlicht && zeilennummer > 0 && !z.zuLang && !z.text.empty() && tabelle.art() == Tabelle::Art::Frei) {
            Punkt p;
            mtb::Code code;
            if (lesePunkt(z.text, p) == Fehler::Keine && codeImNetz(p, code) == Fehler::Keine) {
                ++zeilennummer;
                out.append(z.text);
                out += tabelle.trenner();
                schreibeCode(out, code, form.ebenen, form.notation);
                if (z.ende.empty())
                    out += '\n';
                else
                    out.append(z.ende);
                schreiber.vielleichtLeeren();
                continue;
            }
        }
        // A UTF-8 mark before the first line is kept in the output and read past.
        const std::string_view zeile = zeilennummer == 0 ? ohneMarke(z.text) : z.text;
        if (zeilennummer == 0 && !anzeige)
            out.append(z.text.substr(0, z.text.size() - zeile.size()));
        if (z.zuLang) {
            if (!teilVorher && ++zeilennummer == 1)
                tabelle.ersteZeile({}, spalten);
            teilVorher = z.teil;
            out.append(zeile);
            if (z.teil) {
                schreiber.vielleichtLeeren();
                continue;
            }
            out += tabelle.trenner();
            ++abgelehnt;
            melde(zeilennummer, text(Fehler::ZeileZuLang));
        } else {
            ++zeilennummer;
            const bool kopf = zeilennummer == 1 && tabelle.ersteZeile(zeile, spalten);
            zeigen(out, zeile);
            out += tabelle.trenner();
            Punkt p;
            Lesart lesart;
            Lesart* wie = form.datum == Datum::Auto ? &lesart : nullptr;
            Fehler f = zeile.empty() || kopf ? Fehler::Keine : tabelle.punkt(zeile, p, wie);
            const bool daten = !zeile.empty() && !kopf;
            const std::size_t vorher = out.size();
            // A table's own uncertainty column, point by point, for the sheet grid.
            const Ausgabeform* fuer = &form;
            if (daten && tabelle.unsicherheitSpalte() >= 0 && form.gitter == Gitter::Mtb) {
                // A table's own uncertainty column, row by row, whatever form
                // the position has.
                double radius = 0;
                if (const Fehler u = tabelle.unsicherheit(zeile, radius); u != Fehler::Keine)
                    f = u;
                mitRadius.unsicherheit = radius > 0 ? radius : form.unsicherheit;
                fuer = &mitRadius;
            }
            const char* grund = nullptr;
            if (f == Fehler::Keine && daten) {
                f = gitterCode(p, *fuer, out, nullptr, wie);
            } else if (daten && f != Fehler::Unsicherheit) {
                // Not degrees: perhaps Gauss-Kruger, UTM or MGRS.
                Umriss eben;
                if (tabelle.position(zeile, eben, &grund))
                    f = ebenenCode(eben, *fuer, out);
            }
            if (zeile.empty()) {
                // an empty line stays empty, with an empty code column
            } else if (kopf) {
                // The header line gets a title for the new column; the records of
                // a find-location file are on the grid's datum, whatever the rule.
                // A title that holds the table's delimiter is quoted, as the
                // table's own cells are, so that it stays one cell.
                zelleAnhaengen(out,
                               tabelle.art() == Tabelle::Art::Fundorte && form.datum == Datum::Auto ? titelFundorte : titel,
                               tabelle.trenner());
            } else if (f == Fehler::Keine) {
                // the code is already in place
            } else {
                out.resize(vorher);
                ++abgelehnt;
                melde(zeilennummer, grund ? grund : text(f));
            }
        }
        // The input's own line end; a last line without one gets LF.
        if (z.ende.empty())
            out += '\n';
        else
            out.append(z.ende);
        schreiber.vielleichtLeeren();
    }
    if (leser.lesefehler()) {
        schreiber.leeren();  // what was read so far still goes out
        return -1;
    }
    if (!schreiber.leeren())
        return -1;
    return abgelehnt;
}

}  // namespace quadrix
