// Temporary files stand in for the streams of the list and table readers:
// portable, unlike memory streams.
#pragma once

#include <cstdio>
#include <string>

// A temporary file holding the bytes, read from the start.
inline std::FILE* tempdatei(const std::string& bytes)
{
    std::FILE* f = std::tmpfile();
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::rewind(f);
    return f;
}

// All bytes of a temporary file; closes it.
inline std::string alles(std::FILE* f)
{
    std::string s;
    std::rewind(f);
    char puffer[65536];
    for (std::size_t n; (n = std::fread(puffer, 1, sizeof puffer, f)) > 0;)
        s.append(puffer, n);
    std::fclose(f);
    return s;
}
