// The window "Funde": the records of the chosen find-location file, one row
// each (area name, code, degrees, minutes and seconds, decimal degrees),
// sortable and filtered by text and by the start of the code. Area names
// and positions are corrected in place, with the key filters and range
// checks of the main window's boxes and the code computed again as "MTB
// berechnen" computes it; records are deleted; the last change is undone.
// Each change rewrites the file safely (textdatei::berichtigen): only while
// it holds what was read, the previous version kept beside it as .bak,
// every untouched line byte for byte. Lines the program could not have
// written are shown as such and never changed. The visible records go out
// in the table of a portal (the profiles of formats/ausfuhr.h).
#pragma once

#include "records/fundliste.h"

#include <QPointF>
#include <QWidget>

#include <functional>
#include <optional>
#include <string>
#include <vector>

class Meldungen;
class QComboBox;
class QLabel;
class QLineEdit;
class QModelIndex;
class QPushButton;
class QTableWidget;
namespace quadrix {
class Transformation;
}

class frmFunde : public QWidget {
    Q_OBJECT
public:
    enum Spalte { Nr, Gebiet, Mtb, GradN, MinN, SekN, GradO, MinO, SekO, Breite, Laenge, Hinweis, Spalten };

    frmFunde(const quadrix::Transformation* beta, Meldungen& meldungen, QWidget* eltern = nullptr);

    // Reads the file (again); false, said in the status line, when it cannot be read.
    bool oeffne(const QString& datei);
    QString datei() const { return m_datei; }
    // Where the previous version of the file is kept.
    static QString sicherungVon(const QString& datei) { return datei + QStringLiteral(".bak"); }
    QString status() const;
    QTableWidget* tabelle() const { return tabFunde; }

    // The positions (WGS84, longitude as x) of the selected records, for the
    // map's marks; of one row, if it is a record.
    std::vector<QPointF> gewaehlteOrte() const;
    std::optional<QPointF> ort(int zeile) const;
    // Makes the visible record nearest to a point clicked on the map the
    // current row, if abstand (in the map's pixels) is at most hoechstens.
    bool waehleBei(const std::function<double(const QPointF&)>& abstand, double hoechstens);

    // A correction typed into a cell (the delegate's commit): checked, then written.
    void feldGeaendert(int zeile, int spalte, const QString& text);

    // Where an export goes (tests put a name here): the parent, a proposed
    // name and the file dialog's filter; empty: cancelled.
    std::function<QString(QWidget*, const QString&, const QString&)> waehleZiel;

signals:
    void auswahlGeaendert();
    void gewaehlt(int zeile);
    // The file was rewritten: the map reads its dots again.
    void dateiGeaendert();

private:
    void fuellen();
    void filtern();
    void cmdLoeschen_Click();
    void cmdRueckgaengig_Click();
    void cmdAusgeben_Click();
    // The line of the file a row shows (-1: none).
    int zeileVon(int reihe) const;
    // A change to the lines: made on a copy and written; false when not written.
    bool aendere(const QString& was, const std::function<void(std::vector<fundort::Dateizeile>&)>& aenderung);
    // Writes these lines over what was read; lines appended meanwhile by
    // another program are added to zeilen when the user agrees.
    bool schreibe(std::vector<fundort::Dateizeile>& zeilen);

    const quadrix::Transformation* m_beta;
    Meldungen& m_meldungen;
    QString m_datei;
    std::string m_gelesen;  // the file's bytes as read or last written
    std::vector<fundort::Dateizeile> m_zeilen;
    struct Schritt {
        std::vector<fundort::Dateizeile> vorher;
        std::size_t nachher = 0;  // lines the change left; later ones were appended since
        QString was;
    };
    std::vector<Schritt> m_rueckgaengig;
    bool m_fuellen = false;

    QLineEdit* txtFilter;
    QLineEdit* txtCodeFilter;
    QTableWidget* tabFunde;
    QPushButton* cmdLoeschen;
    QPushButton* cmdRueckgaengig;
    QComboBox* cboProfil;
    QPushButton* cmdAusgeben;
    QLabel* lblStatus;
};
