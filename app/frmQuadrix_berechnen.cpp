// "MTB berechnen": sheet and quadrants of the six coordinate texts.
#include "app/frmQuadrix.h"

#include "files/fehlertexte.h"
#include "grid/mtb.h"
#include "platform/gui/textfeld.h"

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
    auto scheitert = [&](mtb::Fehler f) {
        Fehlertexte::zeige(m_plattform.meldungen, this,
                           Fehlertexte::berechnung(f, texte[static_cast<int>(f.feld)]));
    };

    const mtb::Achse nord = mtb::achse(utf8(texte[0]), utf8(texte[1]), utf8(texte[2]), mtb::Feld::GradN);
    if (!nord.minuten)
        return scheitert(nord.fehler);
    const double B = *nord.minuten;
    dblBreite = B / 60;
    const auto r = mtb::zeile(B);
    if (!r)
        return scheitert({mtb::Fehlerart::Ueberlauf, mtb::Feld::GradN});

    const mtb::Achse ost = mtb::achse(utf8(texte[3]), utf8(texte[4]), utf8(texte[5]), mtb::Feld::GradO);
    if (!ost.minuten)
        return scheitert(ost.fehler);
    const double L = *ost.minuten;
    dblLaenge = L / 60;
    const auto c = mtb::spalte(L);
    if (!c)
        return scheitert({mtb::Fehlerart::Ueberlauf, mtb::Feld::GradO});

    txtMTB->setText(QString::fromStdString(mtb::codeText(*r, *c, mtb::quadranten(B, L, *r, *c))));
    cmdSpeichern->setEnabled(true);
    karteNachfuehren();
}
