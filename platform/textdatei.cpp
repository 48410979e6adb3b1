#include "platform/textdatei.h"

#include "platform/textdatei_system.h"

#include <cerrno>
#include <string>

namespace textdatei {

Ergebnis ausErrno(int e)
{
    switch (e) {
    case ENOENT:
    case ENOTDIR: return {Ursache::OrdnerFehlt, e};
    case EACCES:
    case EPERM: return {Ursache::KeineBerechtigung, e};
    case EROFS: return {Ursache::Schreibgeschuetzt, e};
    case EISDIR: return {Ursache::IstOrdner, e};
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
    case EFBIG: return {Ursache::DatentraegerVoll, e};
    case ENAMETOOLONG: return {Ursache::NameZuLang, e};
    case EINVAL:
    case EILSEQ: return {Ursache::UngueltigerName, e};
    case ETXTBSY:
    case EBUSY:
    case EAGAIN: return {Ursache::InBenutzung, e};
    case ENXIO:
    case ESPIPE:
    case ENODEV: return {Ursache::KeineDatei, e};
    case EIO: return {Ursache::EinAusgabe, e};
    default: return {Ursache::Anderes, e};
    }
}

std::string satz(const Ergebnis& e, bool lesen)
{
    switch (e.ursache) {
    case Ursache::Keine: return {};
    case Ursache::KeinName: return "Es ist noch keine Datei gewählt.";
    case Ursache::OrdnerFehlt:
        return lesen ? "Die Datei oder ihr Ordner existiert nicht." : "Der Ordner existiert nicht (mehr).";
    case Ursache::KeineBerechtigung:
        return lesen ? "Sie haben keine Berechtigung, diese Datei zu lesen."
                     : "Sie haben keine Berechtigung, in diese Datei oder diesen Ordner zu schreiben.";
    case Ursache::Schreibgeschuetzt: return "Der Datenträger ist schreibgeschützt.";
    case Ursache::IstOrdner: return "Unter diesem Namen gibt es einen Ordner.";
    case Ursache::KeineDatei:
        return "Unter diesem Namen steht keine gewöhnliche Datei, sondern ein Gerät, eine Pipe oder Ähnliches.";
    case Ursache::DatentraegerVoll:
        return "Der Datenträger ist voll, oder die Datei hat die größte erlaubte Länge erreicht.";
    case Ursache::NameZuLang: return "Der Name oder der ganze Pfad ist zu lang.";
    case Ursache::UngueltigerName: return "Das Dateisystem lässt diesen Namen nicht zu.";
    case Ursache::InBenutzung: return "Ein anderes Programm benutzt die Datei gerade.";
    case Ursache::EinAusgabe: return "Der Datenträger meldet einen Lese- oder Schreibfehler.";
    case Ursache::Geaendert:
        return "Die Datei wurde geändert, seit sie gelesen wurde: ein anderes Programm hat an ihr geschrieben.";
    case Ursache::Anderes:
        return std::string("Das Betriebssystem hat das ") + (lesen ? "Lesen" : "Schreiben") +
               " mit einem unerwarteten Fehler abgelehnt (Fehlernummer " + std::to_string(e.fehlernummer) + ").";
    }
    return {};
}

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

Ergebnis lies(const std::filesystem::path& pfad, std::string& inhalt)
{
    Art a = Art::Fehlt;
    if (Ergebnis e = pruefeZiel(pfad, a); !e)
        return e;
    if (a == Art::Fehlt)
        return {Ursache::OrdnerFehlt, 0};
    Ergebnis e;
    const Handle h = oeffneLesen(pfad, e);
    if (h == KeinHandle)
        return e;
    inhalt.clear();
    e = liesAb(h, 0, inhalt);
    schliesse(h);
    return e;
}

Ergebnis berichtigen(const std::filesystem::path& pfad, std::string_view gelesen, std::string_view inhalt,
                     const std::filesystem::path& sicherung)
{
    Art a = Art::Fehlt;
    if (Ergebnis e = pruefeZiel(pfad, a); !e)
        return e;
    if (a == Art::Fehlt)
        return {Ursache::Geaendert, 0};
    if (Ergebnis e = pruefeSchreibrecht(pfad); !e)
        return e;
    Ergebnis e;
    // Held open to the end: after the rename it still reads the old file.
    const Handle alt = oeffneLesen(pfad, e);
    if (alt == KeinHandle)
        return e;
    const auto unveraendert = [&] {
        std::string jetzt;
        e = liesAb(alt, 0, jetzt);
        if (e && jetzt != gelesen)
            e = {Ursache::Geaendert, 0};
        return bool(e);
    };
    std::filesystem::path neu;
    Handle h = KeinHandle;
    if (unveraendert() && (e = ersetzen(sicherung, gelesen)) && (h = erzeugeNeben(pfad, neu, e)) != KeinHandle) {
        rechteUebernehmen(pfad, h);
        // Under the lock the appends of our programs also take: none can
        // land in the old file between the last check and the rename.
        if ((e = schreibeGanz(h, neu, inhalt)) && (e = sperre(alt)) && unveraendert())
            e = ersetzeDurch(neu, pfad);
        if (!e)
            entferne(neu);
    }
    std::string spaet;
    if (e && liesAb(alt, static_cast<long long>(gelesen.size()), spaet) && !spaet.empty())
        e = anhaengen(pfad, spaet);
    schliesse(alt);
    return e;
}

}  // namespace textdatei
