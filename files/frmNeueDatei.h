// The window "Neue Datei": creates a find-location file holding only the
// header line in the folder the main window shows, and makes it the current
// file. Modeless; exists at most once; a new opening after it closed starts
// afresh with the name "fundorte".
//
// gDatei changes only once the file has really been written: an empty name,
// the answer "Nein" to the overwrite question or a failed write leave it as
// it was, so no record can ever go to a file the user declined.
#pragma once

#include "platform/gui/plattform.h"

#include <QWidget>

#include <cstdint>
#include <optional>

class QLabel;
class QPushButton;
class Textfeld;

class frmNeueDatei : public QWidget {
    Q_OBJECT
public:
    explicit frmNeueDatei(Plattform& plattform, QWidget* eltern = nullptr);
    ~frmNeueDatei() override;

    void Form_Load();
    void txtFilnam_KeyPress(std::int16_t& KeyAscii);
    void cmdOK_Click();

    QLabel* Label1;
    Textfeld* txtFilnam;
    QPushButton* cmdOK;

signals:
    // The file was written with its header and is now gDatei.
    void angelegt(const QString& datei);

private:
    Plattform& m_plattform;
};
