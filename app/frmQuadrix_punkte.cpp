// GPS files and photos in the main window: dropped on it, they go to the
// map's list of points; the records saved from that list are appended here,
// each as typing its name and whole seconds and "MTB berechnen" would make
// it, all in one write.
#include "app/frmQuadrix.h"

#include "common/vardekl.h"
#include "files/fehlertexte.h"
#include "files/speichern.h"
#include "grid/mtb.h"
#include "position/gms.h"
#include "platform/gui/textfeld.h"

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
        const quadrix::GmsTexte n = quadrix::felder(w.nord), o = quadrix::felder(w.ost);
        const mtb::Berechnung b = mtb::berechne(n.grad, n.min, n.sek, o.grad, o.min, o.sek);
        if (!b.ergebnis) {
            Fehlertexte::zeige(m_plattform.meldungen, this,
                               Fehlertexte::berechnung(b.fehler, QString::fromStdString(quadrix::punktLesbar(w.nord, w.ost))));
            return false;
        }
        fundort::Datensatz d;
        d.gebiet = w.gebiet.toStdString();
        d.mtb = b.ergebnis->text();
        d.gradN = n.grad;
        d.minN = n.min;
        d.sekN = n.sek;
        d.gradO = o.grad;
        d.minO = o.min;
        d.sekO = o.sek;
        d.breite = b.ergebnis->breite;
        d.laenge = b.ergebnis->laenge;
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
