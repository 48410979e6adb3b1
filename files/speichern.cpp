#include "files/speichern.h"

#include "files/fehlertexte.h"
#include "platform/textdatei.h"

#include <QLocale>

namespace Speichern {

namespace {

// The decimal separator of the user's locale, read at the moment of saving.
char dezimalzeichen()
{
    const std::string z = fundort::zuCp1252(QLocale::system().decimalPoint().toStdString());
    return z.size() == 1 && z[0] != '?' ? z[0] : '.';
}

}  // namespace

std::optional<QString> anhaengen(const fundort::Datensatz& d, const QString& datei)
{
    return anhaengen(std::vector<fundort::Datensatz>{d}, datei);
}

std::optional<QString> anhaengen(const std::vector<fundort::Datensatz>& saetze, const QString& datei)
{
    const char zeichen = dezimalzeichen();
    std::string bytes;
    for (const fundort::Datensatz& d : saetze) {
        const fundort::Zeile zeile = fundort::datensatzZeile(d, zeichen);
        if (!zeile.bytes)
            return Fehlertexte::steuerzeichen(zeile.steuerzeichenIn);
        bytes += *zeile.bytes;
    }
    const auto ergebnis = textdatei::anhaengen(datei.toStdU16String(), bytes);
    if (!ergebnis)
        return Fehlertexte::speichern(ergebnis, datei);
    return std::nullopt;
}

}  // namespace Speichern
