// The one line reader of every list, table and find-location file: lines
// ended by LF, CR LF or a CR alone (old Mac files), a last line with or
// without its end, lines of at most a block (1 MiB): a longer one comes in
// pieces, so that memory stays the same whatever the input. Standard library
// only.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string_view>
#include <vector>

namespace quadrix {

// A refused line, reported to the caller: its number (from 1) and the
// German reason. The library reports; the program decides how to show it.
using Melder = std::function<void(long zeile, const char* grund)>;

class Zeilenleser {
public:
    static constexpr std::size_t Block = std::size_t(1) << 20;
    // The buffer starts small and grows as lines need it, to a block and
    // room for a CR LF: a line of up to a block always comes whole.
    explicit Zeilenleser(std::FILE* ein, std::size_t block = Block)
        : m_ein(ein), m_groesste(block + 2), m_puffer(std::min(m_groesste, std::size_t(1) << 16))
    {
    }
    // vorweg: bytes of the input already read, to come first.
    Zeilenleser(std::FILE* ein, std::string_view vorweg) : Zeilenleser(ein)
    {
        vorweg.copy(m_puffer.data(), std::min(vorweg.size(), m_puffer.size()));
        m_gefuellt = std::min(vorweg.size(), m_puffer.size());
    }
    // A whole input already in memory (decoded from UTF-16): its lines whole, however long.
    explicit Zeilenleser(std::string_view text)
        : m_ein(nullptr), m_groesste(text.size() + 2), m_puffer(text.begin(), text.end()), m_gefuellt(text.size()),
          m_eingabeZuEnde(true)
    {
    }

    struct Zeile {
        std::string_view text;  // without its line end; valid until the next call
        std::string_view ende;  // "\n", "\r\n", "\r", or empty for a last line without one
        // A line longer than the block comes in pieces: teil on every piece
        // but the last, zuLang on all of them (the last carries the line end).
        bool teil = false, zuLang = false;
    };
    // The next line or piece; false at the end of the input or after a read error.
    bool naechste(Zeile& z)
    {
        // The common case, inline for long lists: a whole line in the buffer.
        // Eight bytes at a time are passed over while none is below 14 (no
        // CR or LF among them; TABs are looked at byte by byte).
        const char* const anfang = m_puffer.data() + m_anfang;
        const char* const grenze = m_puffer.data() + m_gefuellt;
        const char* p = anfang;
        for (;;) {
            for (std::uint64_t w; grenze - p >= 8; p += 8) {
                std::memcpy(&w, p, 8);
                if ((w - 0x0e0e0e0e0e0e0e0eULL) & ~w & 0x8080808080808080ULL)
                    break;
            }
            const char* const bis = grenze - p > 8 ? p + 8 : grenze;
            for (; p < bis; ++p)
                if (*p == '\n' || *p == '\r')
                    break;
            if (p == grenze)
                return weiter(z);
            if (p < bis)
                break;
        }
        if (m_ueberlang || (*p == '\r' && p + 1 == grenze))
            return weiter(z);
        const std::size_t laenge = *p == '\r' && p[1] == '\n' ? 2 : 1;
        z = {std::string_view(anfang, p - anfang), std::string_view(p, laenge), false, false};
        m_anfang = p + laenge - m_puffer.data();
        return true;
    }
    bool lesefehler() const { return m_lesefehler; }

private:
    bool weiter(Zeile& z);

    std::FILE* m_ein;
    std::size_t m_groesste;
    std::vector<char> m_puffer;
    std::size_t m_gefuellt = 0;
    bool m_eingabeZuEnde = false;
    std::size_t m_anfang = 0;
    bool m_ueberlang = false, m_lesefehler = false;
};

}  // namespace quadrix
