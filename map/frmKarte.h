// The window "Karte": the map with the sheet grid, and under it a status
// line that says where the pointer is (Potsdam degrees, minutes and seconds,
// WGS84 decimal degrees, the code of the cell there) or why tiles or grid
// are missing. Modeless: the main window stays usable beside it.
#pragma once

#include <QString>
#include <QWidget>

#include <memory>

class QLabel;
class Kachelquelle;
class Kartenansicht;
namespace quadrix {
class Transformation;
}

class frmKarte : public QWidget {
    Q_OBJECT
public:
    // beta: BETA2007 (nullptr when missing: then betaFehler says why, and
    // the map shows no grid). cacheOrdner: the tiles' disk cache.
    frmKarte(const quadrix::Transformation* beta, const QString& betaFehler, const QString& cacheOrdner,
             QWidget* eltern = nullptr);
    ~frmKarte() override;

    // The tile source: QUADRIX_KACHELN (a URL template) when set, else TopPlusOpen.
    static QString vorlageAusUmgebung();

    Kartenansicht* ansicht() const { return m_ansicht; }
    Kachelquelle& quelle() const { return *m_quelle; }
    QString status() const;
    // Centres the map on a point on the Potsdam datum (degrees), closer in.
    void zeigePotsdam(double breite, double laenge);
    // One line of news in the status line (what a click filled in, say).
    void melde(const QString& text);

signals:
    // The user clicked a point (degrees WGS84/ETRS89) to take it.
    void positionGewaehlt(double breite, double laenge);

private:
    void zeigerBei(double breite, double laenge);
    void zeigeGitterstand();

    const quadrix::Transformation* m_beta;
    QString m_betaFehler;
    std::unique_ptr<Kachelquelle> m_quelle;
    Kartenansicht* m_ansicht;
    QLabel* m_status;
};
