#include "map/frmKarte.h"

#include "datum/datum.h"
#include "grid/mtb.h"
#include "map/kachelquelle.h"
#include "map/kartenansicht.h"
#include "position/code.h"
#include "position/gms.h"
#include "position/punkt.h"

#include <QLabel>
#include <QVBoxLayout>

#include <cmath>

namespace {

QString gmsText(double grad, char halbkugel)
{
    return QString::fromStdString(quadrix::gms(grad * 60)) + QLatin1Char(halbkugel);
}

}  // namespace

QString frmKarte::vorlageAusUmgebung() { return qEnvironmentVariable("QUADRIX_KACHELN"); }

frmKarte::frmKarte(const quadrix::Transformation* beta, const QString& betaFehler, const QString& cacheOrdner,
                   QWidget* eltern)
    : QWidget(eltern, Qt::Window), m_beta(beta), m_betaFehler(betaFehler)
{
    setObjectName(QStringLiteral("frmKarte"));
    setWindowTitle(QStringLiteral("Karte"));
    Kachelquelle::Quelle quelle = Kachelquelle::topPlusOpen();
    if (const QString vorlage = vorlageAusUmgebung(); !vorlage.isEmpty()) {
        quelle.name = QStringLiteral("QUADRIX_KACHELN");
        quelle.vorlage = vorlage;
        quelle.namensnennung = QStringLiteral("Kacheln: %1").arg(vorlage.section(u'/', 2, 2));
        quelle.verweis.clear();
    }
    m_quelle = std::make_unique<Kachelquelle>(quelle, cacheOrdner);
    m_ansicht = new Kartenansicht(*m_quelle, beta, this);
    m_ansicht->setObjectName(QStringLiteral("ansicht"));
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("status"));
    m_status->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* aufbau = new QVBoxLayout(this);
    aufbau->setContentsMargins(0, 0, 0, 0);
    aufbau->setSpacing(2);
    aufbau->addWidget(m_ansicht, 1);
    aufbau->addWidget(m_status);
    resize(900, 650);
    connect(m_ansicht, &Kartenansicht::zeigerBei, this, &frmKarte::zeigerBei);
    connect(m_ansicht, &Kartenansicht::geklickt, this, &frmKarte::positionGewaehlt);
    connect(m_ansicht, &Kartenansicht::gitterGeaendert, this, &frmKarte::zeigeGitterstand);
    zeigeGitterstand();
}

frmKarte::~frmKarte() = default;

QString frmKarte::status() const { return m_status->text(); }

void frmKarte::melde(const QString& text) { m_status->setText(text); }

void frmKarte::zeigePotsdam(double breite, double laenge)
{
    if (m_beta && !m_beta->vonPotsdam(breite, laenge))
        return;
    m_ansicht->zentriere(breite, laenge, std::max(m_ansicht->zoom(), 13));
}

void frmKarte::zeigeGitterstand()
{
    if (!m_beta)
        m_status->setText(tr("Ohne BETA2007 kein Gitter: %1").arg(m_betaFehler));
    else if (m_ansicht->gitterLuecken())
        m_status->setText(tr("Wo BETA2007 nicht hinreicht, ist kein Gitter gezeichnet."));
    else if (m_ansicht->gitterEbene() < 0)
        m_status->setText(tr("Für das Gitter näher heranzoomen (+ oder Mausrad)."));
}

void frmKarte::zeigerBei(double breite, double laenge)
{
    QString text = QStringLiteral("WGS84 %1° N %2° O").arg(breite, 0, 'f', 5).arg(laenge, 0, 'f', 5);
    double b = breite, l = laenge;
    if (m_beta && m_beta->zuPotsdam(b, l)) {
        text = QStringLiteral("Potsdam %1 %2   ·   ").arg(gmsText(b, 'N'), gmsText(l, 'O')) + text;
        quadrix::Punkt p{quadrix::winkelAusGrad(b), quadrix::winkelAusGrad(l)};
        mtb::Code code;
        if (quadrix::codeImNetz(p, code) == quadrix::Fehler::Keine) {
            std::string c;
            quadrix::schreibeCode(c, code, 5, quadrix::Notation::Schraeg);
            text += QStringLiteral("   ·   MTB %1").arg(QString::fromStdString(c));
        }
    }
    m_status->setText(text);
}
