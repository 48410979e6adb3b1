#include "files/frmNeueDatei.h"

#include "files/fehlertexte.h"
#include "records/fundortformat.h"
#include "platform/gui/aussehen.h"
#include "platform/textdatei.h"
#include "platform/gui/textfeld.h"
#include "common/vardekl.h"

#include <QLabel>
#include <QPushButton>

using namespace Vardekl;

namespace {

const QString Titel = QStringLiteral("Neue Datei");

}  // namespace

frmNeueDatei::frmNeueDatei(Plattform& plattform, QWidget* eltern)
    : QWidget(eltern, Qt::Window), m_plattform(plattform)
{
    setObjectName(QStringLiteral("frmNeueDatei"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(Titel);
    setWindowIcon(quadrixSymbol());
    setFont(fensterSchrift());
    resize(tw(3585), tw(930));

    Label1 = new QLabel(QStringLiteral("Dateiname (ohne Extension)"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setTextFormat(Qt::PlainText);
    Label1->setGeometry(tw(240), tw(120), tw(2175), tw(255));
    txtFilnam = new Textfeld(this);
    txtFilnam->setObjectName(QStringLiteral("txtFilnam"));
    txtFilnam->setGeometry(tw(240), tw(405), tw(1935), tw(285));
    txtFilnam->setText(QStringLiteral("fundorte"));
    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setGeometry(tw(2640), tw(360), tw(495), tw(375));
    cmdOK->setAutoDefault(false);
    setTabOrder(txtFilnam, cmdOK);
    txtFilnam->setFocus();

    txtFilnam->keyPress = [this](std::int16_t& k) { txtFilnam_KeyPress(k); };
    connect(cmdOK, &QPushButton::clicked, this, &frmNeueDatei::cmdOK_Click);
    Form_Load();
}

frmNeueDatei::~frmNeueDatei()
{
    // The box may still lose the focus while the window goes.
    txtFilnam->loesen();
}

void frmNeueDatei::Form_Load()
{
    txtFilnam->setSelection(0, int(txtFilnam->text().size()));
}

void frmNeueDatei::txtFilnam_KeyPress(std::int16_t& KeyAscii)
{
    const bool ok = (KeyAscii >= 'a' && KeyAscii <= 'z') || (KeyAscii >= 'A' && KeyAscii <= 'Z') ||
                    (KeyAscii >= '0' && KeyAscii <= '9') || KeyAscii == '_';
    if (!ok)
        KeyAscii = 0;
}

void frmNeueDatei::cmdOK_Click()
{
    txtFilnam->setFocus();
    txtFilnam->setSelection(0, int(txtFilnam->text().size()));
    const QString datei = gPfad + txtFilnam->text() + QStringLiteral(".txt");

    std::optional<Meldungen::Antwort> antwort;
    if (m_plattform.dateisystem.dateiExistiert(datei))
        antwort = m_plattform.meldungen.zeige(this, QStringLiteral("Die Datei existiert schon! Soll sie überschrieben werden?"),
                                              Meldungen::Knoepfe::JaNeinVorgabeNein, true, Titel);

    if (txtFilnam->text().isEmpty() || antwort == Meldungen::Antwort::Nein) {
        m_plattform.meldungen.zeige(this, QStringLiteral("Filenamen eingeben!"), Meldungen::Knoepfe::OK, true, Titel);
        return;
    }
    const auto ergebnis = textdatei::ersetzen(datei.toStdU16String(), fundort::kopfzeile());
    if (!ergebnis) {
        Fehlertexte::zeige(m_plattform.meldungen, this, Fehlertexte::neueDatei(ergebnis, datei, antwort.has_value()), Titel);
        return;
    }
    gDatei = datei;
    emit angelegt(datei);
    close();
}
