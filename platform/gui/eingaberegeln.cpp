#include "platform/gui/eingaberegeln.h"

#include <algorithm>

namespace eingaberegeln {

namespace {

// A digit string beyond any limit is out of range like any other too large
// value, never an overflow.
long long ganzzahl(const QString& text)
{
    long long wert = 0;
    for (QChar z : text) {
        if (!z.isDigit() || z.unicode() > '9')
            return -1;
        wert = std::min<long long>(wert * 10 + (z.unicode() - '0'), 1000000);
    }
    return wert;
}

}  // namespace

QString bereichsFehler(const QString& text, int grenze)
{
    if (text.isEmpty())
        return QStringLiteral("Geben Sie einen Wert ein!");
    const long long wert = ganzzahl(text);
    if (wert >= 0 && wert <= grenze)
        return {};
    if (grenze == 90)
        return QStringLiteral("Geben Sie einen Winkel zwischen 0 und 90 Grad ein!");
    if (grenze == 360)
        return QStringLiteral("Geben Sie einen Winkel zwischen 0 und 360 Grad ein!");
    return QStringLiteral("Geben Sie einen Wert zwischen 0 und %1 ein!").arg(grenze);
}

}  // namespace eingaberegeln
