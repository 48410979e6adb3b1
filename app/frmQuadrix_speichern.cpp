// "Speichern" appends one record to the current find-location file;
// "Neue Datei" opens the window that creates one.
#include "app/frmQuadrix.h"

#include "common/vardekl.h"
#include "files/fehlertexte.h"
#include "files/frmNeueDatei.h"
#include "files/speichern.h"
#include "platform/gui/textfeld.h"

#include <QPushButton>

using namespace Vardekl;

namespace {

std::string utf8(const QString& s) { return s.toStdString(); }

}  // namespace

void frmQuadrix::cmdSpeichern_Click()
{
    fundort::Datensatz d;
    d.gebiet = utf8(txtGebiet->text());
    d.mtb = utf8(txtMTB->text());
    d.gradN = utf8(txtGradN->text());
    d.minN = utf8(txtMinN->text());
    d.sekN = utf8(txtSekN->text());
    d.gradO = utf8(txtGradO->text());
    d.minO = utf8(txtMinO->text());
    d.sekO = utf8(txtSekO->text());
    d.breite = dblBreite;
    d.laenge = dblLaenge;

    if (const auto fehler = Speichern::anhaengen(d, gDatei))
        return Fehlertexte::zeige(m_plattform.meldungen, this, *fehler);
    cmdSpeichern->setEnabled(false);
    if (KartenFenster* k = karte())
        k->setzeFundortdatei(gDatei);  // the new find among the others
}

void frmQuadrix::koordinateGeaendert()
{
    cmdSpeichern->setEnabled(false);
}

void frmQuadrix::cmdNeueDatei_Click()
{
    if (!m_neueDatei) {
        m_neueDatei = new frmNeueDatei(m_plattform);
        connect(m_neueDatei, &frmNeueDatei::angelegt, this, &frmQuadrix::neueDateiAngelegt);
        // When the dialog goes, the user is back here, whatever the window manager does.
        connect(m_neueDatei, &QObject::destroyed, this, [this] {
            if (isVisible())
                activateWindow();
        });
    }
    m_neueDatei->show();
    m_neueDatei->raise();
    m_neueDatei->activateWindow();
    blnNeueDatei = true;
}

void frmQuadrix::neueDateiAngelegt(const QString& datei)
{
    m_angelegt = datei;
    // Normally the window is activated when the dialog closes; if it is
    // active already, take the file over at once.
    if (isActiveWindow())
        Form_Activate();
}
