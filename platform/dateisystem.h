// What the program asks of the file system besides reading folders: the
// list of drives, whether a drive is ready, whether a file exists. Behind an
// interface so that tests can offer drives that are not ready.
#pragma once

#include <QList>
#include <QString>

class Dateisystem {
public:
    // A drive list entry: "/" or "/media/stick [STICK]" on Linux, "c: [SYSTEM]" on Windows.
    struct Laufwerk {
        QString bezeichnung;   // mount point or drive letter with colon
        QString beschreibung;  // volume label or share; may be empty
        QString eintrag() const
        {
            return beschreibung.isEmpty() ? bezeichnung : bezeichnung + QStringLiteral(" [") + beschreibung + u']';
        }
    };
    enum class Bereitschaft { Bereit, NichtBereit, Unbekannt };

    virtual ~Dateisystem() = default;

    // The root file system (Windows: the first drive letter) comes first.
    virtual QList<Laufwerk> laufwerke() const = 0;
    // The drive with this designation: ready, present but not ready, or
    // not to be found at all (vanished since it was listed).
    virtual Bereitschaft laufwerkBereit(const QString& bezeichnung) const = 0;
    // True for an existing file (not a folder).
    virtual bool dateiExistiert(const QString& pfad) const = 0;
    // The drive that holds a folder, as one of laufwerke()' designations.
    virtual QString laufwerkVon(const QString& ordner) const = 0;
};

class EchtesDateisystem final : public Dateisystem {
public:
    QList<Laufwerk> laufwerke() const override;
    Bereitschaft laufwerkBereit(const QString& bezeichnung) const override;
    bool dateiExistiert(const QString& pfad) const override;
    QString laufwerkVon(const QString& ordner) const override;
};
