// The file calls of text-file output on POSIX systems.
#include "platform/textdatei_system.h"

#include <cerrno>
#include <string>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace textdatei::system {

namespace {

Handle fehler(Ergebnis& e)
{
    e = ausErrno(errno);
    return KeinHandle;
}

int fd(Handle h) { return static_cast<int>(h); }

// Whether the open file is still the one the path names (a correction may
// have put another in its place since it was opened).
bool nochDieselbe(int h, const std::filesystem::path& pfad)
{
    struct stat offen {}, jetzt {};
    return ::fstat(h, &offen) == 0 && ::stat(pfad.c_str(), &jetzt) == 0 && offen.st_dev == jetzt.st_dev &&
           offen.st_ino == jetzt.st_ino;
}

// Opens the file for appending, once; KeinHandle with e set on failure.
int oeffneEinmal(const std::filesystem::path& pfad, Ergebnis& e)
{
    // Non-blocking, so that a pipe put in the file's place meanwhile cannot hang us.
    const int art = O_APPEND | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
    int h = ::open(pfad.c_str(), O_RDWR | art);
    // A file that may be written but not read can still take a record.
    if (h < 0 && errno == EACCES)
        h = ::open(pfad.c_str(), O_WRONLY | art);
    if (h < 0) {
        e = ausErrno(errno);
        return -1;
    }
    struct stat st {};
    if (::fstat(h, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(h);
        e = {Ursache::KeineDatei, 0};
        return -1;
    }
    return h;
}

}  // namespace

Art art(const std::filesystem::path& pfad, Ergebnis& e)
{
    struct stat st {};
    if (::stat(pfad.c_str(), &st) != 0) {
        if (errno != ENOENT)
            e = ausErrno(errno);
        return Art::Fehlt;
    }
    if (S_ISDIR(st.st_mode))
        return Art::Ordner;
    return S_ISREG(st.st_mode) ? Art::Datei : Art::Anderes;
}

Handle oeffneAnhaengen(const std::filesystem::path& pfad, Ergebnis& e)
{
    // A correction that replaced the file while we waited for the lock
    // leaves us holding the old one: then the new one is opened.
    for (int versuch = 0; versuch < 100; ++versuch) {
        const int h = oeffneEinmal(pfad, e);
        if (h < 0)
            return KeinHandle;
        if (e = sperre(h); !e) {
            ::close(h);
            return KeinHandle;
        }
        if (nochDieselbe(h, pfad))
            return h;
        ::close(h);
    }
    e = {Ursache::InBenutzung, 0};
    return KeinHandle;
}

Handle oeffneLesen(const std::filesystem::path& pfad, Ergebnis& e)
{
    const int h = ::open(pfad.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    return h < 0 ? fehler(e) : h;
}

Ergebnis liesAb(Handle h, long long ab, std::string& aus)
{
    char puffer[1 << 16];
    for (;;) {
        const ssize_t n = ::pread(fd(h), puffer, sizeof puffer, ab);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return ausErrno(errno);
        if (n == 0)
            return {};
        aus.append(puffer, static_cast<std::size_t>(n));
        ab += n;
    }
}

Handle erzeuge(const std::filesystem::path& pfad, Ergebnis& e)
{
    const int h = ::open(pfad.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOCTTY | O_CLOEXEC, 0666);
    return h < 0 ? fehler(e) : h;
}

Handle erzeugeNeben(const std::filesystem::path& pfad, std::filesystem::path& neu, Ergebnis& e)
{
    // A short name, so that it fits wherever the old name fitted.
    std::string muster = (pfad.parent_path() / ".quadrix-XXXXXX").native();
    const int h = ::mkostemp(muster.data(), O_CLOEXEC);
    if (h < 0)
        return fehler(e);
    neu = muster;
    return h;
}

Ergebnis pruefeSchreibrecht(const std::filesystem::path& pfad)
{
    const int h = ::open(pfad.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (h < 0)
        return ausErrno(errno);
    ::close(h);
    return {};
}

bool letztesByte(Handle h, char& c)
{
    struct stat st {};
    return ::fstat(fd(h), &st) == 0 && st.st_size > 0 && ::pread(fd(h), &c, 1, st.st_size - 1) == 1;
}

Ergebnis schreibe(Handle h, std::string_view bytes, long long& geschrieben, long long& ende)
{
    geschrieben = 0;
    Ergebnis e;
    // One write call normally; only a short write goes on, to learn why it stopped.
    while (geschrieben < static_cast<long long>(bytes.size())) {
        const ssize_t n = ::write(fd(h), bytes.data() + geschrieben, bytes.size() - geschrieben);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            e = n < 0 ? ausErrno(errno) : Ergebnis{Ursache::DatentraegerVoll, 0};
            break;
        }
        geschrieben += n;
    }
    // In append mode the offset stands right after what this call wrote.
    ende = ::lseek(fd(h), 0, SEEK_CUR);
    return e;
}

Ergebnis sichere(Handle h)
{
    if (::fsync(fd(h)) == 0 || errno == EINVAL || errno == EROFS)
        return {};
    return ausErrno(errno);
}

void schliesse(Handle h) { ::close(fd(h)); }

Ergebnis sperre(Handle h)
{
    // About five seconds at most: a correction holds the lock only for its
    // last check and the rename, an append for one write.
    for (int warten = 0; warten < 5000; ++warten) {
        if (::flock(fd(h), LOCK_EX | LOCK_NB) == 0)
            return {};
        if (errno == EINTR)
            continue;
        // File systems without such locks: appends and corrections go on
        // as before, guarded by the checks of the content alone.
        if (errno != EWOULDBLOCK)
            return {};
        ::usleep(1000);
    }
    return {Ursache::InBenutzung, EWOULDBLOCK};
}

void kuerzeZurueck(const std::filesystem::path& pfad, long long ende, long long laenge)
{
    const int h = ::open(pfad.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (h < 0)
        return;
    struct stat st {};
    if (::fstat(h, &st) == 0 && S_ISREG(st.st_mode) && st.st_size == ende)
        (void)!::ftruncate(h, laenge);
    ::close(h);
}

void entferne(const std::filesystem::path& pfad) { ::unlink(pfad.c_str()); }

void rechteUebernehmen(const std::filesystem::path& von, Handle h)
{
    struct stat st {};
    if (::stat(von.c_str(), &st) != 0)
        return;
    // Owner and group only where we may (as root); the mode always.
    (void)!::fchown(fd(h), st.st_uid, st.st_gid);
    ::fchmod(fd(h), st.st_mode & 07777);
}

Ergebnis ersetzeDurch(const std::filesystem::path& neu, const std::filesystem::path& alt)
{
    if (::rename(neu.c_str(), alt.c_str()) != 0)
        return ausErrno(errno);
    // The new name itself on the disk too.
    const std::string ordner = alt.parent_path().empty() ? std::string(".") : alt.parent_path().native();
    if (const int d = ::open(ordner.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); d >= 0) {
        ::fsync(d);
        ::close(d);
    }
    return {};
}

}  // namespace textdatei::system
