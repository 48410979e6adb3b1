#include "files/dateiwahl.h"

#include "common/vardekl.h"
#include "files/fehlertexte.h"
#include "platform/gui/dateisystem.h"

namespace Dateiwahl {

Laufwerk laufwerk(const Dateisystem& dateisystem, const QString& eintrag)
{
    Laufwerk l;
    l.bezeichnung = Dateisystem::bezeichnungAus(eintrag);
    // The root of the drive; a root that already ends in a separator gets no second one.
    l.wurzel = Vardekl::alsPfad(l.bezeichnung);
    // A drive that cannot be found at all is reported like one that is not ready.
    if (dateisystem.laufwerkBereit(l.bezeichnung) != Dateisystem::Bereitschaft::Bereit)
        l.fehler = Fehlertexte::laufwerk(eintrag);
    return l;
}

QString datei(const QString& ordner, const QString& name) { return ordner + name; }

}  // namespace Dateiwahl
