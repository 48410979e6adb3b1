#include "files/fehlertexte.h"

#include "platform/gui/meldungen.h"

#include <QDir>

namespace Fehlertexte {

QString kurzerPfad(const QString& pfad)
{
    // A message box is as wide as its longest unbroken word: keep a long
    // path from making it wider than the screen.
    constexpr qsizetype Vorn = 40, Hinten = 50;
    const QString p = QDir::toNativeSeparators(pfad);
    return p.size() <= Vorn + Hinten + 1 ? p : p.left(Vorn) + QStringLiteral("…") + p.right(Hinten);
}

QString feldname(mtb::Feld feld)
{
    switch (feld) {
    case mtb::Feld::GradN: return QStringLiteral("Grad (Nord)");
    case mtb::Feld::MinN: return QStringLiteral("Minuten (Nord)");
    case mtb::Feld::SekN: return QStringLiteral("Sekunden (Nord)");
    case mtb::Feld::GradO: return QStringLiteral("Grad (Ost)");
    case mtb::Feld::MinO: return QStringLiteral("Minuten (Ost)");
    case mtb::Feld::SekO: return QStringLiteral("Sekunden (Ost)");
    }
    return {};
}

QString berechnung(const mtb::Fehler& f, const QString& text)
{
    const QString name = feldname(f.feld);
    if (f.art == mtb::Fehlerart::KeineZahl) {
        if (text.isEmpty())
            return QStringLiteral("Das Feld „%1“ ist leer. Geben Sie dort eine Zahl ein und berechnen Sie "
                                  "das MTB erneut.").arg(name);
        return QStringLiteral("Der Wert „%1“ im Feld „%2“ ist keine Zahl. Das MTB wurde nicht berechnet.")
            .arg(text, name);
    }
    return QStringLiteral("Mit dem Wert „%1“ im Feld „%2“ liegt der Punkt so weit außerhalb des Kartennetzes, "
                          "dass kein MTB berechnet werden kann (Überlauf). Prüfen Sie die Koordinaten.")
        .arg(text.size() > 20 ? text.left(20) + QStringLiteral("…") : text, name);
}

QString ordner(const QString& pfad)
{
    return QStringLiteral("Der Ordner „%1“ kann nicht geöffnet werden: er existiert nicht mehr oder Sie haben "
                          "keine Berechtigung, ihn zu lesen.").arg(kurzerPfad(pfad));
}

QString laufwerk(const QString& eintrag)
{
    return QStringLiteral("Laufwerk ") + eintrag + QStringLiteral(" ist nicht verfügbar!");
}

namespace {

QString ursache(const textdatei::Ergebnis& e) { return QString::fromStdString(textdatei::satz(e)); }

}  // namespace

QString speichern(const textdatei::Ergebnis& e, const QString& datei)
{
    if (e.ursache == textdatei::Ursache::KeinName)
        return QStringLiteral("Der Fundort wurde nicht gespeichert: Es ist noch keine Datei der Fundorte gewählt. "
                              "Wählen Sie eine Datei aus oder legen Sie mit „Neue Datei“ eine an.");
    using textdatei::Ursache;
    // Where no file stands under the name, there is no file to be unchanged.
    if (e.ursache == Ursache::IstOrdner)
        return QStringLiteral("Der Fundort konnte nicht in die Datei „%1“ gespeichert werden: An ihrer Stelle steht "
                              "jetzt ein Ordner dieses Namens. Es wurde nichts gespeichert. Wählen Sie eine Datei aus "
                              "oder legen Sie mit „Neue Datei“ eine an.").arg(kurzerPfad(datei));
    if (e.ursache == Ursache::KeineDatei || e.ursache == Ursache::OrdnerFehlt)
        return QStringLiteral("Der Fundort konnte nicht in die Datei „%1“ gespeichert werden. %2 "
                              "Es wurde nichts gespeichert.").arg(kurzerPfad(datei), ursache(e));
    return QStringLiteral("Der Fundort konnte nicht in die Datei „%1“ gespeichert werden. %2 "
                          "Die Datei ist unverändert.").arg(kurzerPfad(datei), ursache(e));
}

QString keineDateiGewaehlt()
{
    return QStringLiteral("Es ist noch keine Datei der Fundorte gewählt. Wählen Sie zuerst eine Datei aus oder legen "
                          "Sie mit „Neue Datei“ eine an; dann lassen sich Gebietsname und Koordinaten eingeben und "
                          "das MTB berechnen.");
}

QString neueDatei(const textdatei::Ergebnis& e, const QString& datei, bool ersetzen)
{
    // Replacing goes through a file beside the old one: a failure leaves the old one whole.
    const QString stand = ersetzen ? QStringLiteral("Die vorhandene Datei ist unverändert.")
                                   : QStringLiteral("Es wurde keine Datei angelegt.");
    return QStringLiteral("Die Datei „%1“ konnte nicht angelegt werden. %2 %3 Wählen Sie einen anderen Namen oder "
                          "Ordner.").arg(kurzerPfad(datei), ursache(e), stand);
}

QString steuerzeichen(fundort::Feld feld)
{
    static const char* const namen[] = {"Gebietsnamen", "MTB",         "Grad (Nord)",   "Minuten (Nord)",
                                        "Sekunden (Nord)", "Grad (Ost)", "Minuten (Ost)", "Sekunden (Ost)"};
    return QStringLiteral("Der Fundort wurde nicht gespeichert: Das Feld „%1“ enthält einen Tabulator oder "
                          "Zeilenumbruch, der die Spalten der Datei verschieben würde.")
        .arg(QString::fromLatin1(namen[static_cast<int>(feld)]));
}

void zeige(Meldungen& m, QWidget* eltern, const QString& text, const QString& titel)
{
    m.zeige(eltern, text, Meldungen::Knoepfe::OK, true, titel);
}

}  // namespace Fehlertexte
