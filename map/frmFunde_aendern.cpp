// The changes of the window "Funde": corrections typed into a cell,
// deleting, undoing, each written safely; and the visible records given out
// in a portal's table.
#include "map/frmFunde.h"

#include "formats/ausfuhr.h"
#include "map/umwandlung.h"
#include "platform/gui/eingaberegeln.h"
#include "platform/gui/meldungen.h"
#include "platform/textdatei.h"
#include "tables/fundpruefung.h"
#include "tables/fundzeilen.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QTableWidget>

#include <algorithm>
#include <set>

namespace {

std::string* feldIn(fundort::Datensatz& d, int spalte)
{
    switch (spalte) {
    case frmFunde::Gebiet: return &d.gebiet;
    case frmFunde::GradN: return &d.gradN;
    case frmFunde::MinN: return &d.minN;
    case frmFunde::SekN: return &d.sekN;
    case frmFunde::GradO: return &d.gradO;
    case frmFunde::MinO: return &d.minO;
    case frmFunde::SekO: return &d.sekO;
    default: return nullptr;
    }
}

int grenzeVon(int spalte)
{
    return spalte == frmFunde::GradN ? 90 : spalte == frmFunde::GradO ? 360 : 60;
}

}  // namespace

void frmFunde::feldGeaendert(int reihe, int spalte, const QString& text)
{
    const int i = zeileVon(reihe);
    if (i < 0 || m_zeilen[static_cast<std::size_t>(i)].art != fundort::Dateizeile::Art::Satz)
        return;
    fundort::Datensatz d = m_zeilen[static_cast<std::size_t>(i)].satz;
    const char sep = m_zeilen[static_cast<std::size_t>(i)].dezimalzeichen;
    std::string* const feld = feldIn(d, spalte);
    if (!feld)
        return;
    const std::string neu = text.toStdString();
    if (*feld == neu)
        return;
    if (spalte == Gebiet) {
        if (const std::string fremd = fundort::fremdesGebietZeichen(neu); !fremd.empty()) {
            m_meldungen.zeige(this, tr("„%1“ nimmt das Feld Gebietsname nicht: der Name bleibt, wie er war.")
                                        .arg(u8(fremd)));
            return fuellen();
        }
    } else if (const QString fehler = eingaberegeln::bereichsFehler(text, grenzeVon(spalte)); !fehler.isEmpty()) {
        m_meldungen.zeige(this, fehler);
        return fuellen();
    }
    *feld = neu;
    const QString spaltenname = tabFunde->horizontalHeaderItem(spalte)->text();
    if (spalte != Gebiet) {
        // The code and decimal degrees anew, exactly as "MTB berechnen" makes them.
        mtb::Fehler fehler;
        if (!quadrix::berechneNeu(d, fehler)) {
            m_meldungen.zeige(this, tr("Diese Position ergibt keinen Code: nichts geändert."));
            return fuellen();
        }
    }
    const fundort::Dateizeile zeile = fundort::neueZeile(d, sep);
    if (zeile.text.empty())
        return fuellen();
    aendere(tr("Zeile %1: %2 „%3“").arg(i + 1).arg(spaltenname, text),
            [i, zeile](std::vector<fundort::Dateizeile>& z) { z[static_cast<std::size_t>(i)] = zeile; });
}

bool frmFunde::aendere(const QString& was, const std::function<void(std::vector<fundort::Dateizeile>&)>& aenderung)
{
    std::vector<fundort::Dateizeile> neu = m_zeilen;
    aenderung(neu);
    Schritt schritt{m_zeilen, neu.size(), was};
    if (!schreibe(neu)) {
        fuellen();
        return false;
    }
    m_rueckgaengig.push_back(std::move(schritt));
    m_zeilen = std::move(neu);
    fuellen();
    lblStatus->setText(tr("Gespeichert: %1. Die vorige Fassung liegt in %2. %3")
                           .arg(was, QFileInfo(sicherungVon(m_datei)).fileName(), lblStatus->text()));
    emit dateiGeaendert();
    return true;
}

bool frmFunde::schreibe(std::vector<fundort::Dateizeile>& zeilen)
{
    const auto pfad = pfadVon(m_datei), sicherung = pfadVon(sicherungVon(m_datei));
    std::string inhalt = fundort::zusammen(zeilen);
    textdatei::Ergebnis e = textdatei::berichtigen(pfad, m_gelesen, inhalt, sicherung);
    if (e.ursache == textdatei::Ursache::Geaendert) {
        std::string jetzt;
        const bool nurAngehaengt = textdatei::lies(pfad, jetzt) && jetzt.size() > m_gelesen.size() &&
                                   jetzt.compare(0, m_gelesen.size(), m_gelesen) == 0 &&
                                   (m_gelesen.empty() || m_gelesen.back() == '\n' || m_gelesen.back() == '\r');
        if (!nurAngehaengt) {
            m_meldungen.zeige(this,
                              tr("Die Datei „%1“ wurde geändert, seit sie gelesen wurde. Sie wird neu gelesen; "
                                 "die Änderung ist nicht gespeichert.")
                                  .arg(m_datei),
                              Meldungen::Knoepfe::OK, true);
            oeffne(m_datei);
            return false;
        }
        const std::vector<fundort::Dateizeile> dazu = quadrix::dateizeilen(std::string_view(jetzt).substr(m_gelesen.size()));
        const auto antwort = m_meldungen.zeige(
            this,
            tr("Ein anderes Programm hat inzwischen %n Zeile(n) an „%1“ angehängt.\n\nDie Änderung trotzdem "
               "speichern? Die angehängten Zeilen bleiben erhalten.",
               nullptr, static_cast<int>(dazu.size()))
                .arg(m_datei),
            Meldungen::Knoepfe::JaNein);
        if (antwort != Meldungen::Antwort::Ja) {
            oeffne(m_datei);
            return false;
        }
        zeilen.insert(zeilen.end(), dazu.begin(), dazu.end());
        inhalt = fundort::zusammen(zeilen);
        m_gelesen = jetzt;
        e = textdatei::berichtigen(pfad, m_gelesen, inhalt, sicherung);
        if (e.ursache == textdatei::Ursache::Geaendert) {
            m_meldungen.zeige(this, tr("Die Datei „%1“ ändert sich weiter: die Änderung ist nicht gespeichert.")
                                        .arg(m_datei));
            oeffne(m_datei);
            return false;
        }
    }
    if (!e) {
        m_meldungen.zeige(this,
                          tr("Die Datei „%1“ wurde nicht geändert: %2").arg(m_datei, u8(textdatei::satz(e))),
                          Meldungen::Knoepfe::OK, true);
        return false;
    }
    m_gelesen = std::move(inhalt);
    return true;
}

void frmFunde::cmdLoeschen_Click()
{
    std::set<int, std::greater<>> weg;
    for (const QModelIndex& i : tabFunde->selectionModel()->selectedRows()) {
        const int z = zeileVon(i.row());
        if (z >= 0 && !tabFunde->isRowHidden(i.row()) &&
            m_zeilen[static_cast<std::size_t>(z)].art == fundort::Dateizeile::Art::Satz)
            weg.insert(z);
    }
    if (weg.empty()) {
        lblStatus->setText(tr("Keine Funde gewählt (fremde Zeilen und die Kopfzeile bleiben stehen)."));
        return;
    }
    const int n = static_cast<int>(weg.size());
    if (m_meldungen.zeige(this, tr("%n gewählte(n) Fund(e) aus der Datei löschen?", nullptr, n),
                          Meldungen::Knoepfe::JaNeinVorgabeNein) != Meldungen::Antwort::Ja)
        return;
    aendere(tr("%n Fund(e) gelöscht", nullptr, n), [weg](std::vector<fundort::Dateizeile>& z) {
        for (int i : weg)
            z.erase(z.begin() + i);
    });
}

void frmFunde::cmdRueckgaengig_Click()
{
    if (m_rueckgaengig.empty())
        return;
    const Schritt& s = m_rueckgaengig.back();
    const QString was = tr("rückgängig gemacht: %1").arg(s.was);
    std::vector<fundort::Dateizeile> neu = s.vorher;
    // Lines appended since the change stay.
    for (std::size_t i = s.nachher; i < m_zeilen.size(); ++i)
        neu.push_back(m_zeilen[i]);
    if (!schreibe(neu))
        return fuellen();
    m_rueckgaengig.pop_back();
    m_zeilen = std::move(neu);
    fuellen();
    lblStatus->setText(tr("Gespeichert: %1. %2").arg(was, lblStatus->text()));
    emit dateiGeaendert();
}

void frmFunde::cmdAusgeben_Click()
{
    const auto profil = static_cast<quadrix::Profil>(cboProfil->currentData().toInt());
    if (!m_beta) {
        m_meldungen.zeige(this, tr("Ohne das Gitter BETA2007 lassen sich die Funde nicht nach WGS84 umrechnen: "
                                   "nichts ausgegeben."));
        return;
    }
    const bool xlsx = profil == quadrix::Profil::Xlsx;
    const QString vorschlag = QFileInfo(m_datei).completeBaseName() + QLatin1Char('_') +
                              QString::fromLatin1(quadrix::name(profil).data(),
                                                  static_cast<qsizetype>(quadrix::name(profil).size())) +
                              (xlsx ? QStringLiteral(".xlsx") : QStringLiteral(".csv"));
    const QString ziel = waehleZiel ? waehleZiel(this, QFileInfo(m_datei).dir().filePath(vorschlag),
                                                 xlsx ? tr("Excel-Arbeitsmappe (*.xlsx)") : tr("CSV-Tabelle (*.csv)"))
                                    : QString();
    if (ziel.isEmpty())
        return;
    // The visible records, in the order shown, as a find-location file.
    std::string auswahl = fundort::kopfzeile();
    int n = 0;
    for (int r = 0; r < tabFunde->rowCount(); ++r) {
        const int i = zeileVon(r);
        if (i >= 0 && !tabFunde->isRowHidden(r) && m_zeilen[static_cast<std::size_t>(i)].art == fundort::Dateizeile::Art::Satz) {
            (auswahl += m_zeilen[static_cast<std::size_t>(i)].text) += "\r\n";
            ++n;
        }
    }
    quadrix::Ausfuhrform form{quadrix::Datum::Potsdam, m_beta, 5, 0, 0, {}, false, false, profil, std::nullopt};
    quadrix::Ausfuhrtafel tafel(nullptr, form);
    QStringList abgelehnt;
    tafel.inhalt(auswahl, [&](long zeile, const char* grund) {
        abgelehnt << tr("Zeile %1: %2").arg(zeile).arg(QString::fromUtf8(grund));
    });
    // Gathered in memory, the table fails only in making its workbook.
    if (!tafel.schluss()) {
        m_meldungen.zeige(this,
                          tr("„%1“ wurde nicht geschrieben: Die Excel-Arbeitsmappe ließ sich im Ordner für "
                             "temporäre Dateien („%2“) nicht anlegen oder nicht schreiben.")
                              .arg(ziel, QDir::toNativeSeparators(QDir::tempPath())),
                          Meldungen::Knoepfe::OK, true);
        return;
    }
    const textdatei::Ergebnis e = textdatei::ersetzen(pfadVon(ziel), tafel.ergebnis());
    if (!e) {
        m_meldungen.zeige(this, tr("„%1“ wurde nicht geschrieben: %2").arg(ziel, u8(textdatei::satz(e))),
                          Meldungen::Knoepfe::OK, true);
        return;
    }
    lblStatus->setText(tr("%n Fund(e) nach „%1“ ausgegeben.", nullptr, n - static_cast<int>(abgelehnt.size())).arg(ziel) +
                       (abgelehnt.isEmpty() ? QString() : tr(" Nicht ausgegeben: %1").arg(abgelehnt.join(QStringLiteral("; ")))));
}
