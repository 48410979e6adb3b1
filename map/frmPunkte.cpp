#include "map/frmPunkte.h"
#include "map/umwandlung.h"

#include "datum/datum.h"
#include "grid/mtb.h"
#include "imports/ordner.h"
#include "platform/ortszeit.h"
#include "position/gms.h"
#include "position/punkt.h"
#include "records/fundortformat.h"
#include "tables/fundpruefung.h"
#include "tables/satzleser.h"

#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <filesystem>
#include <set>

namespace {

enum Spalte { Gebiet, Zeit, Position, Unsicherheit, Code, Hinweis, Spalten };

}  // namespace

frmPunkte::frmPunkte(const quadrix::Transformation* beta, QWidget* eltern)
    : QWidget(eltern, Qt::Window), m_beta(beta)
{
    setObjectName(QStringLiteral("frmPunkte"));
    setWindowTitle(tr("Punkte"));
    lstPunkte = new QTableWidget(0, Spalten, this);
    lstPunkte->setObjectName(QStringLiteral("lstPunkte"));
    lstPunkte->setHorizontalHeaderLabels({tr("Gebietsname"), tr("Zeit"), tr("Position (Potsdam)"), tr("Unsicherheit"),
                                          tr("MTB"), tr("Hinweis")});
    lstPunkte->setSelectionBehavior(QAbstractItemView::SelectRows);
    lstPunkte->setSelectionMode(QAbstractItemView::ExtendedSelection);
    lstPunkte->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                               QAbstractItemView::AnyKeyPressed);
    lstPunkte->horizontalHeader()->setStretchLastSection(true);
    lstPunkte->verticalHeader()->setVisible(false);
    cmdInFelder = new QPushButton(tr("In die &Felder"), this);
    cmdInFelder->setObjectName(QStringLiteral("cmdInFelder"));
    cmdInFelder->setToolTip(tr("Die Position des Punktes in die sechs Felder, wie eine eingefügte GPS-Position"));
    cmdPunkteSpeichern = new QPushButton(tr("Gewählte &speichern"), this);
    cmdPunkteSpeichern->setObjectName(QStringLiteral("cmdPunkteSpeichern"));
    cmdPunkteSpeichern->setToolTip(tr("Die gewählten Punkte als Fundorte an die Datei der Fundorte anhängen, "
                                      "alle in einem Schritt"));
    txtUhrversatz = new QLineEdit(this);
    txtUhrversatz->setObjectName(QStringLiteral("txtUhrversatz"));
    txtUhrversatz->setPlaceholderText(tr("0"));
    txtUhrversatz->setToolTip(tr("So viele Sekunden zur Uhr der Kamera zählen: -3600 oder -1:00:00, wenn sie eine "
                                 "Stunde vorging"));
    txtZeitzone = new QLineEdit(this);
    txtZeitzone->setObjectName(QStringLiteral("txtZeitzone"));
    txtZeitzone->setPlaceholderText(tr("des Rechners"));
    txtZeitzone->setToolTip(tr("Die Zeitzone der Kamerauhr, etwa +02:00 (Sommerzeit), wo das Foto keine nennt"));
    cmdNeuLegen = new QPushButton(tr("Neu &legen"), this);
    cmdNeuLegen->setObjectName(QStringLiteral("cmdNeuLegen"));
    cmdNeuLegen->setToolTip(tr("Die Fotos ohne Position mit diesen Angaben noch einmal auf die Spur legen"));
    lblStatus = new QLabel(this);
    lblStatus->setObjectName(QStringLiteral("lblStatus"));
    lblStatus->setWordWrap(true);
    lblStatus->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* knoepfe = new QHBoxLayout;
    knoepfe->addWidget(cmdInFelder);
    knoepfe->addWidget(cmdPunkteSpeichern);
    knoepfe->addStretch(1);
    auto* uhr = new QLabel(tr("Fotos ohne Position: &Uhr der Kamera"), this);
    uhr->setBuddy(txtUhrversatz);
    auto* zone = new QLabel(tr("&Zeitzone"), this);
    zone->setBuddy(txtZeitzone);
    knoepfe->addWidget(uhr);
    knoepfe->addWidget(txtUhrversatz);
    knoepfe->addWidget(zone);
    knoepfe->addWidget(txtZeitzone);
    knoepfe->addWidget(cmdNeuLegen);
    for (QLineEdit* e : {txtUhrversatz, txtZeitzone}) {
        e->setMaximumWidth(90);
        connect(e, &QLineEdit::returnPressed, this, &frmPunkte::cmdNeuLegen_Click);
    }
    auto* aufbau = new QVBoxLayout(this);
    aufbau->addWidget(lstPunkte, 1);
    aufbau->addLayout(knoepfe);
    aufbau->addWidget(lblStatus);
    resize(900, 360);

    connect(cmdInFelder, &QPushButton::clicked, this, &frmPunkte::cmdInFelder_Click);
    connect(cmdPunkteSpeichern, &QPushButton::clicked, this, &frmPunkte::cmdPunkteSpeichern_Click);
    connect(cmdNeuLegen, &QPushButton::clicked, this, &frmPunkte::cmdNeuLegen_Click);
    connect(lstPunkte, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* it) {
        if (!m_fuellen && it->column() == Gebiet) {
            vergleicheMitDatei();
            hinweisZeigen(it->row());
        }
    });
    connect(lstPunkte, &QTableWidget::currentCellChanged, this, [this](int zeile) { emit gewaehlt(zeile); });
}

void frmPunkte::lies(const QStringList& pfade)
{
    // Track points place the photos without a position; the other points are listed.
    quadrix::Spur& spur = m_spur;
    std::vector<std::pair<quadrix::Fundpunkt, QString>> gelesen;
    QStringList fehler;
    const auto datei = [&](const std::filesystem::path& p) {
        const std::u8string n = p.u8string();
        const QString name = QString::fromUtf8(reinterpret_cast<const char*>(n.data()), static_cast<qsizetype>(n.size()));
        std::FILE* f = quadrix::oeffneLesend(p);
        if (!f) {
            fehler << tr("%1: Datei kann nicht gelesen werden").arg(name);
            return;
        }
        const std::u8string kurz = p.filename().u8string();
        const quadrix::Leseergebnis e = quadrix::lesePunkte(
            f, std::string(kurz.begin(), kurz.end()), [&](const quadrix::Fundpunkt& q) {
                if (q.art == quadrix::Punktart::Spurpunkt)
                    spur.nimm(q);
                else
                    gelesen.emplace_back(q, name);
            });
        std::fclose(f);
        if (e.grund != quadrix::Lesegrund::Keiner)
            fehler << tr("%1: %2").arg(name, QString::fromUtf8(quadrix::text(e.grund)));
    };
    for (const QString& pfad : pfade) {
        const std::filesystem::path p = pfadVon(pfad);
        std::error_code f;
        if (!std::filesystem::is_directory(p, f)) {
            datei(p);
            continue;
        }
        quadrix::durchlaufe(p, [&](const std::filesystem::path& d, quadrix::Lesegrund g) {
            if (g == quadrix::Lesegrund::Keiner)
                datei(d);
            else
                fehler << tr("%1: %2").arg(QString::fromStdU16String(d.u16string()), QString::fromUtf8(quadrix::text(g)));
        });
    }
    spur.ordne();
    quadrix::Zeitwahl zeit;
    if (!zeitwahl(zeit))
        zeit = {};
    zeit.ortszeit = [](std::int64_t lokal) { return ortszeit::versatz(lokal); };
    const std::size_t vorher = m_eintraege.size();
    for (auto& [punkt, name] : gelesen) {
        std::optional<quadrix::Fundpunkt> ungelegt;
        if (punkt.art == quadrix::Punktart::Foto && punkt.grund == quadrix::Punktgrund::OhnePosition) {
            ungelegt = punkt;
            if (!spur.leer())
                punkt.grund = spur.lege(punkt, zeit);
        }
        m_eintraege.push_back(eintragVon(punkt, name));
        m_eintraege.back().ungelegt = std::move(ungelegt);
    }
    m_fuellen = true;
    lstPunkte->setRowCount(static_cast<int>(m_eintraege.size()));
    for (std::size_t i = vorher; i < m_eintraege.size(); ++i)
        zeileZeigen(static_cast<int>(i));
    m_fuellen = false;
    vergleicheMitDatei();
    for (int i = 0; i < lstPunkte->rowCount(); ++i)
        hinweisZeigen(i);
    lstPunkte->resizeColumnsToContents();
    QString text = tr("%1 Punkte gelesen").arg(m_eintraege.size() - vorher);
    if (spur.groesse() > 0)
        text += tr("; eine Spur mit %1 Punkten legt Fotos ohne Position nach ihrer Aufnahmezeit (Zeitzone des "
                   "Rechners)")
                    .arg(spur.groesse());
    if (!fehler.isEmpty())
        text += tr(". Nicht gelesen: %1").arg(fehler.join(QStringLiteral("; ")));
    lblStatus->setText(text + u'.');
    emit punkteGeaendert();
}

frmPunkte::Eintrag frmPunkte::eintragVon(const quadrix::Fundpunkt& p, const QString& datei) const
{
    Eintrag e;
    e.punkt = p;
    e.datei = datei;
    if (p.grund == quadrix::Punktgrund::OhnePosition && p.art == quadrix::Punktart::Foto)
        e.hindernis = tr("ein Foto ohne Position; eine GPX-Spur mit Zeiten dazu eingelesen legt es nach seiner "
                         "Aufnahmezeit");
    else if (p.grund != quadrix::Punktgrund::Keiner)
        e.hindernis = QString::fromUtf8(quadrix::text(p.grund));
    quadrix::Punkt punkt;
    quadrix::Lage lage;
    if (e.hindernis.isEmpty()) {
        // As a pasted GPS position: WGS84 through BETA2007 to Potsdam, whole seconds.
        if (quadrix::lesePunkt(p.breite + ' ' + p.laenge, punkt) != quadrix::Fehler::Keine)
            e.hindernis = tr("keine Position in Deutschland (südlich oder westlich)");
        else if (!m_beta)
            e.hindernis = tr("ohne BETA2007 keine Umrechnung nach Potsdam");
        else if (quadrix::verorte(punkt, quadrix::Datum::Wgs84, m_beta, quadrix::AufPotsdam, lage) !=
                 quadrix::Umrechnungsfehler::Keine)
            e.hindernis = tr("außerhalb des Gebiets von BETA2007 (Deutschland)");
    }
    if (e.hindernis.isEmpty()) {
        e.breite = quadrix::grad(punkt.breite);
        e.laenge = quadrix::grad(punkt.laenge);
        e.nord = quadrix::ganzeSekunden(lage.potsdam->breite);
        e.ost = quadrix::ganzeSekunden(lage.potsdam->laenge);
        fundort::Datensatz d;
        if (mtb::Fehler f; quadrix::berechneNeu(d, *e.nord, *e.ost, f))
            e.code = QString::fromStdString(d.mtb);
        else
            e.hindernis = tr("außerhalb des Blattnetzes");
    }
    return e;
}

void frmPunkte::zeileZeigen(int i, bool mitName)
{
    const Eintrag& e = m_eintraege[static_cast<std::size_t>(i)];
    m_fuellen = true;
    const auto nurLesen = [](const QString& t) {
        auto* it = new QTableWidgetItem(t);
        it->setFlags(it->flags() & ~Qt::ItemIsEditable);
        return it;
    };
    if (mitName)
        lstPunkte->setItem(i, Gebiet, new QTableWidgetItem(u8(e.punkt.name)));
    lstPunkte->setItem(i, Zeit, nurLesen(u8(e.punkt.zeit)));
    lstPunkte->setItem(i, Position, nurLesen(e.nord ? u8(quadrix::punktLesbar(*e.nord, *e.ost)) : QString()));
    lstPunkte->setItem(i, Unsicherheit,
                       nurLesen(e.punkt.unsicherheit ? QLocale(QLocale::German).toString(*e.punkt.unsicherheit) +
                                                           QStringLiteral(" m")
                                                     : QString()));
    lstPunkte->setItem(i, Code, nurLesen(e.code));
    lstPunkte->setItem(i, Hinweis, nurLesen({}));
    lstPunkte->item(i, Gebiet)->setToolTip(e.datei);
    m_fuellen = false;
}

QString frmPunkte::gebiet(int zeile) const
{
    const QTableWidgetItem* it = lstPunkte->item(zeile, Gebiet);
    return it ? it->text() : QString();
}

QString frmPunkte::namensHindernis(int zeile) const
{
    const QString name = gebiet(zeile);
    if (name.isEmpty())
        return tr("ohne Gebietsnamen: bitte einen eintragen");
    const std::string fremd = fundort::fremdesGebietZeichen(name.toStdString());
    if (!fremd.empty())
        return tr("„%1“ nimmt das Feld Gebietsname nicht (nur Buchstaben, Ziffern, ä ö ü, Leerzeichen, _ / . -): "
                  "bitte den Namen ändern")
            .arg(u8(fremd));
    return {};
}

void frmPunkte::hinweisZeigen(int zeile)
{
    const Eintrag& e = m_eintraege[static_cast<std::size_t>(zeile)];
    QStringList teile;
    if (!e.hindernis.isEmpty())
        teile << e.hindernis;
    else if (const QString n = namensHindernis(zeile); !n.isEmpty())
        teile << n;
    if (e.schonInDatei)
        teile << tr("Name und Code stehen schon in der Datei der Fundorte");
    m_fuellen = true;
    lstPunkte->item(zeile, Hinweis)->setText(teile.join(QStringLiteral("; ")));
    lstPunkte->item(zeile, Hinweis)->setToolTip(teile.join(QStringLiteral(";\n")));
    const QColor farbe = !e.hindernis.isEmpty() || !namensHindernis(zeile).isEmpty() ? QColor(255, 225, 225)
                         : e.schonInDatei                                              ? QColor(255, 245, 200)
                                                                                       : QColor();
    for (int s = 0; s < Spalten; ++s)
        lstPunkte->item(zeile, s)->setBackground(farbe.isValid() ? QBrush(farbe) : QBrush());
    m_fuellen = false;
}

void frmPunkte::vergleicheMitDatei()
{
    std::set<std::pair<std::string, std::string>> vorhanden;
    QFile f(m_ziel.datei ? m_ziel.datei() : QString());
    if (!f.fileName().isEmpty() && f.open(QIODevice::ReadOnly)) {
        const QByteArray inhalt = f.readAll();
        quadrix::Satzleser leser(std::string_view(inhalt.constData(), static_cast<std::size_t>(inhalt.size())));
        quadrix::Satzleser::Zeile z;
        quadrix::Eintrag e;
        while (leser.naechste(z))
            if (!z.teil && z.art == quadrix::Satzleser::Zeile::Art::Daten &&
                leser.tabelle().art() == quadrix::Tabelle::Art::Fundorte) {
                leser.eintrag(z.text, e);
                vorhanden.emplace(leser.alsUtf8(e.felder[0]), leser.alsUtf8(e.felder[1]));
            }
    }
    for (std::size_t i = 0; i < m_eintraege.size(); ++i) {
        Eintrag& e = m_eintraege[i];
        e.schonInDatei = !e.code.isEmpty() &&
                         vorhanden.count({gebiet(static_cast<int>(i)).toStdString(), e.code.toStdString()}) > 0;
    }
}

void frmPunkte::cmdInFelder_Click()
{
    const int zeile = lstPunkte->currentRow();
    if (zeile < 0)
        return lblStatus->setText(tr("Erst einen Punkt in der Liste wählen."));
    const Eintrag& e = m_eintraege[static_cast<std::size_t>(zeile)];
    if (!e.nord)
        return lblStatus->setText(tr("„%1“ hat keine Position zum Übernehmen: %2").arg(gebiet(zeile), e.hindernis));
    if (m_ziel.inFelder)
        m_ziel.inFelder(u8(e.punkt.breite + ' ' + e.punkt.laenge));
}

void frmPunkte::cmdPunkteSpeichern_Click()
{
    std::vector<int> zeilen;
    for (const QModelIndex& i : lstPunkte->selectionModel()->selectedRows())
        zeilen.push_back(i.row());
    std::sort(zeilen.begin(), zeilen.end());
    if (zeilen.empty())
        return lblStatus->setText(tr("Keine Punkte gewählt: die zu speichernden in der Liste markieren "
                                     "(Strg oder Umschalt mit Klick für mehrere)."));
    std::vector<Fundortwunsch> wuensche;
    for (const int z : zeilen) {
        const Eintrag& e = m_eintraege[static_cast<std::size_t>(z)];
        const QString grund = !e.hindernis.isEmpty() ? e.hindernis : namensHindernis(z);
        if (!grund.isEmpty())
            return lblStatus->setText(tr("Nichts gespeichert: Zeile %1 („%2“): %3.").arg(z + 1).arg(gebiet(z), grund));
        wuensche.push_back({gebiet(z), *e.nord, *e.ost});
    }
    if (!m_ziel.speichern || !m_ziel.datei || m_ziel.datei().isEmpty())
        return lblStatus->setText(tr("Nichts gespeichert: erst im Hauptfenster eine Datei der Fundorte wählen."));
    if (!m_ziel.speichern(wuensche))
        return lblStatus->setText(tr("Nichts gespeichert (die Meldung des Hauptfensters sagt, warum)."));
    lblStatus->setText(tr("%1 Fundorte in einem Schritt an %2 angehängt.")
                           .arg(wuensche.size())
                           .arg(QFileInfo(m_ziel.datei()).fileName()));
    vergleicheMitDatei();
    for (const int z : zeilen)
        hinweisZeigen(z);
}

std::vector<QPointF> frmPunkte::orte() const
{
    std::vector<QPointF> o;
    for (const Eintrag& e : m_eintraege)
        if (e.nord)
            o.emplace_back(e.laenge, e.breite);
    return o;
}

std::optional<QPointF> frmPunkte::ort(int zeile) const
{
    if (zeile < 0 || static_cast<std::size_t>(zeile) >= m_eintraege.size() || !m_eintraege[static_cast<std::size_t>(zeile)].nord)
        return std::nullopt;
    const Eintrag& e = m_eintraege[static_cast<std::size_t>(zeile)];
    return QPointF(e.laenge, e.breite);
}

QString frmPunkte::status() const { return lblStatus->text(); }
