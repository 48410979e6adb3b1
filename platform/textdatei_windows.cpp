// The file calls of text-file output on Windows: the wide-character API, so
// that any name the file system holds (umlauts, UNC shares) can be written.
#include "platform/textdatei_system.h"

#include <string>

#include <windows.h>

namespace textdatei::system {

namespace {

Ergebnis ausFehler(DWORD f)
{
    switch (f) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME: return {Ursache::OrdnerFehlt, int(f)};
    case ERROR_ACCESS_DENIED: return {Ursache::KeineBerechtigung, int(f)};
    case ERROR_WRITE_PROTECT: return {Ursache::Schreibgeschuetzt, int(f)};
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
    case ERROR_FILE_TOO_LARGE: return {Ursache::DatentraegerVoll, int(f)};
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_BUFFER_OVERFLOW: return {Ursache::NameZuLang, int(f)};
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_DIRECTORY: return {Ursache::UngueltigerName, int(f)};
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION: return {Ursache::InBenutzung, int(f)};
    case ERROR_NOT_READY:
    case ERROR_CRC:
    case ERROR_GEN_FAILURE:
    case ERROR_IO_DEVICE: return {Ursache::EinAusgabe, int(f)};
    default: return {Ursache::Anderes, int(f)};
    }
}

// Names longer than the file system takes are reported as a missing path
// by some (Wine, some network file systems): say what is really wrong.
bool zuLang(const std::filesystem::path& pfad)
{
    if (pfad.native().size() >= MAX_PATH)
        return true;
    for (const auto& teil : pfad)
        if (teil.native().size() > 255)
            return true;
    return false;
}

Ergebnis ausFehler(DWORD f, const std::filesystem::path& pfad)
{
    if ((f == ERROR_PATH_NOT_FOUND || f == ERROR_FILE_NOT_FOUND || f == ERROR_INVALID_NAME) && zuLang(pfad))
        return {Ursache::NameZuLang, int(f)};
    return ausFehler(f);
}

Handle fehler(Ergebnis& e, const std::filesystem::path& pfad)
{
    e = ausFehler(GetLastError(), pfad);
    return KeinHandle;
}

HANDLE h32(Handle h) { return reinterpret_cast<HANDLE>(h); }
Handle aus32(HANDLE h) { return h == INVALID_HANDLE_VALUE ? KeinHandle : reinterpret_cast<Handle>(h); }

// Devices (CON, NUL, COM1) and pipes are no files to write records into.
bool istPlatte(HANDLE h) { return GetFileType(h) == FILE_TYPE_DISK; }

// An opened handle, if it names a file on a disk; else closed again.
Handle nurDatei(HANDLE h, Ergebnis& e)
{
    if (istPlatte(h))
        return aus32(h);
    CloseHandle(h);
    e = {Ursache::KeineDatei, 0};
    return KeinHandle;
}

long long groesse(HANDLE h)
{
    LARGE_INTEGER g{};
    return GetFileSizeEx(h, &g) ? g.QuadPart : -1;
}

}  // namespace

Art art(const std::filesystem::path& pfad, Ergebnis& e)
{
    const DWORD a = GetFileAttributesW(pfad.c_str());
    if (a == INVALID_FILE_ATTRIBUTES) {
        const DWORD f = GetLastError();
        if (zuLang(pfad))
            e = ausFehler(f, pfad);
        else if (f != ERROR_FILE_NOT_FOUND && f != ERROR_PATH_NOT_FOUND)
            e = ausFehler(f);
        return Art::Fehlt;
    }
    if (a & FILE_ATTRIBUTE_DIRECTORY)
        return Art::Ordner;
    return a & FILE_ATTRIBUTE_DEVICE ? Art::Anderes : Art::Datei;
}

Handle oeffneAnhaengen(const std::filesystem::path& pfad, Ergebnis& e)
{
    // Append access alone: every write goes to the end. Others may read
    // meanwhile but not write.
    HANDLE h = CreateFileW(pfad.c_str(), FILE_APPEND_DATA | FILE_READ_DATA | SYNCHRONIZE, FILE_SHARE_READ,
                           nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE && GetLastError() == ERROR_ACCESS_DENIED)
        h = CreateFileW(pfad.c_str(), FILE_APPEND_DATA | SYNCHRONIZE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                        FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return fehler(e, pfad);
    return nurDatei(h, e);
}

Handle oeffneLesen(const std::filesystem::path& pfad, Ergebnis& e)
{
    const HANDLE h = CreateFileW(pfad.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                 nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    return h == INVALID_HANDLE_VALUE ? fehler(e, pfad) : nurDatei(h, e);
}

Ergebnis liesAb(Handle h, long long ab, std::string& aus)
{
    char puffer[1 << 16];
    for (;;) {
        OVERLAPPED o{};
        o.Offset = static_cast<DWORD>(ab);
        o.OffsetHigh = static_cast<DWORD>(ab >> 32);
        DWORD n = 0;
        if (!ReadFile(h32(h), puffer, sizeof puffer, &n, &o)) {
            const DWORD f = GetLastError();
            return f == ERROR_HANDLE_EOF ? Ergebnis{} : ausFehler(f);
        }
        if (n == 0)
            return {};
        aus.append(puffer, n);
        ab += n;
    }
}

Handle erzeuge(const std::filesystem::path& pfad, Ergebnis& e)
{
    const HANDLE h = CreateFileW(pfad.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return fehler(e, pfad);
    return nurDatei(h, e);
}

Handle erzeugeNeben(const std::filesystem::path& pfad, std::filesystem::path& neu, Ergebnis& e)
{
    unsigned long long zahl = GetTickCount64() ^ (static_cast<unsigned long long>(GetCurrentProcessId()) << 32);
    for (int versuch = 0; versuch < 100; ++versuch, zahl = zahl * 6364136223846793005ULL + 1442695040888963407ULL) {
        wchar_t name[32];
        swprintf(name, 32, L".quadrix-%06llx", (zahl >> 20) & 0xffffffULL);
        neu = pfad.parent_path() / name;
        const HANDLE h = CreateFileW(neu.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h != INVALID_HANDLE_VALUE)
            return aus32(h);
        if (GetLastError() != ERROR_FILE_EXISTS)
            return fehler(e, neu);
    }
    e = {Ursache::Anderes, ERROR_FILE_EXISTS};
    return KeinHandle;
}

Ergebnis pruefeSchreibrecht(const std::filesystem::path& pfad)
{
    // A read-only file refuses write access even to its owner (and to an
    // administrator, whom the access check below may let through).
    const DWORD a = GetFileAttributesW(pfad.c_str());
    if (a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_READONLY))
        return {Ursache::KeineBerechtigung, ERROR_ACCESS_DENIED};
    const HANDLE h = CreateFileW(pfad.c_str(), FILE_WRITE_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return ausFehler(GetLastError(), pfad);
    CloseHandle(h);
    return {};
}

bool letztesByte(Handle h, char& c)
{
    const long long g = groesse(h32(h));
    if (g <= 0)
        return false;
    OVERLAPPED o{};
    o.Offset = static_cast<DWORD>(g - 1);
    o.OffsetHigh = static_cast<DWORD>((g - 1) >> 32);
    DWORD gelesen = 0;
    return ReadFile(h32(h), &c, 1, &gelesen, &o) && gelesen == 1;
}

Ergebnis schreibe(Handle h, std::string_view bytes, long long& geschrieben, long long& ende)
{
    geschrieben = 0;
    Ergebnis e;
    while (geschrieben < static_cast<long long>(bytes.size())) {
        DWORD n = 0;
        const DWORD rest = static_cast<DWORD>(bytes.size() - geschrieben);
        if (!WriteFile(h32(h), bytes.data() + geschrieben, rest, &n, nullptr)) {
            e = ausFehler(GetLastError());
            break;
        }
        if (n == 0) {
            e = {Ursache::DatentraegerVoll, 0};
            break;
        }
        geschrieben += n;
    }
    // Nobody else may write while we hold the file: its end is ours.
    ende = groesse(h32(h));
    return e;
}

Ergebnis sichere(Handle h)
{
    if (FlushFileBuffers(h32(h)))
        return {};
    return ausFehler(GetLastError());
}

void schliesse(Handle h) { CloseHandle(h32(h)); }

// An append holds its handle without FILE_SHARE_DELETE: while it is open,
// the file cannot be replaced, and the correction fails instead.
Ergebnis sperre(Handle) { return {}; }

void kuerzeZurueck(const std::filesystem::path& pfad, long long ende, long long laenge)
{
    const HANDLE h = CreateFileW(pfad.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return;
    LARGE_INTEGER l{};
    l.QuadPart = laenge;
    if (istPlatte(h) && groesse(h) == ende && SetFilePointerEx(h, l, nullptr, FILE_BEGIN))
        SetEndOfFile(h);
    CloseHandle(h);
}

void entferne(const std::filesystem::path& pfad) { DeleteFileW(pfad.c_str()); }

// ReplaceFileW carries the old file's attributes and access rights over.
void rechteUebernehmen(const std::filesystem::path&, Handle) {}

Ergebnis ersetzeDurch(const std::filesystem::path& neu, const std::filesystem::path& alt)
{
    if (ReplaceFileW(alt.c_str(), neu.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr))
        return {};
    const DWORD f = GetLastError();
    // Where the file system cannot merge (some network shares), a plain replacing move still is one step.
    if (f != ERROR_UNABLE_TO_MOVE_REPLACEMENT && f != ERROR_UNABLE_TO_MOVE_REPLACEMENT_2 &&
        MoveFileExW(neu.c_str(), alt.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return {};
    return ausFehler(f);
}

}  // namespace textdatei::system
