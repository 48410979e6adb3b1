// Modal message boxes, behind one small interface so that tests can answer
// for the user (see tests/meldungsrekorder.h).
#pragma once

#include <QString>

class QWidget;

class Meldungen {
public:
    enum class Knoepfe { OK, JaNein };
    enum class Antwort { OK, Ja, Nein };

    virtual ~Meldungen() = default;

    // Shows text modally and returns the button pressed. A message without a
    // title of its own is captioned "Quadrix".
    virtual Antwort zeige(QWidget* eltern, const QString& text, Knoepfe knoepfe = Knoepfe::OK,
                          bool ausrufezeichen = false, const QString& titel = QStringLiteral("Quadrix")) = 0;
};

// The real boxes, with German button texts whatever translations are installed.
class QtMeldungen final : public Meldungen {
public:
    Antwort zeige(QWidget* eltern, const QString& text, Knoepfe knoepfe, bool ausrufezeichen,
                  const QString& titel) override;
};
