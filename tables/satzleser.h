// The one way into every list, table and find-location file: the encoding
// (a UTF-8 mark, UTF-16 as Excel's "Unicode-Text"), the lines, the first line
// (a header, or the first record of a file without one) and with it the
// table's kind, over-long and empty lines; and each data line decoded into
// one record value, whatever the kind. Every mode that reads records reads
// them here, so that all follow the same rules. Standard library only.
#pragma once

#include "cells/gitter.h"
#include "cells/umriss.h"
#include "position/punkt.h"
#include "tables/kodierung.h"
#include "tables/tabelle.h"
#include "tables/zeilenleser.h"

#include <cstdio>
#include <string>
#include <string_view>

namespace quadrix {

// Why a line gives no record, or its position no code: the table's own
// failures, or a lower layer's, which it carries (text(): the German sentence).
struct Zeilenfehler {
    enum class Art : unsigned char {
        Keine,
        ZeileZuLang,      // longer than a block (1 MiB)
        ZuWenigSpalten,   // a table row without the latitude or longitude column
        KeinFundortSatz,  // a line of a find-location file that is no record of 14 fields
        Unsicherheit,     // the row's uncertainty is no length in metres or kilometres
        Datum,            // the row's geodeticDatum is none of the datums known
        Verweis,          // a link without a position in it
        Position,         // see position: degrees refused
        Umriss,           // see umriss: a plane position refused, as the line most resembles one
        Zelle,            // see zelle: no code for the point in the grid
    } art = Art::Keine;
    Fehler position = Fehler::Keine;
    Umrissfehler umriss;
    Zellfehler zelle;

    Zeilenfehler() = default;
    Zeilenfehler(Art a) : art(a) {}
    Zeilenfehler(Fehler f) : art(f == Fehler::Keine ? Art::Keine : Art::Position), position(f) {}
    Zeilenfehler(Umrissfehler u) : art(u.keiner() ? Art::Keine : Art::Umriss), umriss(u) {}
    Zeilenfehler(Zellfehler z) : art(z.keiner() ? Art::Keine : Art::Zelle), zelle(z) {}
    Zeilenfehler(Umrechnungsfehler u) : Zeilenfehler(Zellfehler(u)) {}
    bool keiner() const { return art == Art::Keine; }
    bool operator==(const Zeilenfehler&) const = default;
};
const char* text(const Zeilenfehler& f);

// A data line as one value: what the line says, whatever the table's kind.
struct Eintrag {
    std::string ort, code;   // UTF-8: the place and a sheet code, where the line has them
    // The position as written, UTF-8: a record's degrees ("50°07'20\"N") or
    // decimal degrees, a table's two cells; both empty for a free line.
    std::string breite, laenge;
    bool mitPosition = false;  // the line gives a position (otherwise perhaps only a code)
    double unsicherheit = 0;   // metres, the line's own; 0: none given
    bool unsicherheitFalsch = false;  // the line's uncertainty is no length (Fehler::Unsicherheit for those who use it)
    // The row's own datum (geodeticDatum); Auto: none given.
    Datum datum = Datum::Auto;
    // The position read: degrees, or a position in a plane grid (Gauss-Kruger,
    // UTM, MGRS, a Rechtswert and Hochwert), or neither.
    enum class Lage { Keine, Grad, Kartesisch } lage = Lage::Keine;
    Punkt punkt;
    Lesart lesart;
    Umriss kartesisch;
    // A find-location record's fields as they stand (Windows-1252), valid
    // until the next line; empty views for the other kinds.
    std::string_view felder[14];
};

// The datum of an entry's position where the user chose d: d where one was
// named, else the row's own geodeticDatum, else Auto (then datumFuer's rule).
inline Datum datumDerZeile(Datum d, const Eintrag& e) { return d != Datum::Auto ? d : e.datum; }

class Satzleser {
public:
    // Reads the start of ein (a read error there: lesefehler()).
    Satzleser(std::FILE* ein, const Spaltenwahl& wahl);
    // A whole input already in memory.
    explicit Satzleser(std::string_view inhalt, const Spaltenwahl& wahl = {});

    struct Zeile {
        enum class Art : unsigned char { Daten, Kopf, Leer, ZuLang } art = Art::Daten;
        long nummer = 0;         // from 1; the pieces of an over-long line share theirs
        std::string_view marke;  // a UTF-8 mark before the first line, to keep where lines are copied
        std::string_view text;   // without mark and line end; valid until the next call
        std::string_view ende;   // "\n", "\r\n", "\r", or empty for a last line without one
        bool teil = false;       // a piece of an over-long line, more to come
    };
    // The next line; false at the end of the input or after a read error.
    bool naechste(Zeile& z)
    {
        if (!m_leser.naechste(m_roh))
            return false;
        // The common case, inline for long lists: a whole line after the first.
        if (m_nummer > 0 && !m_roh.zuLang && m_roh.text.size() <= Zeilenleser::Block) {
            z.art = m_roh.text.empty() ? Zeile::Art::Leer : Zeile::Art::Daten;
            z.nummer = ++m_nummer;
            z.marke = {};
            z.text = m_roh.text;
            z.ende = m_roh.ende;
            z.teil = false;
            return true;
        }
        return besondere(z);
    }

    // A data line decoded: none (keiner()) with lage Grad or Kartesisch;
    // otherwise the reason, a plane position's own where the line resembles
    // one. A line that gives no position but a code returns the position's
    // failure with mitPosition false: a caller that takes codes looks there
    // first. The row's uncertainty is read apart (unsicherheitFalsch).
    Zeilenfehler eintrag(std::string_view zeile, Eintrag& e) const;
    // Bytes of the input as UTF-8 text: as they stand where the input was
    // UTF-16, Windows-1252 in a find-location file, otherwise UTF-8 where
    // they are valid and Windows-1252 where not (Excel's "CSV").
    std::string alsUtf8(std::string_view bytes) const;

    const Tabelle& tabelle() const { return m_tabelle; }
    Kodierung kodierung() const { return m_kodierung; }
    bool lesefehler() const { return m_startFehler || m_leser.lesefehler(); }

private:
    bool besondere(Zeile& z);
    Zeilenleser imSpeicher(std::string_view inhalt);

    Kodierung m_kodierung = Kodierung::Bytes;
    std::string m_vorweg, m_utf16;
    bool m_startFehler = false;
    Zeilenleser m_leser;
    Zeilenleser::Zeile m_roh;
    Spaltenwahl m_wahl;
    Tabelle m_tabelle;
    long m_nummer = 0;
    bool m_teilVorher = false;
};

}  // namespace quadrix
