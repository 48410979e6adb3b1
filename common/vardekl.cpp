#include "vardekl.h"

#include <QDir>

namespace Vardekl {

#ifdef Q_OS_WIN
QString ersterLaufwerk() { return QStringLiteral("c:"); }
QString ersterPfad() { return QStringLiteral("c:\\"); }
#else
QString ersterLaufwerk() { return QStringLiteral("/"); }
QString ersterPfad() { return QStringLiteral("/"); }
#endif

QString alsPfad(const QString& ordner)
{
    QString p = QDir::toNativeSeparators(ordner);
    if (!p.endsWith(QDir::separator()))
        p += QDir::separator();
    return p;
}

}  // namespace Vardekl
