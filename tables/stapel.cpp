#include "tables/stapel.h"

#include "cells/texte.h"
#include "cells/umriss.h"
#include "position/punkt.h"
#include "position/texte.h"
#include "records/fundortformat.h"
#include "tables/ausgabepuffer.h"
#include "tables/kodierung.h"
#include "tables/satzleser.h"

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
    Satzleser leser(ein, spalten);
    const Tabelle& tabelle = leser.tabelle();
    long abgelehnt = 0;
    Ausgabepuffer schreiber(aus, Zeilenleser::Block, anzeige ? Kodierung::Bytes : leser.kodierung());
    std::string& out = schreiber.text();
    const std::string titel = spaltentitel(form);
    std::string titelFundorte;
    if (form.datum == Datum::Auto) {
        Ausgabeform potsdam = form;
        potsdam.datum = Datum::Potsdam;
        titelFundorte = spaltentitel(potsdam);
    }

    Ausgabeform mitRadius = form;  // the form with a line's own uncertainty
    Ausgabeform mitDatum = form;   // and with its own datum
    // Sheet codes of points on the Potsdam datum, as many as --levels says,
    // from lines of numbers: the common case of long lists.
    const bool schlicht = form.gitter == Gitter::Mtb && form.datum == Datum::Potsdam && form.unsicherheit == 0 &&
                          form.ebenenNachGenauigkeit == 0 && !anzeige;
    Satzleser::Zeile z;
    Eintrag e;
    while (leser.naechste(z)) {
        // That case on its shortest way: a point read and coded, nothing to
        // weigh. Anything else (an empty or refused line, a plane position)
        // goes the general way below, which reads the line again.
        if (schlicht && z.art == Satzleser::Zeile::Art::Daten && z.marke.empty() &&
            tabelle.art() == Tabelle::Art::Frei) {
            Punkt p;
            mtb::Code code;
            if (lesePunkt(z.text, p) == Fehler::Keine && codeImNetz(p, code) == Fehler::Keine) {
                out.append(z.text);
                out += tabelle.trenner();
                schreibeCode(out, code, form.ebenen, form.notation, form.blattnummer);
                if (z.ende.empty())
                    out += '\n';
                else
                    out.append(z.ende);
                schreiber.vielleichtLeeren();
                continue;
            }
        }
        // A UTF-8 mark before the first line is kept in the output.
        if (!anzeige)
            out.append(z.marke);
        // On a screen, the bytes of a line as text (UTF-16 is decoded already).
        if (anzeige && leser.kodierung() == Kodierung::Bytes && z.art != Satzleser::Zeile::Art::ZuLang)
            out += leser.alsUtf8(z.text);
        else
            out.append(z.text);
        if (z.teil) {
            schreiber.vielleichtLeeren();
            continue;
        }
        out += tabelle.trenner();
        switch (z.art) {
        case Satzleser::Zeile::Art::Leer: break;  // an empty line stays empty, with an empty code column
        case Satzleser::Zeile::Art::Kopf:
            // The header line gets a title for the new column; the records of
            // a find-location file are on the grid's datum, whatever the rule.
            // A title that holds the table's delimiter is quoted, as the
            // table's own cells are, so that it stays one cell.
            zelleAnhaengen(out,
                           tabelle.art() == Tabelle::Art::Fundorte && form.datum == Datum::Auto ? titelFundorte : titel,
                           tabelle.trenner());
            break;
        case Satzleser::Zeile::Art::ZuLang:
            ++abgelehnt;
            melde(z.nummer, text(Zeilenfehler(Zeilenfehler::Art::ZeileZuLang)));
            break;
        case Satzleser::Zeile::Art::Daten: {
            Zeilenfehler f = leser.eintrag(z.text, e);
            // A table's own uncertainty column, row by row, for the sheet grid.
            const Ausgabeform* fuer = &form;
            if (form.gitter == Gitter::Mtb && tabelle.unsicherheitSpalte() >= 0) {
                if (e.unsicherheitFalsch)
                    f = Zeilenfehler::Art::Unsicherheit;
                mitRadius.unsicherheit = e.unsicherheit > 0 ? e.unsicherheit : form.unsicherheit;
                fuer = &mitRadius;
            }
            if (const Datum d = datumDerZeile(form.datum, e); d != form.datum) {
                mitDatum = *fuer;
                mitDatum.datum = d;
                fuer = &mitDatum;
            }
            const std::size_t vorher = out.size();
            if (f.keiner() && e.lage == Eintrag::Lage::Grad)
                f = gitterCode(e.punkt, *fuer, out, nullptr, form.datum == Datum::Auto ? &e.lesart : nullptr);
            else if (f.keiner())
                f = positionsCode(e.kartesisch, *fuer, out);
            if (!f.keiner()) {
                out.resize(vorher);
                ++abgelehnt;
                melde(z.nummer, text(f));
            }
            break;
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
