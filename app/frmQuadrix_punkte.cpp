// GPS files and photos in the main window: dropped on it, they go to the
// map's list of points; the records saved from that list are appended here,
// each as typing its name and whole seconds and "MTB berechnen" would make
// it, all in one write.
#include "app/frmQuadrix.h"

#include "common/vardekl.h"
#include "files/fehlertexte.h"
#include "files/speichern.h"
#include "position/gms.h"
#include "platform/gui/textfeld.h"
#include "tables/fundpruefung.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>

void frmQuadrix::dragEnterEvent(QDragEnterEvent* e)
{
    if (!gezogeneDateien(e->mimeData()).isEmpty())
        e->acceptProposedAction();
}

void frmQuadrix::dropEvent(QDropEvent* e)
{
    const QStringList pfade = gezogeneDateien(e->mimeData());
    if (pfade.isEmpty())
        return;
    e->acceptProposedAction();
    punkteEinlesen(pfade);
}

void frmQuadrix::punkteEinlesen(const QStringList& pfade)
{
    cmdKarte_Click();
    if (KartenFenster* k = karte())
        k->punkteEinlesen(pfade);
}

bool frmQuadrix::punkteSpeichern(const std::vector<Fundortwunsch>& wuensche)
{
    if (!txtGradN->isEnabled() || Vardekl::gDatei == Vardekl::KeineDatei) {
        Fehlertexte::zeige(m_plattform.meldungen, this, Fehlertexte::keineDateiGewaehlt());
        return false;
    }
    std::vector<fundort::Datensatz> saetze;
    for (const Fundortwunsch& w : wuensche) {
        // The six boxes' texts as a pasted position fills them, computed as "MTB berechnen" does.
        fundort::Datensatz d;
        d.gebiet = w.gebiet.toStdString();
        if (mtb::Fehler f; !quadrix::berechneNeu(d, w.nord, w.ost, f)) {
            Fehlertexte::zeige(m_plattform.meldungen, this,
                               Fehlertexte::berechnung(f, QString::fromStdString(quadrix::punktLesbar(w.nord, w.ost))));
            return false;
        }
        saetze.push_back(std::move(d));
    }
    if (const auto fehler = Speichern::anhaengen(saetze, Vardekl::gDatei)) {
        Fehlertexte::zeige(m_plattform.meldungen, this, *fehler);
        return false;
    }
    if (KartenFenster* k = karte())
        k->setzeFundortdatei(Vardekl::gDatei);  // the new finds among the others
    return true;
}
