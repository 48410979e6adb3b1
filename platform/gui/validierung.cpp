#include "platform/gui/validierung.h"

#include <QEvent>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

Validierung::Validierung(QWidget* fenster) : QObject(fenster), m_fenster(fenster)
{
    // The native window exists only once the window is shown.
    fenster->installEventFilter(this);
}

void Validierung::setPruefung(QWidget* box, std::function<void(bool&)> pruefung)
{
    m_pruefungen.insert(box, std::move(pruefung));
}

void Validierung::loestPruefungAus(QWidget* ziel)
{
    m_ziele.insert(ziel);
    ziel->installEventFilter(this);
}

void Validierung::fokusDurchZugriffstaste(QWidget* knopf)
{
    m_knoepfe.insert(knopf);
    knopf->installEventFilter(this);
}

bool Validierung::darfWechseln(QWidget* ziel)
{
    QWidget* von = m_fenster->focusWidget();
    if (!ziel || ziel == von || !m_ziele.contains(ziel))
        return true;
    const auto pruefung = m_pruefungen.constFind(von);
    if (pruefung == m_pruefungen.cend())
        return true;
    bool Cancel = false;
    (*pruefung)(Cancel);
    return !Cancel;
}

QWidget* Validierung::zielUnter(QObject* objekt, QEvent* ereignis) const
{
    if (objekt != m_nativ)
        return nullptr;
    const auto* maus = static_cast<QMouseEvent*>(ereignis);
    QWidget* w = m_fenster->childAt(m_fenster->mapFromGlobal(maus->globalPosition().toPoint()));
    while (w && w != m_fenster && !m_ziele.contains(w))
        w = w->parentWidget();
    return w && w != m_fenster && w->isEnabled() ? w : nullptr;
}

bool Validierung::eventFilter(QObject* objekt, QEvent* ereignis)
{
    switch (ereignis->type()) {
    case QEvent::Show:
    case QEvent::WinIdChange:
        if (objekt == m_fenster && m_fenster->windowHandle() && m_nativ != m_fenster->windowHandle()) {
            m_nativ = m_fenster->windowHandle();
            m_nativ->installEventFilter(this);
        }
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        if (QWidget* ziel = zielUnter(objekt, ereignis); ziel && !darfWechseln(ziel))
            return true;
        break;
    case QEvent::Shortcut:
        if (auto* ziel = qobject_cast<QWidget*>(objekt)) {
            if (m_ziele.contains(ziel) && !darfWechseln(ziel))
                return true;
            if (m_knoepfe.contains(ziel) && ziel->isEnabled())
                ziel->setFocus(Qt::ShortcutFocusReason);
        }
        break;
    default:
        break;
    }
    return false;
}
