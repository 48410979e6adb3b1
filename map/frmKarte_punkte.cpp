// The map's list of points: GPS files and photos dropped on the map (or
// chosen with "Punkte einlesen …") are read into the window "Punkte"; their
// points are marked on the map, the one chosen in the list with its cell.
#include "map/frmKarte.h"
#include "map/frmPunkte.h"
#include "map/kartenansicht.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QLabel>
#include <QMimeData>

#include <algorithm>

QStringList frmKarteDateiwahl(QWidget* eltern)
{
    return QFileDialog::getOpenFileNames(
        eltern, QObject::tr("Punkte einlesen"), QString(),
        QObject::tr("GPS-Dateien und Fotos (*.gpx *.kml *.kmz *.geojson *.json *.jpg *.jpeg *.heic *.heif "
                    "*.GPX *.KML *.KMZ *.JPG *.JPEG *.HEIC);;Alle Dateien (*)"));
}

void frmKarte::dragEnterEvent(QDragEnterEvent* e)
{
    if (!gezogeneDateien(e->mimeData()).isEmpty())
        e->acceptProposedAction();
}

void frmKarte::dropEvent(QDropEvent* e)
{
    const QStringList pfade = gezogeneDateien(e->mimeData());
    if (pfade.isEmpty())
        return;
    e->acceptProposedAction();
    punkteEinlesen(pfade);
}

void frmKarte::setzePunktziel(Punktziel ziel)
{
    m_punktziel = std::move(ziel);
    if (m_punkte)
        m_punkte->setzeZiel(m_punktziel);
}

void frmKarte::punkteAnlegen()
{
    if (m_punkte)
        return;
    m_punkte = new frmPunkte(m_beta, this);
    m_punkte->setzeZiel(m_punktziel);
    connect(m_punkte, &frmPunkte::punkteGeaendert, this, [this] {
        const std::vector<QPointF> orte = m_punkte->orte();
        m_ansicht->setzePunkte(orte);
        if (orte.empty())
            return;
        const auto [w, o] = std::minmax_element(orte.begin(), orte.end(), [](auto& a, auto& b) { return a.x() < b.x(); });
        const auto [s, n] = std::minmax_element(orte.begin(), orte.end(), [](auto& a, auto& b) { return a.y() < b.y(); });
        m_ansicht->passeEin(s->y(), w->x(), n->y(), o->x());
    });
    connect(m_punkte, &frmPunkte::gewaehlt, this, [this](int zeile) {
        if (const std::optional<QPointF> ort = m_punkte->ort(zeile)) {
            m_ansicht->setzeMarke(*ort, {});
            m_ansicht->zentriere(ort->y(), ort->x());
        }
    });
}

void frmKarte::punkteEinlesen(const QStringList& pfade)
{
    punkteAnlegen();
    m_punkte->lies(pfade);
    m_punkte->show();
    m_punkte->raise();
    m_status->setText(m_punkte->status());
}
