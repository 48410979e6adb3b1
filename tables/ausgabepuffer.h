// Output gathered in blocks and written with one fwrite each. A failed
// write is remembered, so that the caller reports it once and never exits 0
// after it. Nothing is written on destruction: a caller that gives up keeps
// half a document out of the output.
#pragma once

#include <cstdio>
#include <string>

namespace quadrix {

class Ausgabepuffer {
public:
    explicit Ausgabepuffer(std::FILE* f, std::size_t block = 1 << 16) : m_f(f), m_block(block)
    {
        m_text.reserve(block + 4096);
    }
    std::string& text() { return m_text; }
    // Writes once a block is full; false after any failed write.
    bool vielleichtLeeren() { return m_text.size() < m_block ? !m_fehler : leeren(); }
    bool leeren()
    {
        if (!m_text.empty() && std::fwrite(m_text.data(), 1, m_text.size(), m_f) != m_text.size())
            m_fehler = true;
        m_text.clear();
        return !m_fehler;
    }

private:
    std::FILE* m_f;
    std::size_t m_block;
    std::string m_text;
    bool m_fehler = false;
};

}  // namespace quadrix
