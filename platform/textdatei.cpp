#include "textdatei.h"

#include <cerrno>
#include <string>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace textdatei {

namespace {

#ifdef _WIN32
using Handle = int;
Handle oeffnen(const std::filesystem::path& p, bool leeren)
{
    int h = -1;
    const int flags = _O_RDWR | _O_CREAT | _O_BINARY | _O_NOINHERIT | (leeren ? _O_TRUNC : 0);
    _wsopen_s(&h, p.c_str(), flags, _SH_DENYWR, _S_IREAD | _S_IWRITE);
    return h;
}
long long laenge(Handle h) { return _lseeki64(h, 0, SEEK_END); }
bool lesenBei(Handle h, long long pos, char& c)
{
    return _lseeki64(h, pos, SEEK_SET) == pos && _read(h, &c, 1) == 1;
}
bool positionieren(Handle h, long long pos) { return _lseeki64(h, pos, SEEK_SET) == pos; }
long long schreiben(Handle h, const char* d, std::size_t n) { return _write(h, d, static_cast<unsigned>(n)); }
bool sichern(Handle h) { return _commit(h) == 0; }
void kuerzen(Handle h, long long n) { (void)_chsize_s(h, n); }
void schliessen(Handle h) { _close(h); }
#else
using Handle = int;
Handle oeffnen(const std::filesystem::path& p, bool leeren)
{
    int h = ::open(p.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | (leeren ? O_TRUNC : 0), 0666);
    // A file that may be written but not read can still take a record.
    if (h < 0 && errno == EACCES && !leeren)
        h = ::open(p.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
    return h;
}
long long laenge(Handle h) { return ::lseek(h, 0, SEEK_END); }
bool lesenBei(Handle h, long long pos, char& c) { return ::pread(h, &c, 1, pos) == 1; }
bool positionieren(Handle h, long long pos) { return ::lseek(h, pos, SEEK_SET) == pos; }
long long schreiben(Handle h, const char* d, std::size_t n)
{
    ssize_t r;
    do
        r = ::write(h, d, n);
    while (r < 0 && errno == EINTR);
    return r;
}
bool sichern(Handle h) { return ::fsync(h) == 0 || errno == EINVAL || errno == EROFS; }
void kuerzen(Handle h, long long n) { (void)!::ftruncate(h, n); }
void schliessen(Handle h) { ::close(h); }
#endif

Ergebnis ausErrno(int e)
{
    switch (e) {
    case ENOENT:
    case ENOTDIR: return {Ursache::OrdnerFehlt, e};
    case EACCES:
    case EPERM: return {Ursache::KeineBerechtigung, e};
#ifdef EROFS
    case EROFS: return {Ursache::Schreibgeschuetzt, e};
#endif
    case EISDIR: return {Ursache::IstOrdner, e};
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
    case EFBIG: return {Ursache::DatentraegerVoll, e};
    default: return {Ursache::Anderes, e};
    }
}

bool leererName(const std::filesystem::path& p)
{
    return p.native().find_first_not_of(static_cast<std::filesystem::path::value_type>(' ')) ==
           std::filesystem::path::string_type::npos;
}

Ergebnis schreibeAb(Handle h, long long alt, std::string_view bytes)
{
    // One write call; a short write is a failure, not something to continue.
    const long long n = schreiben(h, bytes.data(), bytes.size());
    if (n != static_cast<long long>(bytes.size())) {
        const int e = n < 0 ? errno : ENOSPC;
        kuerzen(h, alt);
        return ausErrno(e);
    }
    if (!sichern(h)) {
        const int e = errno;
        kuerzen(h, alt);
        return ausErrno(e);
    }
    return {};
}

Ergebnis schreibe(const std::filesystem::path& pfad, std::string_view bytes, bool leeren)
{
    if (leererName(pfad))
        return {Ursache::KeinName, 0};
    std::error_code ec;
    if (std::filesystem::is_directory(pfad, ec))
        return {Ursache::IstOrdner, EISDIR};
    const Handle h = oeffnen(pfad, leeren);
    if (h < 0)
        return ausErrno(errno);
    const long long alt = laenge(h);
    std::string puffer;
    if (!leeren && alt > 0) {
        char letztes = '\n';
        // Unreadable files (write-only) are taken as ending properly.
        if (lesenBei(h, alt - 1, letztes) && letztes != '\n') {
            puffer.reserve(bytes.size() + 2);
            // A lone CR is a line end cut in half: complete it.
            puffer = letztes == '\r' ? "\n" : "\r\n";
            puffer += bytes;
            bytes = puffer;
        }
    }
    Ergebnis e;
    if (alt < 0 || !positionieren(h, alt < 0 ? 0 : alt))
        e = ausErrno(errno);
    else
        e = schreibeAb(h, alt, bytes);
    schliessen(h);
    return e;
}

}  // namespace

Ergebnis anhaengen(const std::filesystem::path& pfad, std::string_view zeile)
{
    return schreibe(pfad, zeile, false);
}

Ergebnis ersetzen(const std::filesystem::path& pfad, std::string_view inhalt)
{
    return schreibe(pfad, inhalt, true);
}

}  // namespace textdatei
