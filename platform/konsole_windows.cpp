// On Windows: the wide command line turned into UTF-8, binary streams, and
// text for a console window written with the console's wide-character API
// (files and pipes get the UTF-8 bytes as they are).
#include "platform/konsole.h"

#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <io.h>
#include <windows.h>
#include <shellapi.h>

namespace konsole {

namespace {

std::string utf8(const wchar_t* w)
{
    const int n = WideCharToMultiByte(CP_UTF8, 0, w, -1, nullptr, 0, nullptr, nullptr);
    std::string s(n > 0 ? n - 1 : 0, '\0');
    if (n > 1)
        WideCharToMultiByte(CP_UTF8, 0, w, -1, s.data(), n, nullptr, nullptr);
    return s;
}

std::wstring breit(const char* s)
{
    const int n = MultiByteToWideChar(CP_UTF8, 0, s, -1, nullptr, 0);
    std::wstring w(n > 0 ? n - 1 : 0, L'\0');
    if (n > 1)
        MultiByteToWideChar(CP_UTF8, 0, s, -1, w.data(), n);
    return w;
}

bool istKonsole(HANDLE h)
{
    DWORD modus = 0;
    return h && h != INVALID_HANDLE_VALUE && GetConsoleMode(h, &modus);
}

// The bytes at the start of s that make whole UTF-8 characters: a character
// cut by the end of a read waits for the next one.
std::size_t ganzeZeichen(std::string_view s)
{
    const std::size_t n = s.size();
    for (std::size_t k = 1; k <= 4 && k <= n; ++k) {
        const auto c = static_cast<unsigned char>(s[n - k]);
        if ((c & 0xc0) == 0x80)
            continue;
        const std::size_t laenge = c >= 0xf0 ? 4 : c >= 0xe0 ? 3 : c >= 0xc0 ? 2 : 1;
        return laenge > k ? n - k : n;
    }
    return n;
}

void zurKonsole(HANDLE konsole, std::string_view text)
{
    if (text.empty())
        return;
    const int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring w(n, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), w.data(), n);
    for (std::size_t ab = 0; ab < w.size();) {
        DWORD geschrieben = 0;
        if (!WriteConsoleW(konsole, w.data() + ab, static_cast<DWORD>(w.size() - ab), &geschrieben, nullptr) ||
            geschrieben == 0)
            return;
        ab += geschrieben;
    }
}

struct Umleitung {
    std::FILE* strom;
    std::thread faden;
};
std::vector<Umleitung>& umleitungen()
{
    static std::vector<Umleitung> u;
    return u;
}

// A stream that shows in a console window: its bytes go through a pipe to
// a thread that writes them to the console as wide characters.
void umleiten(std::FILE* strom, DWORD welcher)
{
    HANDLE standard = GetStdHandle(welcher);
    if (!istKonsole(standard))
        return;
    // A handle of our own: putting the pipe in the stream's place closes the stream's.
    HANDLE konsole = nullptr;
    if (!DuplicateHandle(GetCurrentProcess(), standard, GetCurrentProcess(), &konsole, 0, FALSE,
                         DUPLICATE_SAME_ACCESS))
        return;
    int enden[2];
    if (_pipe(enden, 1 << 16, _O_BINARY) != 0) {
        CloseHandle(konsole);
        return;
    }
    std::fflush(strom);
    if (_dup2(enden[1], _fileno(strom)) != 0) {
        _close(enden[0]);
        _close(enden[1]);
        CloseHandle(konsole);
        return;
    }
    _close(enden[1]);
    umleitungen().push_back({strom, std::thread([lesen = enden[0], konsole] {
                                 std::string rest;
                                 char puffer[1 << 14];
                                 for (int n; (n = _read(lesen, puffer, sizeof puffer)) > 0;) {
                                     rest.append(puffer, static_cast<std::size_t>(n));
                                     const std::size_t ganz = ganzeZeichen(rest);
                                     zurKonsole(konsole, std::string_view(rest).substr(0, ganz));
                                     rest.erase(0, ganz);
                                 }
                                 zurKonsole(konsole, rest);
                                 _close(lesen);
                                 CloseHandle(konsole);
                             })});
}

}  // namespace

bool aufBildschirm(std::FILE* strom)
{
    for (const Umleitung& u : umleitungen())
        if (u.strom == strom)
            return true;
    return false;
}

void beenden()
{
    for (Umleitung& u : umleitungen()) {
        std::fflush(u.strom);
        _close(_fileno(u.strom));
        if (u.faden.joinable())
            u.faden.join();
    }
    umleitungen().clear();
}

void einrichten(int& argc, char**& argv)
{
    static std::vector<std::string> texte;
    static std::vector<char*> zeiger;
    int n = 0;
    if (wchar_t** w = CommandLineToArgvW(GetCommandLineW(), &n)) {
        for (int i = 0; i < n; ++i)
            texte.push_back(utf8(w[i]));
        LocalFree(w);
        for (auto& t : texte)
            zeiger.push_back(t.data());
        zeiger.push_back(nullptr);
        argc = n;
        argv = zeiger.data();
    }
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    umleiten(stdout, STD_OUTPUT_HANDLE);
    umleiten(stderr, STD_ERROR_HANDLE);
}

std::FILE* oeffne(const char* name, const char* modus)
{
    return _wfopen(breit(name).c_str(), breit(modus).c_str());
}

std::filesystem::path programmOrdner()
{
    std::wstring name(32768, L'\0');
    const DWORD n = GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
    if (n == 0 || n >= name.size())
        return {};
    name.resize(n);
    return std::filesystem::path(name).parent_path();
}

}  // namespace konsole
