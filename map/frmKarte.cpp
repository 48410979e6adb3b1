#include "map/frmKarte.h"

#include "datum/datum.h"
#include "cells/umriss.h"
#include "grid/mtb.h"
#include "map/kachelquelle.h"
#include "map/kartenansicht.h"
#include "orte/orte.h"
#include "position/code.h"
#include "position/gms.h"
#include "position/punkt.h"
#include "position/texte.h"
#include "tables/satzleser.h"
#include "tables/zeilenleser.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPushButton>
#include <QLabel>
#include <QSettings>
#include <QLineEdit>
#include <QUrl>
#include <QVBoxLayout>
#include <QLocale>

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

// Karte.ini where the platform keeps a user's settings (~/.config/Quadrix on
// Linux, %APPDATA%\\Quadrix on Windows): not in the registry key the
// installer owns.
QSettings karteneinstellungen()
{
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Quadrix"), QStringLiteral("Karte"));
}

// The source of a choice: 0 TopPlusOpen, 1 OpenStreetMap, 2 a template of
// the user's own (its attribution the server's name when none is given).
Kachelquelle::Quelle quelleFuer(int art, const QString& vorlage, const QString& namensnennung)
{
    if (art == 1)
        return Kachelquelle::openStreetMap();
    if (art != 2)
        return Kachelquelle::topPlusOpen();
    return {QStringLiteral("eigene"), vorlage, namensnennung.isEmpty() ? vorlage.section(u'/', 2, 2) : namensnennung,
            {}, 0};
}

// Whole seconds, as a click takes them, with no-break spaces inside.
QString gmsText(double grad, char halbkugel)
{
    return QString::fromStdString(
        quadrix::gmsLesbar(quadrix::ganzeSekunden(quadrix::winkelAusGrad(grad)), halbkugel));
}

// A tile template the map can use: http or https, a server, {z}, {x} and {y}.
bool vorlageGueltig(const QString& vorlage)
{
    const QUrl url(vorlage);
    return (url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https")) &&
           !url.host().isEmpty() && vorlage.contains(QLatin1String("{z}")) &&
           vorlage.contains(QLatin1String("{x}")) && vorlage.contains(QLatin1String("{y}"));
}

// The view of the last session, where Karte.ini holds a usable one.
bool gueltigeAnsicht(const QSettings& e, double& breite, double& laenge, int& zoom)
{
    bool b = false, l = false, z = false;
    breite = e.value(QStringLiteral("breite")).toDouble(&b);
    laenge = e.value(QStringLiteral("laenge")).toDouble(&l);
    zoom = e.value(QStringLiteral("zoom")).toInt(&z);
    return b && l && z && std::isfinite(breite) && std::isfinite(laenge) && std::abs(breite) <= 85 &&
           std::abs(laenge) <= 180 && zoom >= Kartenansicht::MinZoom && zoom <= Kartenansicht::MaxZoom;
}

}  // namespace

QStringList frmKarteDateiwahl(QWidget* eltern);  // frmKarte_punkte.cpp

QString frmKarte::vorlageAusUmgebung() { return qEnvironmentVariable("QUADRIX_KACHELN"); }

frmKarte::frmKarte(const quadrix::Transformation* beta, const QString& betaFehler, const QString& cacheOrdner,
                   QWidget* eltern)
    : QWidget(eltern, Qt::Window), waehleDateien(frmKarteDateiwahl), m_beta(beta), m_betaFehler(betaFehler)
{
    setObjectName(QStringLiteral("frmKarte"));
    setWindowTitle(QStringLiteral("Karte"));
    m_cacheOrdner = cacheOrdner;
    QSettings einstellungen = karteneinstellungen();
    int art = std::clamp(einstellungen.value(QStringLiteral("quelle"), 0).toInt(), 0, 2);
    QString hinweis;
    const QString eigene = einstellungen.value(QStringLiteral("vorlage")).toString();
    if (art == 2 && !vorlageGueltig(eigene)) {
        hinweis = tr("Die eigene Kachelquelle „%1“ ist keine Adresse mit http(s), {z}, {x} und {y}: gezeigt wird "
                     "TopPlusOpen.")
                      .arg(eigene);
        art = 0;
    }
    Kachelquelle::Quelle quelle =
        quelleFuer(art, eigene, einstellungen.value(QStringLiteral("namensnennung")).toString());
    // An administrator's source from the environment rules, where it is usable.
    const QString umgebung = vorlageAusUmgebung();
    const bool ausUmgebung = vorlageGueltig(umgebung);
    if (ausUmgebung)
        quelle = {QStringLiteral("umgebung"), umgebung,
                  QStringLiteral("Kacheln: %1").arg(umgebung.section(u'/', 2, 2)), {}, 0};
    else if (!umgebung.isEmpty())
        hinweis = tr("QUADRIX_KACHELN „%1“ ist keine Adresse mit http(s), {z}, {x} und {y} und bleibt unbeachtet.")
                      .arg(umgebung);
    m_quelle = std::make_unique<Kachelquelle>(quelle, cacheOrdner + u'/' + quelle.name);
    m_ansicht = new Kartenansicht(*m_quelle, beta, this);
    m_ansicht->setObjectName(QStringLiteral("ansicht"));
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("status"));
    m_status->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // A long line wraps: the window keeps the size the user gave it.
    m_status->setWordWrap(true);
    m_status->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    m_suche = new QLineEdit(this);
    m_suche->setObjectName(QStringLiteral("suche"));
    m_suche->setPlaceholderText(tr("Suchen: Code wie 5818/3/3, Position wie 50 07 20 8 41 30 oder Ort, dann Eingabe"));
    m_suche->setClearButtonEnabled(true);
    m_quellenwahl = new QComboBox(this);
    m_quellenwahl->setObjectName(QStringLiteral("quellenwahl"));
    m_quellenwahl->addItems({tr("TopPlusOpen (BKG)"), tr("OpenStreetMap"), tr("Eigene Kachelquelle")});
    m_quellenwahl->setCurrentIndex(art);
    if (ausUmgebung) {
        // Shown as what it is, and nothing here changes it.
        m_quellenwahl->addItem(tr("Vorgabe: QUADRIX_KACHELN"));
        m_quellenwahl->setCurrentIndex(3);
        m_quellenwahl->setToolTip(umgebung);
        art = 3;
    }
    m_quellenwahl->setEnabled(!ausUmgebung);
    m_eigeneVorlage = new QLineEdit(eigene, this);
    m_eigeneVorlage->setObjectName(QStringLiteral("eigeneVorlage"));
    m_eigeneVorlage->setPlaceholderText(QStringLiteral("https://…/{z}/{x}/{y}.png"));
    m_eigeneNennung = new QLineEdit(einstellungen.value(QStringLiteral("namensnennung")).toString(), this);
    m_eigeneNennung->setObjectName(QStringLiteral("eigeneNennung"));
    m_eigeneNennung->setPlaceholderText(tr("Namensnennung, etwa © Landesamt (Jahr)"));
    for (QLineEdit* e : {m_eigeneVorlage, m_eigeneNennung}) {
        e->setVisible(art == 2);
        e->setEnabled(!ausUmgebung);
        connect(e, &QLineEdit::returnPressed, this,
                [this] { waehleQuelle(2, m_eigeneVorlage->text(), m_eigeneNennung->text()); });
    }
    connect(m_quellenwahl, &QComboBox::activated, this, [this](int i) {
        m_eigeneVorlage->setVisible(i == 2);
        m_eigeneNennung->setVisible(i == 2);
        if (i < 2 || vorlageGueltig(m_eigeneVorlage->text()))
            waehleQuelle(i, m_eigeneVorlage->text(), m_eigeneNennung->text());
    });
    m_fundeZeigen = new QCheckBox(tr("&Funde zeigen"), this);
    m_fundeZeigen->setObjectName(QStringLiteral("fundeZeigen"));
    m_fundeZeigen->setToolTip(tr("Die Funde der gewählten Datei der Fundorte als Punkte (nur gelesen)"));
    connect(m_fundeZeigen, &QCheckBox::toggled, this, &frmKarte::fundeLesen);
    m_punkteEinlesen = new QPushButton(tr("&Punkte einlesen …"), this);
    m_punkteEinlesen->setObjectName(QStringLiteral("cmdPunkteEinlesen"));
    m_punkteEinlesen->setToolTip(tr("GPS-Dateien (GPX, KML, KMZ, GeoJSON) und Fotos mit Position einlesen; sie "
                                    "lassen sich auch auf die Karte oder das Hauptfenster ziehen"));
    connect(m_punkteEinlesen, &QPushButton::clicked, this, [this] {
        const QStringList dateien = waehleDateien(this);
        if (!dateien.isEmpty())
            punkteEinlesen(dateien);
    });
    setAcceptDrops(true);
    auto* leiste = new QHBoxLayout;
    leiste->setContentsMargins(2, 2, 2, 0);
    leiste->addWidget(m_suche, 2);
    leiste->addWidget(m_punkteEinlesen);
    leiste->addWidget(m_fundeZeigen);
    leiste->addWidget(m_quellenwahl);
    leiste->addWidget(m_eigeneVorlage, 2);
    leiste->addWidget(m_eigeneNennung, 1);
    auto* aufbau = new QVBoxLayout(this);
    aufbau->setContentsMargins(0, 0, 0, 0);
    aufbau->setSpacing(2);
    aufbau->addLayout(leiste);
    aufbau->addWidget(m_ansicht, 1);
    aufbau->addWidget(m_status);
    connect(m_suche, &QLineEdit::returnPressed, this, [this] { suche(m_suche->text()); });
    connect(m_ansicht, &Kartenansicht::verweisGeklickt, this, [this](const QUrl& verweis) {
        if (!oeffneVerweis(verweis))
            m_status->setText(tr("Die Seite ließ sich nicht öffnen: %1").arg(verweis.toString()));
    });
    resize(900, 650);
    connect(m_ansicht, &Kartenansicht::zeigerBei, this, &frmKarte::zeigerBei);
    connect(m_ansicht, &Kartenansicht::geklickt, this, &frmKarte::geklickt);
    connect(m_ansicht, &Kartenansicht::gitterGeaendert, this, &frmKarte::zeigeGitterstand);
    // Where the map was when it was last closed; anything unreadable or out
    // of range there (a hand-edited file), the view over Germany.
    double breite = 0, laenge = 0;
    int zoom = 0;
    if (gueltigeAnsicht(einstellungen, breite, laenge, zoom))
        m_ansicht->zentriere(breite, laenge, zoom);
    else
        m_ansicht->zentriere(51.2, 10.4, 6);
    zeigeGitterstand();
    if (!hinweis.isEmpty())
        m_status->setText(hinweis);
}

void frmKarte::waehleQuelle(int art, const QString& vorlage, const QString& namensnennung)
{
    // The administrator's source is not the user's to change.
    if (vorlageGueltig(vorlageAusUmgebung()))
        return;
    if (art == 2 && !vorlageGueltig(vorlage)) {
        m_status->setText(tr("Eine eigene Kachelquelle braucht eine Adresse mit http:// oder https://, {z}, {x} und {y}."));
        return;
    }
    const Kachelquelle::Quelle q = quelleFuer(art, vorlage, namensnennung);
    QSettings einstellungen = karteneinstellungen();
    einstellungen.setValue(QStringLiteral("quelle"), art);
    if (art == 2) {
        einstellungen.setValue(QStringLiteral("vorlage"), q.vorlage);
        einstellungen.setValue(QStringLiteral("namensnennung"), namensnennung);
    }
    m_quellenwahl->setCurrentIndex(art);
    auto neu = std::make_unique<Kachelquelle>(q, m_cacheOrdner + u'/' + q.name);
    m_ansicht->setzeQuelle(*neu);
    m_quelle = std::move(neu);
    m_status->setText(tr("Kachelquelle: %1").arg(q.namensnennung));
}

void frmKarte::closeEvent(QCloseEvent* e)
{
    double b = 0, l = 0;
    m_ansicht->mitte(b, l);
    QSettings einstellungen = karteneinstellungen();
    einstellungen.setValue(QStringLiteral("breite"), b);
    einstellungen.setValue(QStringLiteral("laenge"), l);
    einstellungen.setValue(QStringLiteral("zoom"), m_ansicht->zoom());
    QWidget::closeEvent(e);
}

frmKarte::~frmKarte() = default;

void frmKarte::beiKlick(std::function<void(double, double)> nimm)
{
    connect(this, &frmKarte::positionGewaehlt, this, std::move(nimm));
}

QString frmKarte::status() const { return m_status->text(); }

void frmKarte::melde(const QString& text) { m_status->setText(text); }

void frmKarte::zeigePotsdam(double breite, double laenge)
{
    // The level-5 cell of the point, its outline carried to ETRS89 as the grid's lines are.
    std::vector<QPointF> zelle;
    quadrix::Umriss u;
    const quadrix::Punkt p{quadrix::winkelAusGrad(breite), quadrix::winkelAusGrad(laenge)};
    if (m_beta && quadrix::codeImNetz(p, u.mtbCode) == quadrix::Fehler::Keine) {
        u.ebenen = 5;
        u.rechteck = mtb::zelle(u.mtbCode.zeile, u.mtbCode.spalte, u.mtbCode.quadranten, 5);
        for (const quadrix::Grad2& g : quadrix::umrissPunkte(u)) {
            double b = g.breite, l = g.laenge;
            if (!m_beta->vonPotsdam(b, l)) {
                zelle.clear();
                break;
            }
            zelle.emplace_back(l, b);
        }
    }
    double b = breite, l = laenge;
    if (m_beta && !m_beta->vonPotsdam(b, l)) {
        m_ansicht->markeLoeschen();
        m_status->setText(tr("Dort gilt BETA2007 nicht: der Punkt der Felder ist nicht gezeigt."));
        return;
    }
    m_ansicht->setzeMarke(QPointF(l, b), zelle);
    m_ansicht->zentriere(b, l, std::max(m_ansicht->zoom(), 14));
}

void frmKarte::setzeFundortdatei(const QString& datei)
{
    m_fundortdatei = datei;
    fundeLesen();
    fundeNeuLesen();
}

void frmKarte::fundeLesen()
{
    std::vector<QPointF> funde;
    QFile f(m_fundortdatei);
    if (m_fundeZeigen->isChecked() && !m_fundortdatei.isEmpty() && f.open(QIODevice::ReadOnly)) {
        // Read as mtbq reads find-location files: records on the Potsdam datum.
        const QByteArray inhalt = f.readAll();
        quadrix::Satzleser leser(std::string_view(inhalt.constData(), static_cast<std::size_t>(inhalt.size())));
        quadrix::Satzleser::Zeile z;
        quadrix::Eintrag e;
        using Art = quadrix::Satzleser::Zeile::Art;
        long ausgelassen = 0;
        while (leser.naechste(z)) {
            if (z.teil || z.art == Art::Kopf || z.art == Art::Leer)
                continue;
            const bool gelesen = z.art == Art::Daten && leser.tabelle().art() == quadrix::Tabelle::Art::Fundorte &&
                                 leser.eintrag(z.text, e).keiner();
            double b = gelesen ? quadrix::grad(e.punkt.breite) : 0, l = gelesen ? quadrix::grad(e.punkt.laenge) : 0;
            if (gelesen && (!m_beta || m_beta->vonPotsdam(b, l)))
                funde.emplace_back(l, b);
            else
                ++ausgelassen;
        }
        const QString name = QFileInfo(m_fundortdatei).fileName();
        QString text = funde.size() == 1 ? tr("1 Fund aus %1").arg(name)
                                         : tr("%1 Funde aus %2").arg(QLocale(QLocale::German).toString(qlonglong(funde.size())), name);
        if (ausgelassen > 0)
            text += ausgelassen == 1 ? tr("; 1 Zeile ohne lesbare Position in Deutschland ausgelassen")
                                     : tr("; %1 Zeilen ohne lesbare Position in Deutschland ausgelassen")
                                           .arg(QLocale(QLocale::German).toString(qlonglong(ausgelassen)));
        m_status->setText(text);
    }
    m_ansicht->setzeFunde(std::move(funde));
}

void frmKarte::zeigeGitterstand()
{
    if (!m_beta)
        m_status->setText(tr("Ohne BETA2007 kein Gitter: %1").arg(m_betaFehler));
    else if (m_ansicht->gitterLuecken())
        m_status->setText(tr("Wo BETA2007 nicht hinreicht, ist kein Gitter gezeichnet."));
    else if (m_ansicht->gitterEbene() < 0)
        m_status->setText(tr("Für das Gitter näher heranzoomen (+ oder Mausrad)."));
    else if (!m_status->text().startsWith(QLatin1String("Potsdam")))
        m_status->clear();
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
    text += QStringLiteral("   ·   ") + QString::fromStdString(orte::beschreibung(breite, laenge));
    m_status->setText(text);
}
