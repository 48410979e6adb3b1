// Validate-before-leaving for entry boxes: the check of the box that holds
// the focus runs before the focus moves to a control that causes validation,
// and a refused check keeps the focus in the box and swallows the action
// that would have moved it (a click, an access key, Tab).
//
//   Tab / Shift+Tab  the window asks darfWechseln() in focusNextPrevChild()
//   mouse press      filtered on the window's native window, before Qt gives
//                    the clicked widget the focus
//   access key       filtered on the target (QEvent::Shortcut); a button
//                    registered with fokusDurchZugriffstaste() then takes the
//                    focus before it is pressed, so the tab order goes on from it
//
// Moving to a control that does not cause validation runs no check.
#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QSet>

#include <functional>

class QWidget;
class QWindow;

class Validierung : public QObject {
public:
    explicit Validierung(QWidget* fenster);

    // The check of box: sets Cancel to refuse.
    void setPruefung(QWidget* box, std::function<void(bool& Cancel)> pruefung);
    // Moving the focus to ziel runs the check of the box being left.
    void loestPruefungAus(QWidget* ziel);

    // The button's access key moves the focus to it (after the check, when
    // it causes one) before it presses it.
    void fokusDurchZugriffstaste(QWidget* knopf);

    // Runs the check of the window's focus widget if moving to ziel causes
    // validation; false when the check refused.
    bool darfWechseln(QWidget* ziel);

protected:
    bool eventFilter(QObject* objekt, QEvent* ereignis) override;

private:
    QWidget* zielUnter(QObject* objekt, QEvent* ereignis) const;

    QWidget* m_fenster;
    QPointer<QWindow> m_nativ;
    QHash<const QWidget*, std::function<void(bool&)>> m_pruefungen;
    QSet<const QWidget*> m_ziele;
    QSet<const QWidget*> m_knoepfe;
};
