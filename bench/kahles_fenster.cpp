// Baseline for the start-up benchmark: a bare window with a few controls.
#include "platform/gui/startmessung.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QWidget fenster;
    fenster.resize(512, 483);
    new QLabel(QStringLiteral("Datei der Fundorte"), &fenster);
    (new QComboBox(&fenster))->setGeometry(16, 32, 169, 21);
    (new QListWidget(&fenster))->setGeometry(208, 32, 161, 126);
    (new QLineEdit(&fenster))->setGeometry(120, 245, 193, 19);
    (new QPushButton(QStringLiteral("Ende"), &fenster))->setGeometry(272, 448, 105, 25);
    fenster.show();
    startmessung::beiErstemBild(fenster);
    return QApplication::exec();
}
