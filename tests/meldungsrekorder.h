// Answers message boxes for the user and records what was shown.
#pragma once

#include "platform/gui/meldungen.h"

#include <QList>
#include <QString>

#include <functional>

class MeldungsRekorder final : public Meldungen {
public:
    struct Eintrag {
        QString text;
        QString titel;
        Knoepfe knoepfe;
        bool ausrufezeichen;
        QStringList antworten;  // the answers of a question (frage)
    };

    Antwort zeige(QWidget*, const QString& text, Knoepfe knoepfe, bool ausrufezeichen, const QString& titel) override
    {
        eintraege.append({text, titel, knoepfe, ausrufezeichen, {}});
        if (beimZeigen)
            beimZeigen();
        if (!antworten.isEmpty())
            return antworten.takeFirst();
        return knoepfe == Knoepfe::OK ? Antwort::OK : Antwort::Nein;
    }

    int frage(QWidget*, const QString& text, const QStringList& moegliche, const QString& titel) override
    {
        eintraege.append({text, titel, Knoepfe::OK, false, moegliche});
        if (beimZeigen)
            beimZeigen();
        return wahl.isEmpty() ? -1 : wahl.takeFirst();
    }

    QStringList texte() const
    {
        QStringList t;
        for (const auto& e : eintraege)
            t << e.text;
        return t;
    }

    QList<Eintrag> eintraege;
    // Answers for Yes/No boxes, in order; "Nein" when none is queued.
    QList<Antwort> antworten;
    // Answers for questions: the index chosen, in order; -1 ("Abbrechen") when none is queued.
    QList<int> wahl;
    // Runs while a box is "open", to look at the window at that moment.
    std::function<void()> beimZeigen;
};
