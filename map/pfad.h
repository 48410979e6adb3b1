// A file name as the window holds it, for the file calls of the library.
#pragma once

#include <QString>

#include <filesystem>

inline std::filesystem::path pfadVon(const QString& s)
{
#ifdef _WIN32
    return std::filesystem::path(s.toStdWString());
#else
    return std::filesystem::path(s.toStdString());
#endif
}
