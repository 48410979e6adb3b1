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
    const fundort::Zeile zeile = fundort::datensatzZeile(d, dezimalzeichen());
    if (!zeile.bytes)
        return Fehlertexte::steuerzeichen(zeile.steuerzeichenIn);
    const auto ergebnis = textdatei::anhaengen(datei.toStdU16String(), *zeile.bytes);
    if (!ergebnis)
        return Fehlertexte::speichern(ergebnis, datei);
    return std::nullopt;
}

}  // namespace Speichern
