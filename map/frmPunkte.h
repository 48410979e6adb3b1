// The window "Punkte": the points of GPS files, web maps and photos, read
// by the readers of imports/, one row each: the area name (proposed from
// the point's name, editable), the time, the position on the Potsdam datum
// in whole seconds (as the six boxes would hold it after pasting the GPS
// position), the uncertainty, the code that position gives, and whatever
// stands against saving it. Track points are not listed: they place the
// photos without a position by their time. One point goes into the six
// boxes; the selected ones are saved as records in one write.
#pragma once

#include "imports/punkte.h"
#include "imports/spur.h"
#include "map/kartenfenster.h"

#include <QPointF>
#include <QWidget>

#include <optional>
#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
namespace quadrix {
class Transformation;
}

class frmPunkte : public QWidget {
    Q_OBJECT
public:
    frmPunkte(const quadrix::Transformation* beta, QWidget* eltern = nullptr);

    // Adds the points of these files and folders.
    void lies(const QStringList& pfade);
    void setzeZiel(Punktziel ziel) { m_ziel = std::move(ziel); }
    // The points with a position (longitude as x), for the map's marks.
    std::vector<QPointF> orte() const;
    // A row's position (WGS84, longitude as x), if it has one.
    std::optional<QPointF> ort(int zeile) const;
    QString status() const;

    struct Eintrag {
        quadrix::Fundpunkt punkt;
        QString datei;
        QString hindernis;  // why the point cannot be saved, whatever its name
        std::optional<std::int64_t> nord, ost;  // Potsdam, whole seconds
        QString code;
        double breite = 0, laenge = 0;  // WGS84
        bool schonInDatei = false;
        // A photo without a position of its own, as read: placed on the track again
        // when the camera's clock offset or time zone changes.
        std::optional<quadrix::Fundpunkt> ungelegt;
    };
    const std::vector<Eintrag>& eintraege() const { return m_eintraege; }

signals:
    void punkteGeaendert();
    // The row the user is on (-1: none).
    void gewaehlt(int zeile);

private:
    void cmdInFelder_Click();
    void cmdPunkteSpeichern_Click();
    void cmdNeuLegen_Click();
    // The row of a point: its position on Potsdam, its code, or why none.
    Eintrag eintragVon(const quadrix::Fundpunkt& p, const QString& datei) const;
    void zeileZeigen(int i, bool mitName = true);
    // The camera's clock offset and time zone as typed; false (said) when not readable.
    bool zeitwahl(quadrix::Zeitwahl& w);
    // The area name of a row, and what the field would not take in it (empty: fine).
    QString gebiet(int zeile) const;
    QString namensHindernis(int zeile) const;
    void hinweisZeigen(int zeile);
    // Marks the rows whose name and code stand in the find-location file already.
    void vergleicheMitDatei();

    const quadrix::Transformation* m_beta;
    Punktziel m_ziel;
    quadrix::Spur m_spur;  // the track points of every file read
    std::vector<Eintrag> m_eintraege;
    QTableWidget* lstPunkte;
    QPushButton* cmdInFelder;
    QPushButton* cmdPunkteSpeichern;
    QLineEdit* txtUhrversatz;
    QLineEdit* txtZeitzone;
    QPushButton* cmdNeuLegen;
    QLabel* lblStatus;
    bool m_fuellen = false;  // the rows are being filled: no edits to check yet
};
