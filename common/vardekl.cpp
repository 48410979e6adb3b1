#include "common/vardekl.h"

#include "platform/gui/dateisystem.h"

#include <QDir>

namespace Vardekl {

QString ersterLaufwerk() { return plattform::startLaufwerk(); }
QString ersterPfad() { return plattform::startPfad(); }

QString alsPfad(const QString& ordner)
{
    QString p = QDir::toNativeSeparators(ordner);
    if (!p.endsWith(QDir::separator()))
        p += QDir::separator();
    return p;
}

}  // namespace Vardekl
