#include "platform/textdatei.h"

#include "platform/textdatei_system.h"

namespace textdatei {

namespace {

using namespace system;

bool leererName(const std::filesystem::path& p)
{
    return p.native().find_first_not_of(static_cast<std::filesystem::path::value_type>(' ')) ==
           std::filesystem::path::string_type::npos;
}

// Writes everything and forces it to the disk; on a failure cuts off what
// this write added (pfad is the file's name, for the cut).
Ergebnis schreibeGanz(Handle h, const std::filesystem::path& pfad, std::string_view bytes)
{
    long long geschrieben = 0, ende = 0;
    Ergebnis e = schreibe(h, bytes, geschrieben, ende);
    if (e && geschrieben != static_cast<long long>(bytes.size()))
        e = {Ursache::DatentraegerVoll, 0};
    if (e)
        e = sichere(h);
    schliesse(h);
    if (!e && geschrieben > 0)
        kuerzeZurueck(pfad, ende, ende - geschrieben);
    return e;
}

// Before the first byte is written: the name, and whether it is a file.
Ergebnis pruefeZiel(const std::filesystem::path& pfad, Art& a)
{
    if (leererName(pfad))
        return {Ursache::KeinName, 0};
    Ergebnis e;
    a = art(pfad, e);
    if (!e)
        return e;
    if (a == Art::Ordner)
        return {Ursache::IstOrdner, 0};
    if (a == Art::Anderes)
        return {Ursache::KeineDatei, 0};
    return {};
}

// A file that this call creates is removed again when writing it fails.
Ergebnis neuAnlegen(const std::filesystem::path& pfad, std::string_view bytes)
{
    Ergebnis e;
    const Handle h = erzeuge(pfad, e);
    if (h == KeinHandle)
        return e;
    e = schreibeGanz(h, pfad, bytes);
    if (!e)
        entferne(pfad);
    return e;
}

}  // namespace

Ergebnis anhaengen(const std::filesystem::path& pfad, std::string_view zeile)
{
    Art a = Art::Fehlt;
    if (Ergebnis e = pruefeZiel(pfad, a); !e)
        return e;
    if (a == Art::Fehlt)
        return neuAnlegen(pfad, zeile);

    Ergebnis e;
    const Handle h = oeffneAnhaengen(pfad, e);
    if (h == KeinHandle)
        return e;
    std::string puffer;
    // Unreadable files (write-only) are taken as ending properly.
    if (char letztes = '\n'; letztesByte(h, letztes) && letztes != '\n') {
        // A lone CR is a line end cut in half: complete it.
        puffer = letztes == '\r' ? "\n" : "\r\n";
        puffer += zeile;
        zeile = puffer;
    }
    return schreibeGanz(h, pfad, zeile);
}

Ergebnis ersetzen(const std::filesystem::path& pfad, std::string_view inhalt)
{
    Art a = Art::Fehlt;
    if (Ergebnis e = pruefeZiel(pfad, a); !e)
        return e;
    if (a == Art::Fehlt)
        return neuAnlegen(pfad, inhalt);

    // The rename below needs only the folder's permission: the file's own
    // is asked first.
    if (Ergebnis e = pruefeSchreibrecht(pfad); !e)
        return e;
    Ergebnis e;
    std::filesystem::path neu;
    const Handle h = erzeugeNeben(pfad, neu, e);
    if (h == KeinHandle)
        return e;
    rechteUebernehmen(pfad, h);
    e = schreibeGanz(h, neu, inhalt);
    if (e)
        e = ersetzeDurch(neu, pfad);
    if (!e)
        entferne(neu);
    return e;
}

}  // namespace textdatei
