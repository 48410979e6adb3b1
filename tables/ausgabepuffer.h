// Output gathered in blocks and written with one fwrite each. A failed
// write is remembered, so that the caller reports it once and never exits 0
// after it. Nothing is written on destruction: a caller that gives up keeps
// half a document out of the output. Without a file (nullptr) the output is
// gathered in memory: gesammelt().
#pragma once

#include "tables/kodierung.h"

#include <cstdio>
#include <string>

namespace quadrix {

class Ausgabepuffer {
public:
    // k: the output's encoding; with UTF-16, the text gathered (UTF-8, whole
    // characters at every flush) is written in UTF-16 after the mark.
    explicit Ausgabepuffer(std::FILE* f, std::size_t block = 1 << 16, Kodierung k = Kodierung::Bytes)
        : m_f(f), m_block(block), m_kodierung(k)
    {
        m_text.reserve(block + 4096);
    }
    std::string& text() { return m_text; }
    // Writes once a block is full; false after any failed write.
    bool vielleichtLeeren() { return m_text.size() < m_block ? !m_fehler : leeren(); }
    bool leeren()
    {
        const std::string* aus = &m_text;
        if (m_kodierung != Kodierung::Bytes) {
            m_utf16.clear();
            if (!m_markeGeschrieben)
                m_utf16 = utf16Marke(m_kodierung);
            m_markeGeschrieben = true;
            alsUtf16(m_text, m_kodierung, m_utf16);
            aus = &m_utf16;
        }
        if (!m_f)
            m_gesammelt += *aus;
        else if (!aus->empty() && std::fwrite(aus->data(), 1, aus->size(), m_f) != aus->size())
            m_fehler = true;
        m_text.clear();
        return !m_fehler;
    }

    const std::string& gesammelt() const { return m_gesammelt; }

private:
    std::FILE* m_f;
    std::string m_gesammelt;
    std::size_t m_block;
    Kodierung m_kodierung;
    std::string m_text, m_utf16;
    bool m_fehler = false, m_markeGeschrieben = false;
};

}  // namespace quadrix
