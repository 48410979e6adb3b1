// A place's lock on Windows: the file opened without sharing, so that no
// other open succeeds while it is held; it goes when its last handle closes.
#include "platform/gui/fensterplatz.h"

#include <windows.h>

namespace plattform {

std::intptr_t sperreDatei(const QString& pfad)
{
    const HANDLE h = CreateFileW(reinterpret_cast<const wchar_t*>(pfad.utf16()), GENERIC_READ | GENERIC_WRITE, 0,
                                 nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return -1;
    return reinterpret_cast<std::intptr_t>(h);
}

void gibFrei(std::intptr_t sperre) { CloseHandle(reinterpret_cast<HANDLE>(sperre)); }

}  // namespace plattform
