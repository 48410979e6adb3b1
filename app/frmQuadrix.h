// The main window "MTB - Bestimmung": choice of the find-location file,
// entry of area name and position, computation of sheet and quadrants,
// saving of records.
//
// Handlers carry the program's own names (control_Event). Their code lives in
//   app/frmQuadrix.cpp             layout, start-up, activation, end
//   app/frmQuadrix_eingabe.cpp     entry boxes: focus, key filters, checks
//   app/frmQuadrix_einfuegen.cpp   pasted positions, and the transformation of GPS positions
//   app/frmQuadrix_berechnen.cpp   the computation
//   app/frmQuadrix_dateiwahl.cpp   drive, folder and file choice
//   app/frmQuadrix_speichern.cpp   saving a record, opening the new-file dialog
//   app/frmQuadrix_karte.cpp       the map window: loading its module, clicks taken over
// and the file side's rules and texts in files/.
#pragma once

#include "app/anbindung.h"
#include "files/frmNeueDatei.h"
#include "map/kartenfenster.h"
#include "platform/gui/plattform.h"

#include <QPointer>
#include <QWidget>

#include <cstdint>
#include <memory>

class QGroupBox;
class QLabel;
class QPushButton;
class Textfeld;
class Validierung;
class Bezugssystem;
namespace quadrix {
struct Umriss;
struct Punkt;
}
class Beta2007;
class LaufwerkListe;
class OrdnerListe;
class DateiListe;

class frmQuadrix : public QWidget {
    Q_OBJECT
public:
    explicit frmQuadrix(Plattform& plattform, QWidget* eltern = nullptr);
    ~frmQuadrix() override;

    // The datum transformation and the map's maker; empty: the real ones.
    Anbindung anbindung;

    // Latitude and longitude of the last computation, in decimal degrees.
    double dblBreite = 0;
    double dblLaenge = 0;
    // The new-file window was opened and this window has not been activated since.
    bool blnNeueDatei = false;

    // Start-up, activation and end.
    void Form_Load();
    void Form_Initialize();
    void Form_Activate();
    void cmdEnde_Click();

    void cmdBerechnen_Click();
    void cmdSpeichern_Click();
    void cmdNeueDatei_Click();
    void cmdKarte_Click();
    // The window "Funde" of the chosen find-location file, beside the map.
    void cmdFunde_Click();

    void drvLaufwerk_Change();
    void dirVerzeichnis_Change();
    void filDatei_Click();

    void txtGebiet_GotFocus();
    void txtGradN_GotFocus();
    void txtMinN_GotFocus();
    void txtSekN_GotFocus();
    void txtGradO_GotFocus();
    void txtMinO_GotFocus();
    void txtSekO_GotFocus();

    void txtGebiet_KeyPress(std::int16_t& KeyAscii);
    void txtGradN_KeyPress(std::int16_t& KeyAscii);
    void txtMinN_KeyPress(std::int16_t& KeyAscii);
    void txtSekN_KeyPress(std::int16_t& KeyAscii);
    void txtGradO_KeyPress(std::int16_t& KeyAscii);
    void txtMinO_KeyPress(std::int16_t& KeyAscii);
    void txtSekO_KeyPress(std::int16_t& KeyAscii);

    void txtGradN_Validate(bool& Cancel);
    void txtMinN_Validate(bool& Cancel);
    void txtSekN_Validate(bool& Cancel);
    void txtGradO_Validate(bool& Cancel);
    void txtMinO_Validate(bool& Cancel);
    void txtSekO_Validate(bool& Cancel);

    // The new-file window, while it is loaded.
    frmNeueDatei* neueDatei() const { return m_neueDatei; }
    // The map window while it is open (nullptr before and after).
    KartenFenster* karte() const { return m_kartenfenster ? m_karte : nullptr; }
    // Centres an open map on the six boxes' point when they hold a whole position.
    void karteNachfuehren();
    void karteDaneben();
    void gpsPositionEintragen(const quadrix::Punkt& p);
    // A point clicked on the map (degrees WGS84/ETRS89) into the six boxes.
    void positionVonKarte(double breite, double laenge);
    // A point of the list of points (its decimal degrees as text) into the six boxes.
    void punktInFelder(const QString& position);
    // GPS files, photos and folders of them into the map's list of points
    // (the map opens), as when they are dropped on the window.
    void punkteEinlesen(const QStringList& pfade);
    // Records of the list of points appended in one write; false (said) when not.
    bool punkteSpeichern(const std::vector<Fundortwunsch>& wuensche);

protected:
    bool event(QEvent* e) override;
    bool focusNextPrevChild(bool next) override;
    // GPS files and photos dropped on the window go to the map's list of points.
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dropEvent(QDropEvent* e) override;

private:
    void aufbauen();
    void verbinden();
    void NurZiffern(std::int16_t& KeyAscii);
    void PruefeMinSek(bool& Cancel, Textfeld* box);
    void PruefeBereich(bool& Cancel, Textfeld* box, int grenze, const QString& meldung);
    void waehleTextAus(Textfeld* box);
    void eingabenFreigeben();
    void neueDateiAngelegt(const QString& datei);
    void neueDateiUebernehmen(const QString& datei);
    void ordnerNichtOeffenbar(const QString& pfad);
    void koordinateGeaendert();
    bool positionEinfuegen(const QString& text, const Textfeld* feld = nullptr);
    void einfuegenAblehnen(const QString& text, const QString& grund);
    // Two whole numbers pasted into a box of one coordinate: its degrees and minutes.
    void gradUndMinutenEintragen(const QString& text, const Textfeld* feld);
    // A Gauss-Kruger, UTM or MGRS position pasted (read by leseUmriss).
    void kartesischEinfuegen(const QString& text, const quadrix::Umriss& u);
    void positionEintragen(const QString& gradN, const QString& minN, const QString& sekN, const QString& gradO,
                           const QString& minO, const QString& sekO);
    // Whole seconds north and east into the six boxes; returns them as the user reads them.
    QString ganzeSekundenEintragen(std::int64_t nord, std::int64_t ost);
    Bezugssystem& bezugssystem();

    Plattform& m_plattform;
    Validierung* m_validierung = nullptr;
    QPointer<frmNeueDatei> m_neueDatei;
    // The map window: its widget tracked, as it deletes itself when closed.
    QPointer<QWidget> m_kartenfenster;
    KartenFenster* m_karte = nullptr;
    std::unique_ptr<Beta2007> m_beta;
    // A file the new-file window created that this window has not taken over yet.
    QString m_angelegt;

public:
    // Controls, named as in the layout table.
    QLabel* Label2;
    LaufwerkListe* drvLaufwerk;
    OrdnerListe* dirVerzeichnis;
    DateiListe* filDatei;
    QPushButton* cmdNeueDatei;
    Textfeld* txtGebiet;
    Textfeld* txtGradN;
    Textfeld* txtMinN;
    Textfeld* txtSekN;
    Textfeld* txtGradO;
    Textfeld* txtMinO;
    Textfeld* txtSekO;
    QPushButton* cmdBerechnen;
    QPushButton* cmdSpeichern;
    QPushButton* cmdEnde;
    QPushButton* cmdKarte;
    QPushButton* cmdFunde;
    QGroupBox* Frame1;
    Textfeld* txtMTB;
};
