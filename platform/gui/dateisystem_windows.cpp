// Drives on Windows: the drive letters, as the platform's drive lists show
// them ("c: [SYSTEM]", "a:", "n: [\\server\share]").
#include "platform/gui/dateisystem.h"

#include <QDir>

#include <windows.h>
#include <winnetwk.h>

namespace plattform {

QString startLaufwerk() { return QStringLiteral("c:"); }
QString startPfad() { return QStringLiteral("c:\\"); }
QString dateiname(const std::filesystem::path& name) { return QString::fromStdWString(name.native()); }
void prozessEinrichten() { SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX); }
void zeichensatzEinrichten() {}

Ordnerinhalt leseOrdner(const QString& ordner)
{
    Ordnerinhalt inhalt;
    QString muster = QDir::toNativeSeparators(ordner);
    if (!muster.endsWith(u'\\'))
        muster += u'\\';
    const QString basis = muster;
    muster += u'*';
    WIN32_FIND_DATAW e;
    const HANDLE h = FindFirstFileExW(reinterpret_cast<const wchar_t*>(muster.utf16()), FindExInfoBasic, &e,
                                      FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (h == INVALID_HANDLE_VALUE)
        return inhalt;
    do {
        const QString name = QString::fromWCharArray(e.cFileName);
        if (name == QLatin1String(".") || name == QLatin1String(".."))
            continue;
        bool istOrdner = e.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY;
        bool istDatei = !istOrdner && !(e.dwFileAttributes & FILE_ATTRIBUTE_DEVICE);
        // A link or junction is what it points to.
        if (e.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) {
            std::error_code fehler;
            const auto ziel = std::filesystem::status((basis + name).toStdWString(), fehler);
            istOrdner = !fehler && std::filesystem::is_directory(ziel);
            istDatei = !fehler && std::filesystem::is_regular_file(ziel);
        }
        if (istOrdner && !(e.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN))
            inhalt.unterordner.append(name);
        else if (istDatei)
            inhalt.dateien.append(name);
    } while (FindNextFileW(h, &e));
    FindClose(h);
    return inhalt;
}

}  // namespace plattform

namespace {

// "c:" -> L"c:\"
std::wstring wurzel(const QString& bezeichnung) { return (bezeichnung + u'\\').toStdWString(); }

// No "insert a disk" box from the system for a drive without a medium.
class OhneSystemmeldung {
public:
    OhneSystemmeldung() : m_alt(SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX)) {}
    ~OhneSystemmeldung() { SetErrorMode(m_alt); }
    OhneSystemmeldung(const OhneSystemmeldung&) = delete;
    OhneSystemmeldung& operator=(const OhneSystemmeldung&) = delete;

private:
    UINT m_alt;
};

// The volume label; false when the drive holds no readable medium.
bool datentraeger(const std::wstring& w, QString* name)
{
    wchar_t etikett[MAX_PATH + 1] = {};
    const OhneSystemmeldung still;
    if (!GetVolumeInformationW(w.c_str(), etikett, MAX_PATH + 1, nullptr, nullptr, nullptr, nullptr, 0))
        return false;
    if (name)
        *name = QString::fromWCharArray(etikett);
    return true;
}

// "\\server\share" of a connected network drive.
QString freigabe(const QString& bezeichnung)
{
    wchar_t ziel[MAX_PATH + 1] = {};
    DWORD laenge = MAX_PATH + 1;
    const std::wstring b = bezeichnung.toStdWString();
    return WNetGetConnectionW(b.c_str(), ziel, &laenge) == NO_ERROR ? QString::fromWCharArray(ziel) : QString();
}

}  // namespace

QList<Dateisystem::Laufwerk> EchtesDateisystem::laufwerke() const
{
    QList<Laufwerk> liste;
    const DWORD maske = GetLogicalDrives();
    for (int i = 0; i < 26; ++i) {
        if (!(maske & (1u << i)))
            continue;
        const QString bezeichnung = QString(QChar(u'a' + i)) + u':';
        const std::wstring w = wurzel(bezeichnung);
        QString beschreibung;
        switch (GetDriveTypeW(w.c_str())) {
        case DRIVE_REMOTE: beschreibung = freigabe(bezeichnung); break;
        // Floppy and CD drives are not asked: that would spin them up at every listing.
        case DRIVE_REMOVABLE:
        case DRIVE_CDROM: break;
        default: datentraeger(w, &beschreibung); break;
        }
        liste.append({bezeichnung, beschreibung});
    }
    // The first drive is the system's (usually c:), as the program starts there.
    for (qsizetype i = 0; i < liste.size(); ++i)
        if (liste[i].bezeichnung == plattform::startLaufwerk())
            liste.move(i, 0);
    return liste;
}

Dateisystem::Bereitschaft EchtesDateisystem::laufwerkBereit(const QString& bezeichnung) const
{
    if (bezeichnung.size() != 2 || bezeichnung[1] != u':')
        return Bereitschaft::Unbekannt;
    const std::wstring w = wurzel(bezeichnung);
    const UINT typ = GetDriveTypeW(w.c_str());
    if (typ == DRIVE_NO_ROOT_DIR || typ == DRIVE_UNKNOWN)
        return Bereitschaft::Unbekannt;
    return datentraeger(w, nullptr) ? Bereitschaft::Bereit : Bereitschaft::NichtBereit;
}

QString EchtesDateisystem::laufwerkVon(const QString& ordner) const
{
    const QString p = QDir::toNativeSeparators(QDir(ordner).absolutePath());
    return p.size() >= 2 && p[1] == u':' ? p.left(2).toLower() : QString();
}
