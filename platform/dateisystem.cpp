#include "dateisystem.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>

#include <algorithm>

namespace {

#ifdef Q_OS_WIN
// "C:/" -> "c:", the way drive lists spell drives.
QString bezeichnungVon(const QString& wurzel) { return wurzel.left(2).toLower(); }
QString wurzelVon(const QString& bezeichnung) { return bezeichnung + u'/'; }
#else
QString bezeichnungVon(const QString& wurzel) { return wurzel; }
QString wurzelVon(const QString& bezeichnung) { return bezeichnung; }
#endif

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
        liste.append({bezeichnungVon(s.rootPath()), beschreibung});
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
    const QString wurzel = wurzelVon(bezeichnung);
    if (bezeichnung.isEmpty() || !QFileInfo::exists(wurzel))
        return Bereitschaft::Unbekannt;
    const QStorageInfo s(wurzel);
    // A mount point whose volume has gone is an ordinary folder of another drive now.
    if (!s.isValid() || QDir::cleanPath(s.rootPath()).compare(QDir::cleanPath(wurzel), Qt::CaseInsensitive) != 0)
        return Bereitschaft::Unbekannt;
    return s.isReady() ? Bereitschaft::Bereit : Bereitschaft::NichtBereit;
}

bool EchtesDateisystem::dateiExistiert(const QString& pfad) const
{
    const QFileInfo fi(pfad);
    return fi.exists() && !fi.isDir();
}

QString EchtesDateisystem::laufwerkVon(const QString& ordner) const
{
    return bezeichnungVon(QStorageInfo(ordner).rootPath());
}
