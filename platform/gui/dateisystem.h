// What the program asks of the file system besides reading folders: the
// list of drives, whether a drive is ready, whether a file exists. Behind an
// interface so that tests can offer drives that are not ready.
#pragma once

#include <QList>
#include <QStringList>
#include <QString>

#include <filesystem>

class Dateisystem {
public:
    // A drive list entry: "/" or "/media/stick [STICK]" on Linux, "c: [SYSTEM]" on Windows.
    struct Laufwerk {
        QString bezeichnung;   // mount point or drive letter with colon
        QString beschreibung;  // volume label or share; may be empty
        // "designation [description]". The description never holds a
        // bracket, and a designation with a "[" of its own always gets one,
        // so the designation is everything before the last "[" (see
        // bezeichnungAus).
        QString eintrag() const;
    };
    // The designation in a drive list entry: the text before its last "[",
    // trailing blanks removed; the whole text when there is none.
    static QString bezeichnungAus(const QString& eintrag);
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

// What differs between the platforms besides the drives.
namespace plattform {
// The drive and the folder where the program starts: the root of the first
// drive ("/" and "/" on Linux, "c:" and "c:\\" on Windows).
QString startLaufwerk();
QString startPfad();
// A folder entry's name as text, however the platform stores names.
QString dateiname(const std::filesystem::path& name);
// A folder's entries in one pass, unsorted: its visible subfolders (and links
// to folders; not hidden ones: a leading dot on Linux, the hidden attribute
// on Windows) and its files (and links to files; hidden ones too). A link to
// a device or to nothing is neither. The entries' own types are used, so a
// large folder costs no call per entry. Empty when the folder cannot be read.
struct Ordnerinhalt {
    QStringList unterordner;
    QStringList dateien;
};
Ordnerinhalt leseOrdner(const QString& ordner);
// Settings of the whole process, made once at start: a failed write or a
// drive without a medium is reported by the program, never by the system
// (Linux: a file at the size limit fails with EFBIG instead of ending the
// program; Windows: no "insert a disk" boxes).
void prozessEinrichten();
// The character set of the process, made once right after the QApplication
// (whose constructor sets every category from the environment): where that
// is no UTF-8 (a locale that is missing, or plain C), the character type
// becomes C.UTF-8, so that window titles reach the window manager and file
// names the system as written. The other categories, the decimal mark among
// them, stay as the environment set them. Windows: nothing to do.
void zeichensatzEinrichten();
}  // namespace plattform

// The real drives: mounted volumes on Linux, drive letters on Windows.
class EchtesDateisystem final : public Dateisystem {
public:
    QList<Laufwerk> laufwerke() const override;
    Bereitschaft laufwerkBereit(const QString& bezeichnung) const override;
    bool dateiExistiert(const QString& pfad) const override;
    QString laufwerkVon(const QString& ordner) const override;
};
