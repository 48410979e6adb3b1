// Modal message boxes, behind one small interface so that tests can answer
// for the user (see tests/meldungsrekorder.h).
#pragma once

#include <QString>
#include <QStringList>

#include <memory>

class QMessageBox;
class QWidget;

class Meldungen {
public:
    // JaNein has "Ja" as its default button (Enter), JaNeinVorgabeNein "Nein":
    // for questions whose "Ja" loses something.
    enum class Knoepfe { OK, JaNein, JaNeinVorgabeNein };
    enum class Antwort { OK, Ja, Nein };

    virtual ~Meldungen() = default;

    // Shows text modally and returns the button pressed. A message without a
    // title of its own is captioned "Quadrix".
    virtual Antwort zeige(QWidget* eltern, const QString& text, Knoepfe knoepfe = Knoepfe::OK,
                          bool ausrufezeichen = false, const QString& titel = QStringLiteral("Quadrix")) = 0;

    // A question with answers of its own ("Von der &Karte ..."), the first
    // the default, and "Abbrechen" after them (also Escape and closing).
    // Returns the index of the answer chosen, -1 for "Abbrechen".
    virtual int frage(QWidget* eltern, const QString& text, const QStringList& antworten,
                      const QString& titel = QStringLiteral("Quadrix")) = 0;
};

// The real boxes, with German button texts whatever translations are installed.
class QtMeldungen final : public Meldungen {
public:
    Antwort zeige(QWidget* eltern, const QString& text, Knoepfe knoepfe, bool ausrufezeichen,
                  const QString& titel) override;
    int frage(QWidget* eltern, const QString& text, const QStringList& antworten, const QString& titel) override;

    // The boxes as they are shown, before exec(), for tests of their buttons.
    static std::unique_ptr<QMessageBox> box(QWidget* eltern, const QString& text, Knoepfe knoepfe,
                                            bool ausrufezeichen, const QString& titel);
    static std::unique_ptr<QMessageBox> frageBox(QWidget* eltern, const QString& text, const QStringList& antworten,
                                                 const QString& titel);
};
