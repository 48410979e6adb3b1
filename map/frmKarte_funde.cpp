// The map's window "Funde": the records of the find-location file listed
// beside the map; the selected ones marked, the current one centred, and a
// click on the map near a listed record makes it the current row.
#include "map/frmFunde.h"
#include "map/frmKarte.h"
#include "map/kartenansicht.h"

#include <QFileDialog>
#include <QLabel>
#include <QLineF>

void frmKarte::zeigeFunde(const QString& datei, Meldungen& meldungen)
{
    if (!m_funde) {
        m_funde = new frmFunde(m_beta, meldungen, this);
        m_funde->waehleZiel = [](QWidget* eltern, const QString& vorschlag, const QString& filter) {
            return QFileDialog::getSaveFileName(eltern, QObject::tr("Funde ausgeben"), vorschlag, filter);
        };
        connect(m_funde, &frmFunde::auswahlGeaendert, this, [this] { m_ansicht->setzePunkte(m_funde->gewaehlteOrte()); });
        connect(m_funde, &frmFunde::gewaehlt, this, [this](int zeile) {
            if (const std::optional<QPointF> ort = m_funde->ort(zeile)) {
                m_ansicht->setzeMarke(*ort, {});
                m_ansicht->zentriere(ort->y(), ort->x());
            }
        });
        connect(m_funde, &frmFunde::dateiGeaendert, this, [this] { fundeLesen(); });
    }
    m_fundortdatei = datei;
    fundeLesen();
    m_funde->oeffne(datei);
    m_funde->show();
    m_funde->raise();
    m_funde->activateWindow();
}

void frmKarte::fundeNeuLesen()
{
    if (m_funde && m_funde->isVisible() && !m_fundortdatei.isEmpty())
        m_funde->oeffne(m_fundortdatei);
}

void frmKarte::geklickt(double breite, double laenge)
{
    if (m_funde && m_funde->isVisible()) {
        const QPointF hier = m_ansicht->pixelVon(breite, laenge);
        const auto abstand = [&](const QPointF& ort) { return QLineF(hier, m_ansicht->pixelVon(ort.y(), ort.x())).length(); };
        if (m_funde->waehleBei(abstand, 6)) {
            m_status->setText(tr("Fund in der Liste gewählt."));
            return;
        }
    }
    emit positionGewaehlt(breite, laenge);
}
