#include "platform/gui/fensterplatz.h"

#include <QApplication>
#include <QDir>
#include <QStyle>

namespace {

constexpr int Plaetze = 8;

}  // namespace

Fensterplatz::Fensterplatz(const QString& ordner)
{
    for (int i = 0; i < Plaetze; ++i) {
        auto sperre = std::make_unique<QLockFile>(QDir(ordner).filePath(QStringLiteral("quadrix-fenster-%1.lock").arg(i)));
        sperre->setStaleLockTime(0);  // only a dead copy's lock is stale
        if (sperre->tryLock(0)) {
            m_nummer = i;
            m_sperre = std::move(sperre);
            return;
        }
    }
}

Fensterplatz::~Fensterplatz() = default;

QPoint Fensterplatz::versatz() const
{
    // One title bar down and right, as Windows cascades new windows.
    if (m_nummer == 0)
        return {};
    const int schritt = QApplication::style()->pixelMetric(QStyle::PM_TitleBarHeight) + 8;
    return {m_nummer * schritt, m_nummer * schritt};
}
