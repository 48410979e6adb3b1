// Places by name in the map's search box, offline (the places of GeoNames
// the program carries): one place is shown at once; several of one name
// are listed under the box with their Land, and the one chosen is shown.
// The list is a plain child of the window, not a modal menu.
#include "map/frmKarte.h"
#include "map/kartenansicht.h"
#include "orte/orte.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

bool frmKarte::sucheOrt(const QString& name)
{
    const std::vector<const orte::Ort*> gefunden = orte::suche(name.toStdString());
    if (gefunden.empty())
        return false;
    if (gefunden.size() == 1) {
        zeigeOrt(*gefunden.front());
        return true;
    }
    if (!m_ortsliste) {
        m_ortsliste = new QListWidget(this);
        m_ortsliste->setObjectName(QStringLiteral("ortsliste"));
        m_ortsliste->setFrameShape(QFrame::Box);
        const auto waehle = [this](QListWidgetItem* it) {
            if (!it)
                return;
            m_ortsliste->hide();
            zeigeOrt(*static_cast<const orte::Ort*>(it->data(Qt::UserRole).value<const void*>()));
        };
        connect(m_ortsliste, &QListWidget::itemActivated, this, waehle);
        connect(m_ortsliste, &QListWidget::itemClicked, this, waehle);
    }
    m_ortsliste->clear();
    for (const orte::Ort* o : gefunden) {
        auto* it = new QListWidgetItem(QStringLiteral("%1, %2").arg(QString::fromUtf8(o->name), QString::fromUtf8(orte::gebiet(*o))),
                                       m_ortsliste);
        it->setData(Qt::UserRole, QVariant::fromValue(static_cast<const void*>(o)));
    }
    const QPoint unter = m_suche->mapTo(this, QPoint(0, m_suche->height()));
    const int hoehe = std::min(12, m_ortsliste->count()) * m_ortsliste->sizeHintForRow(0) + 2 * m_ortsliste->frameWidth();
    m_ortsliste->setGeometry(unter.x(), unter.y(), m_suche->width(), hoehe);
    m_ortsliste->setCurrentRow(0);
    m_ortsliste->show();
    m_ortsliste->raise();
    m_ortsliste->setFocus();
    m_status->setText(tr("%n Orte heißen so: einen wählen (Eingabe oder Klick).", nullptr, static_cast<int>(gefunden.size())));
    return true;
}

void frmKarte::zeigeOrt(const orte::Ort& ort)
{
    m_ansicht->zentriere(orte::breite(ort), orte::laenge(ort), std::max(m_ansicht->zoom(), 12));
    m_status->setText(tr("Gezeigt: %1 (%2) – ein Ort, kein Fundort: die Felder bleiben, wie sie sind.")
                          .arg(QString::fromUtf8(ort.name), QString::fromUtf8(orte::gebiet(ort))));
}
