#include "platform/gui/fensterplatz.h"

#include <QApplication>
#include <QDir>
#include <QStyle>

namespace {

constexpr int Plaetze = 8;

}  // namespace

Fensterplatz::Fensterplatz(const QString& ordner)
{
    // A lock the system holds, not a file written and synced: the place
    // costs no wait on the disk at start.
    for (int i = 0; i < Plaetze; ++i) {
        const std::intptr_t sperre =
            plattform::sperreDatei(QDir(ordner).filePath(QStringLiteral("quadrix-fenster-%1.lock").arg(i)));
        if (sperre != -1) {
            m_nummer = i;
            m_sperre = sperre;
            return;
        }
    }
}

Fensterplatz::~Fensterplatz()
{
    if (m_sperre != -1)
        plattform::gibFrei(m_sperre);
}

QPoint Fensterplatz::versatz() const
{
    // One title bar down and right, as Windows cascades new windows.
    if (m_nummer == 0)
        return {};
    const int schritt = QApplication::style()->pixelMetric(QStyle::PM_TitleBarHeight) + 8;
    return {m_nummer * schritt, m_nummer * schritt};
}
