// "MTB berechnen": sheet and quadrants of the six coordinate texts.
#include "app/frmQuadrix.h"

#include "files/fehlertexte.h"
#include "platform/gui/textfeld.h"
#include "tables/fundpruefung.h"

#include <QPushButton>

namespace {

std::string utf8(const QString& s) { return s.toStdString(); }

}  // namespace

void frmQuadrix::cmdBerechnen_Click()
{
    // The save button is enabled only by a computation that succeeds, so a
    // failed one can never be saved with the results of an earlier one.
    cmdSpeichern->setEnabled(false);
    // Before a file is chosen the boxes cannot be filled: say what comes first.
    if (!txtGradN->isEnabled())
        return Fehlertexte::zeige(m_plattform.meldungen, this, Fehlertexte::keineDateiGewaehlt());

    const QString texte[6] = {txtGradN->text(), txtMinN->text(), txtSekN->text(),
                              txtGradO->text(), txtMinO->text(), txtSekO->text()};

    // What the window held before: kept where the computation fails before it is reached.
    fundort::Datensatz d;
    d.breite = dblBreite;
    d.laenge = dblLaenge;
    std::string* const ziele[6] = {&d.gradN, &d.minN, &d.sekN, &d.gradO, &d.minO, &d.sekO};
    for (int i = 0; i < 6; ++i)
        *ziele[i] = utf8(texte[i]);
    mtb::Fehler fehler;
    const bool gelungen = quadrix::berechneNeu(d, fehler);
    dblBreite = d.breite;
    dblLaenge = d.laenge;
    if (!gelungen)
        return Fehlertexte::zeige(m_plattform.meldungen, this,
                                  Fehlertexte::berechnung(fehler, texte[static_cast<int>(fehler.feld)]));
    txtMTB->setText(QString::fromStdString(d.mtb));
    cmdSpeichern->setEnabled(true);
    karteNachfuehren();
}
