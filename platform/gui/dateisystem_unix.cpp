// Drives on Linux and other Unix systems: the mounted volumes, "/" first.
#include "platform/gui/dateisystem.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>

#include <algorithm>

#include <clocale>
#include <csignal>
#include <cstring>

#include <langinfo.h>

#include <dirent.h>
#include <sys/stat.h>

namespace plattform {

QString startLaufwerk() { return QStringLiteral("/"); }
QString startPfad() { return QStringLiteral("/"); }
QString dateiname(const std::filesystem::path& name) { return QFile::decodeName(name.c_str()); }
void prozessEinrichten() { std::signal(SIGXFSZ, SIG_IGN); }

void zeichensatzEinrichten()
{
    // Xlib writes the title property WM_NAME in the character type's
    // encoding; under C that is ASCII, and "–" or "ü" arrive garbled.
    const char* satz = ::nl_langinfo(CODESET);
    if (satz && std::strcmp(satz, "UTF-8") == 0)
        return;
    std::setlocale(LC_CTYPE, "C.UTF-8");
}

Ordnerinhalt leseOrdner(const QString& ordner)
{
    Ordnerinhalt inhalt;
    DIR* d = ::opendir(QFile::encodeName(ordner).constData());
    if (!d)
        return inhalt;
    const int fd = ::dirfd(d);
    while (const dirent* e = ::readdir(d)) {
        const char* name = e->d_name;
        if (name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0)))
            continue;
        unsigned char typ = e->d_type;
        if (typ == DT_LNK || typ == DT_UNKNOWN) {
            struct stat st;
            if (::fstatat(fd, name, &st, 0) != 0)
                continue;
            typ = S_ISDIR(st.st_mode) ? DT_DIR : S_ISREG(st.st_mode) ? DT_REG : DT_UNKNOWN;
        }
        if (typ == DT_DIR && name[0] != '.')
            inhalt.unterordner.append(QFile::decodeName(name));
        else if (typ == DT_REG)
            inhalt.dateien.append(QFile::decodeName(name));
    }
    ::closedir(d);
    return inhalt;
}

}  // namespace plattform

namespace {

bool istNetz(const QByteArray& typ)
{
    return typ.startsWith("nfs") || typ == "cifs" || typ == "smb3" || typ.startsWith("fuse.sshfs");
}

}  // namespace

QList<Dateisystem::Laufwerk> EchtesDateisystem::laufwerke() const
{
    QList<Laufwerk> liste;
    for (const QStorageInfo& s : QStorageInfo::mountedVolumes()) {
        if (!s.isValid())
            continue;
        QString beschreibung = s.name();
        if (beschreibung.isEmpty() && istNetz(s.fileSystemType()))
            beschreibung = QString::fromLocal8Bit(s.device());
        liste.append({s.rootPath(), beschreibung});
    }
    std::sort(liste.begin(), liste.end(), [](const Laufwerk& a, const Laufwerk& b) {
        const bool aWurzel = a.bezeichnung == QLatin1String("/");
        const bool bWurzel = b.bezeichnung == QLatin1String("/");
        if (aWurzel != bWurzel)
            return aWurzel;
        return a.bezeichnung < b.bezeichnung;
    });
    liste.erase(std::unique(liste.begin(), liste.end(),
                            [](const Laufwerk& a, const Laufwerk& b) { return a.bezeichnung == b.bezeichnung; }),
                liste.end());
    return liste;
}

Dateisystem::Bereitschaft EchtesDateisystem::laufwerkBereit(const QString& bezeichnung) const
{
    if (bezeichnung.isEmpty() || !QFileInfo::exists(bezeichnung))
        return Bereitschaft::Unbekannt;
    const QStorageInfo s(bezeichnung);
    // A mount point whose volume has gone is an ordinary folder of another drive now.
    if (!s.isValid() || QDir::cleanPath(s.rootPath()) != QDir::cleanPath(bezeichnung))
        return Bereitschaft::Unbekannt;
    return s.isReady() ? Bereitschaft::Bereit : Bereitschaft::NichtBereit;
}

QString EchtesDateisystem::laufwerkVon(const QString& ordner) const
{
    return QStorageInfo(ordner).rootPath();
}
