// Between the window's texts and the library's: a file name for the file
// calls, and the library's UTF-8 as a QString.
#pragma once

#include <QString>

#include <filesystem>
#include <string>

inline std::filesystem::path pfadVon(const QString& s)
{
#ifdef _WIN32
    return std::filesystem::path(s.toStdWString());
#else
    return std::filesystem::path(s.toStdString());
#endif
}

inline QString u8(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }
