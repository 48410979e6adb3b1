// The installer's helper for the search path (Path) of the machine or of
// the user: adds or removes one folder as a whole entry, compared without
// regard to case and a closing backslash, whatever the value's length
// (NSIS strings end at 1,024 characters and would cut a longer one); every
// other entry stays byte for byte, and the value keeps its type.
//
//   suchpfad.exe hinzu|entferne maschine|benutzer ORDNER
//
// Exit status 0: done; 3: nothing to do (the folder was there already, or
// was not there to remove); 1: the value could not be read or written (it
// is then as it was); 2: wrong usage.
#include <windows.h>

#include <string>
#include <vector>

namespace {

const wchar_t* const MaschinenSchluessel = L"SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment";

std::wstring ohneSchraegstrich(std::wstring e)
{
    while (e.size() > 1 && (e.back() == L'\\' || e.back() == L'/'))
        e.pop_back();
    return e;
}

bool gleich(const std::wstring& a, const std::wstring& b)
{
    const std::wstring x = ohneSchraegstrich(a), y = ohneSchraegstrich(b);
    return CompareStringOrdinal(x.data(), static_cast<int>(x.size()), y.data(), static_cast<int>(y.size()), TRUE) ==
           CSTR_EQUAL;
}

std::vector<std::wstring> eintraege(const std::wstring& wert)
{
    std::vector<std::wstring> e;
    std::size_t anfang = 0;
    for (;;) {
        const std::size_t ende = wert.find(L';', anfang);
        e.push_back(wert.substr(anfang, ende == std::wstring::npos ? std::wstring::npos : ende - anfang));
        if (ende == std::wstring::npos)
            return e;
        anfang = ende + 1;
    }
}

// The value, its type; vorhanden false where there is none.
bool lies(HKEY schluessel, std::wstring& wert, DWORD& typ, bool& vorhanden)
{
    DWORD groesse = 0;
    LONG r = RegQueryValueExW(schluessel, L"Path", nullptr, &typ, nullptr, &groesse);
    if (r == ERROR_FILE_NOT_FOUND) {
        vorhanden = false;
        typ = REG_EXPAND_SZ;
        wert.clear();
        return true;
    }
    if (r != ERROR_SUCCESS || (typ != REG_SZ && typ != REG_EXPAND_SZ))
        return false;
    std::vector<wchar_t> puffer(groesse / sizeof(wchar_t) + 2, L'\0');
    groesse = static_cast<DWORD>(puffer.size() * sizeof(wchar_t));
    r = RegQueryValueExW(schluessel, L"Path", nullptr, &typ, reinterpret_cast<BYTE*>(puffer.data()), &groesse);
    if (r != ERROR_SUCCESS)
        return false;
    wert.assign(puffer.data(), groesse / sizeof(wchar_t));
    while (!wert.empty() && wert.back() == L'\0')
        wert.pop_back();
    vorhanden = true;
    return true;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc != 4)
        return 2;
    const std::wstring was = argv[1], wo = argv[2], ordner = argv[3];
    const bool hinzu = was == L"hinzu", maschine = wo == L"maschine";
    if ((!hinzu && was != L"entferne") || (!maschine && wo != L"benutzer") || ordner.empty() ||
        ordner.find(L';') != std::wstring::npos)
        return 2;
    HKEY schluessel = nullptr;
    const LONG offen = maschine ? RegOpenKeyExW(HKEY_LOCAL_MACHINE, MaschinenSchluessel, 0,
                                                KEY_QUERY_VALUE | KEY_SET_VALUE, &schluessel)
                                : RegCreateKeyExW(HKEY_CURRENT_USER, L"Environment", 0, nullptr, 0,
                                                  KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &schluessel, nullptr);
    if (offen != ERROR_SUCCESS)
        return 1;
    std::wstring wert;
    DWORD typ = REG_EXPAND_SZ;
    bool vorhanden = false;
    if (!lies(schluessel, wert, typ, vorhanden)) {
        RegCloseKey(schluessel);
        return 1;
    }
    std::wstring neu;
    bool geaendert = false;
    if (hinzu) {
        bool schonDa = false;
        for (const std::wstring& e : eintraege(wert))
            schonDa = schonDa || gleich(e, ordner);
        if (!schonDa) {
            // Always with a separator of its own (where the value had one at
            // its end, an empty entry follows it): taking the entry away again
            // gives back the value byte for byte.
            neu = vorhanden ? wert + L";" + ordner : ordner;
            geaendert = true;
        }
    } else if (vorhanden) {
        bool erstes = true;
        for (const std::wstring& e : eintraege(wert)) {
            if (gleich(e, ordner)) {
                geaendert = true;
                continue;
            }
            neu += erstes ? L"" : L";";
            neu += e;
            erstes = false;
        }
    }
    LONG r = ERROR_SUCCESS;
    if (geaendert) {
        // A value that held our folder alone was made by the installation: it goes.
        const bool nurUnserer = eintraege(wert).size() == 1;
        r = neu.empty() && nurUnserer ? RegDeleteValueW(schluessel, L"Path")
                        : RegSetValueExW(schluessel, L"Path", 0, typ, reinterpret_cast<const BYTE*>(neu.c_str()),
                                         static_cast<DWORD>((neu.size() + 1) * sizeof(wchar_t)));
    }
    RegCloseKey(schluessel);
    if (r != ERROR_SUCCESS)
        return 1;
    if (!geaendert)
        return 3;
    SendMessageTimeoutW(HWND_BROADCAST, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"Environment"),
                        SMTO_ABORTIFHUNG, 2000, nullptr);
    return 0;
}
