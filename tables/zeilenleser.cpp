#include "tables/zeilenleser.h"

#include <cstring>

namespace quadrix {

namespace {

// The first line end in [anfang, grenze). A CR at the very end may be the
// first half of a CR LF still to come: not an end yet, unless the input has ended.
const char* zeilenende(const char* anfang, const char* grenze, bool eingabeZuEnde, std::size_t& laenge)
{
    for (const char* p = anfang; p < grenze; ++p) {
        if (*p == '\n') {
            laenge = 1;
            return p;
        }
        if (*p == '\r') {
            if (p + 1 == grenze && !eingabeZuEnde)
                return nullptr;
            laenge = p + 1 < grenze && p[1] == '\n' ? 2 : 1;
            return p;
        }
    }
    return nullptr;
}

}  // namespace

bool Zeilenleser::weiter(Zeile& z)
{
    for (;;) {
        const char* const daten = m_puffer.data();
        const char* anfang = daten + m_anfang;
        const char* const grenze = daten + m_gefuellt;
        std::size_t endeLaenge = 0;
        if (const char* nl = zeilenende(anfang, grenze, m_eingabeZuEnde, endeLaenge)) {
            z = {std::string_view(anfang, nl - anfang), std::string_view(nl, endeLaenge), false, m_ueberlang};
            m_ueberlang = false;
            m_anfang = nl + endeLaenge - daten;
            return true;
        }
        if (m_eingabeZuEnde) {
            if (anfang == grenze && !m_ueberlang)
                return false;
            // The last line, without its end.
            z = {std::string_view(anfang, grenze - anfang), {}, false, m_ueberlang};
            m_ueberlang = false;
            m_anfang = m_gefuellt;
            return true;
        }
        if (m_anfang == 0 && m_gefuellt == m_puffer.size() && m_puffer.size() < m_groesste) {
            m_puffer.resize(std::min(m_groesste, m_puffer.size() * 2));
            continue;
        }
        if (m_anfang == 0 && m_gefuellt == m_puffer.size()) {
            // The block is full and holds no line end: a piece of an overlong line.
            z = {std::string_view(anfang, grenze - anfang), {}, true, true};
            m_ueberlang = true;
            m_anfang = m_gefuellt = 0;
            return true;
        }
        // Keep the unfinished line at the front and read on.
        m_gefuellt -= m_anfang;
        std::memmove(m_puffer.data(), anfang, m_gefuellt);
        m_anfang = 0;
        const std::size_t n = std::fread(m_puffer.data() + m_gefuellt, 1, m_puffer.size() - m_gefuellt, m_ein);
        if (n == 0) {
            if (std::ferror(m_ein)) {
                m_lesefehler = true;
                return false;
            }
            m_eingabeZuEnde = true;
        }
        m_gefuellt += n;
    }
}

}  // namespace quadrix
