// What the tests need of the system they run on, for Linux and Windows
// (under Wine): devices, folders nobody may write, a file-size limit.
#pragma once

#include <filesystem>
#include <string>

#ifdef _WIN32
#include <process.h>
#else
#include <csignal>
#include <sys/resource.h>
#include <unistd.h>
#endif

namespace testplattform {

#ifdef _WIN32
constexpr bool Windows = true;
inline int prozessnummer() { return _getpid(); }
// A device, not an ordinary file.
inline std::filesystem::path geraet() { return "NUL"; }
// Windows has no limit of a file's size per process.
// Whether this user may write any file whatever its permissions say.
inline bool schreibtAlles() { return false; }
class Groessengrenze {
public:
    explicit Groessengrenze(long long) {}
    bool aktiv() const { return false; }
};
#else
constexpr bool Windows = false;
inline int prozessnummer() { return ::getpid(); }
inline std::filesystem::path geraet() { return "/dev/full"; }
inline bool schreibtAlles() { return ::geteuid() == 0; }
// Like "ulimit -f": while it lives, no file of this process grows past
// bytes; a write that would fails with EFBIG, as on a disk that is full.
class Groessengrenze {
public:
    explicit Groessengrenze(long long bytes)
    {
        std::signal(SIGXFSZ, SIG_IGN);
        m_ok = ::getrlimit(RLIMIT_FSIZE, &m_alt) == 0;
        rlimit neu = m_alt;
        neu.rlim_cur = static_cast<rlim_t>(bytes);
        m_ok = m_ok && ::setrlimit(RLIMIT_FSIZE, &neu) == 0;
    }
    ~Groessengrenze()
    {
        if (m_ok)
            ::setrlimit(RLIMIT_FSIZE, &m_alt);
    }
    Groessengrenze(const Groessengrenze&) = delete;
    Groessengrenze& operator=(const Groessengrenze&) = delete;
    bool aktiv() const { return m_ok; }

private:
    rlimit m_alt{};
    bool m_ok = false;
};
#endif

// A folder nobody may write: /sys for root (who ignores permission bits), the
// folder itself made read-only for everybody else. On Windows a folder's
// read-only bit does not stop writing into it: empty there.
inline std::filesystem::path schreibgeschuetzt(const std::filesystem::path& ordner)
{
    namespace fs = std::filesystem;
#ifdef _WIN32
    (void)ordner;
    return {};
#else
    if (::geteuid() == 0)
        return "/sys";
    fs::permissions(ordner, fs::perms::owner_read | fs::perms::owner_exec);
    return ordner;
#endif
}

}  // namespace testplattform
