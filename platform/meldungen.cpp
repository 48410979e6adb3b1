#include "meldungen.h"

#include <QMessageBox>
#include <QPushButton>

Meldungen::Antwort QtMeldungen::zeige(QWidget* eltern, const QString& text, Knoepfe knoepfe,
                                      bool ausrufezeichen, const QString& titel)
{
    QMessageBox box(ausrufezeichen ? QMessageBox::Warning : QMessageBox::NoIcon, titel, text,
                    QMessageBox::NoButton, eltern);
    if (knoepfe == Knoepfe::OK) {
        box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
        box.exec();
        return Antwort::OK;
    }
    QPushButton* ja = box.addButton(QStringLiteral("&Ja"), QMessageBox::YesRole);
    QPushButton* nein = box.addButton(QStringLiteral("&Nein"), QMessageBox::NoRole);
    box.setDefaultButton(ja);
    box.setEscapeButton(nein);
    box.exec();
    return box.clickedButton() == ja ? Antwort::Ja : Antwort::Nein;
}
