#include "platform/gui/startmessung.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

namespace startmessung {

namespace {

class NachErstemBild final : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::Paint)
            QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
        return false;
    }
};

}  // namespace

void beiErstemBild(QWidget& fenster)
{
    if (qEnvironmentVariableIsSet("QUADRIX_STARTMESSUNG"))
        fenster.installEventFilter(new NachErstemBild(&fenster));
}

}  // namespace startmessung
