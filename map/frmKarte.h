// The window "Karte": the map with the sheet grid, and under it a status
// line that says where the pointer is (Potsdam degrees, minutes and seconds,
// WGS84 decimal degrees, the code of the cell there) or why tiles or grid
// are missing. Modeless: the main window stays usable beside it.
#pragma once

#include "map/kachelquelle.h"
#include "map/kartenfenster.h"

#include <QDesktopServices>
#include <QString>
#include <QUrl>
#include <QWidget>

#include <functional>
#include <memory>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class Kartenansicht;
class QListWidget;
namespace orte::daten {
struct Ort;
}
namespace orte {
using daten::Ort;
}
class frmFunde;
class frmPunkte;
namespace quadrix {
class Transformation;
}

class frmKarte : public QWidget, public KartenFenster {
    Q_OBJECT
public:
    // beta: BETA2007 (nullptr when missing: then betaFehler says why, and
    // the map shows no grid). cacheOrdner: the tiles' disk cache.
    frmKarte(const quadrix::Transformation* beta, const QString& betaFehler, const QString& cacheOrdner,
             QWidget* eltern = nullptr);
    ~frmKarte() override;

    // The tile source: QUADRIX_KACHELN (a URL template) when set, else the
    // one chosen last (TopPlusOpen at first). The choice and the last view
    // are kept in the user's settings (Karte.ini in the platform's folder
    // for settings), never beside the find-location files.
    static QString vorlageAusUmgebung();
    // 0 TopPlusOpen, 1 OpenStreetMap, 2 a template of the user's own.
    void waehleQuelle(int art, const QString& vorlage = {}, const QString& namensnennung = {});

    Kartenansicht* ansicht() const { return m_ansicht; }
    Kachelquelle& quelle() const { return *m_quelle; }
    QString status() const;
    QWidget* fenster() override { return this; }
    // Centres the map on a point on the Potsdam datum (degrees), closer in.
    void zeigePotsdam(double breite, double laenge) override;
    // The search box's text: a code (any form mtbq reads) fits the map to its
    // cell; a position centres it there. False, with the reason in the
    // status line, for anything else.
    bool suche(const QString& text);
    // A place by its name (offline, GeoNames): one is shown, several are
    // listed with their Land to choose from (ortsliste()). It never fills
    // the boxes: a place is no find's position. False when none has the name.
    bool sucheOrt(const QString& name);
    QListWidget* ortsliste() const { return m_ortsliste; }
    // The finds recorded in a find-location file, shown as dots while
    // "Funde zeigen" is on (read only; an empty name: none).
    void setzeFundortdatei(const QString& datei) override;
    // Opens the page of the tile source's terms when its attribution is
    // clicked: in the browser (tests put a recorder here).
    std::function<bool(const QUrl&)> oeffneVerweis = [](const QUrl& u) { return QDesktopServices::openUrl(u); };
    // One line of news in the status line (what a click filled in, say).
    void melde(const QString& text) override;
    void beiKlick(std::function<void(double breite, double laenge)> nimm) override;
    // The list of points beside the map, its points marked on it.
    void punkteEinlesen(const QStringList& pfade) override;
    void setzePunktziel(Punktziel ziel) override;
    void zeigeFunde(const QString& datei, Meldungen& meldungen) override;
    frmFunde* funde() const { return m_funde; }
    frmPunkte* punkte() const { return m_punkte; }
    // "Punkte einlesen …" asks for the files here (tests put a list here).
    std::function<QStringList(QWidget*)> waehleDateien;

signals:
    // The user clicked a point (degrees WGS84/ETRS89) to take it.
    void positionGewaehlt(double breite, double laenge);

protected:
    void closeEvent(QCloseEvent* e) override;
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dropEvent(QDropEvent* e) override;

private:
    // Marks and centres a position found (degrees, Potsdam or ETRS89), or says why it is not shown.
    bool zeigeGefunden(const QString& eingabe, double breite, double laenge, bool potsdam, const QString& gezeigt);
    void zeigerBei(double breite, double laenge);
    void quelleAnlegen(const Kachelquelle::Quelle& quelle);
    void zeigeGitterstand();

    const quadrix::Transformation* m_beta;
    QString m_betaFehler;
    std::unique_ptr<Kachelquelle> m_quelle;
    Kartenansicht* m_ansicht;
    QLabel* m_status;
    QLineEdit* m_suche;
    QComboBox* m_quellenwahl;
    QLineEdit* m_eigeneVorlage;
    QLineEdit* m_eigeneNennung;
    QString m_cacheOrdner;
    QString m_fundortdatei;
    QCheckBox* m_fundeZeigen;
    void fundeLesen();
    QPushButton* m_punkteEinlesen;
    frmPunkte* m_punkte = nullptr;
    Punktziel m_punktziel;
    void punkteAnlegen();
    frmFunde* m_funde = nullptr;
    QListWidget* m_ortsliste = nullptr;
    void zeigeOrt(const orte::Ort& ort);
    // A click near a record listed in "Funde" selects it there.
    void geklickt(double breite, double laenge);
    // The list of finds reads the chosen file again (a record saved, another file chosen).
    void fundeNeuLesen();
};
