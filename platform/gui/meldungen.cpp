#include "platform/gui/meldungen.h"

#include <QMessageBox>
#include <QPushButton>

std::unique_ptr<QMessageBox> QtMeldungen::box(QWidget* eltern, const QString& text, Knoepfe knoepfe,
                                              bool ausrufezeichen, const QString& titel)
{
    auto box = std::make_unique<QMessageBox>(ausrufezeichen ? QMessageBox::Warning : QMessageBox::NoIcon, titel,
                                             text, QMessageBox::NoButton, eltern);
    if (knoepfe == Knoepfe::OK) {
        box->addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
        return box;
    }
    QPushButton* ja = box->addButton(QStringLiteral("&Ja"), QMessageBox::YesRole);
    QPushButton* nein = box->addButton(QStringLiteral("&Nein"), QMessageBox::NoRole);
    box->setDefaultButton(knoepfe == Knoepfe::JaNeinVorgabeNein ? nein : ja);
    box->setEscapeButton(nein);
    return box;
}

Meldungen::Antwort QtMeldungen::zeige(QWidget* eltern, const QString& text, Knoepfe knoepfe, bool ausrufezeichen,
                                      const QString& titel)
{
    const auto b = box(eltern, text, knoepfe, ausrufezeichen, titel);
    b->exec();
    if (knoepfe == Knoepfe::OK)
        return Antwort::OK;
    return b->buttonRole(b->clickedButton()) == QMessageBox::YesRole ? Antwort::Ja : Antwort::Nein;
}

std::unique_ptr<QMessageBox> QtMeldungen::frageBox(QWidget* eltern, const QString& text, const QStringList& antworten,
                                                   const QString& titel)
{
    auto box = std::make_unique<QMessageBox>(QMessageBox::Question, titel, text, QMessageBox::NoButton, eltern);
    for (const QString& a : antworten) {
        QPushButton* k = box->addButton(a, QMessageBox::AcceptRole);
        if (!box->defaultButton())
            box->setDefaultButton(k);
    }
    box->setEscapeButton(box->addButton(QStringLiteral("Abbrechen"), QMessageBox::RejectRole));
    return box;
}

int QtMeldungen::frage(QWidget* eltern, const QString& text, const QStringList& antworten, const QString& titel)
{
    const auto b = frageBox(eltern, text, antworten, titel);
    b->exec();
    for (int i = 0; i < antworten.size(); ++i)
        if (b->clickedButton() && b->clickedButton()->text() == antworten[i])
            return i;
    return -1;
}
