// On Windows: the wide command line turned into UTF-8, binary streams, and
// a console that shows UTF-8.
#include "platform/konsole.h"

#include <string>
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

}  // namespace

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
    SetConsoleOutputCP(CP_UTF8);
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
