// What the drives of every platform share: how entries are spelled and read.
#include "platform/gui/dateisystem.h"

#include <QFileInfo>

QString Dateisystem::Laufwerk::eintrag() const
{
    QString b = beschreibung;
    if (b.isEmpty() && bezeichnung.contains(u'['))
        b = QFileInfo(bezeichnung).fileName();
    if (b.isEmpty())
        return bezeichnung;
    b.replace(u'[', u'(').replace(u']', u')');
    return bezeichnung + QStringLiteral(" [") + b + u']';
}

QString Dateisystem::bezeichnungAus(const QString& eintrag)
{
    const auto p = eintrag.lastIndexOf(u'[');
    if (p < 0)
        return eintrag;
    QString b = eintrag.left(p);
    while (b.endsWith(u' '))
        b.chop(1);
    return b;
}

bool EchtesDateisystem::dateiExistiert(const QString& pfad) const
{
    const QFileInfo fi(pfad);
    return fi.exists() && !fi.isDir();
}
