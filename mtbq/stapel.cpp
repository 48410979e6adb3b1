#include "stapel.h"

#include "punkt.h"
#include "texte.h"

#include <cstring>
#include <string>
#include <vector>

namespace mtbq {

namespace {

constexpr std::size_t Block = 1 << 20;

class Schreiber {
public:
    explicit Schreiber(std::FILE* f) : m_f(f) { m_puffer.reserve(Block + 4096); }
    ~Schreiber() { leeren(); }
    std::string& puffer() { return m_puffer; }
    void vielleichtLeeren()
    {
        if (m_puffer.size() >= Block)
            leeren();
    }
    bool leeren()
    {
        if (!m_puffer.empty() && std::fwrite(m_puffer.data(), 1, m_puffer.size(), m_f) != m_puffer.size())
            m_fehler = true;
        m_puffer.clear();
        return !m_fehler;
    }
    bool fehler() const { return m_fehler; }

private:
    std::FILE* m_f;
    std::string m_puffer;
    bool m_fehler = false;
};

}  // namespace

std::string spaltentitel(Datum d)
{
    return d == Datum::Potsdam ? "MTB [Potsdam (DHDN)]" : std::string("MTB [aus ") + datumName(d) + "]";
}

long stapel(std::FILE* ein, const char* name, std::FILE* aus, std::FILE* fehler, const Ausgabeform& form)
{
    std::vector<char> puffer(Block);
    std::size_t gefuellt = 0;
    long zeilennummer = 0, abgelehnt = 0;
    bool ende = false;
    Schreiber schreiber(aus);
    std::string& out = schreiber.puffer();
    const std::string titel = spaltentitel(form.datum);

    while (!ende) {
        if (gefuellt == puffer.size())
            puffer.resize(puffer.size() * 2);  // one line longer than the buffer
        const std::size_t n = std::fread(puffer.data() + gefuellt, 1, puffer.size() - gefuellt, ein);
        if (n == 0) {
            if (std::ferror(ein))
                return -1;
            ende = true;
        }
        gefuellt += n;
        const char* anfang = puffer.data();
        const char* const grenze = puffer.data() + gefuellt;
        for (;;) {
            const char* nl = static_cast<const char*>(std::memchr(anfang, '\n', grenze - anfang));
            if (!nl) {
                if (!ende || anfang == grenze)
                    break;
                nl = grenze;  // last line without line end
            }
            std::string_view zeile(anfang, nl - anfang);
            const bool cr = !zeile.empty() && zeile.back() == '\r';
            if (cr)
                zeile.remove_suffix(1);
            ++zeilennummer;

            out.append(zeile);
            out += '\t';
            Punkt p;
            Fehler f = zeile.empty() ? Fehler::Keine : lesePunkt(zeile, p);
            if (f == Fehler::Keine && !zeile.empty())
                f = aufPotsdam(p, form.transformation);
            if (zeile.empty()) {
                // an empty line stays empty, with an empty code column
            } else if (f == Fehler::Keine) {
                if (mtb::Code code; mtb::codeGenau(p.breite, p.laenge, code))
                    schreibeCode(out, code, form.ebenen, form.notation);
            } else if (zeilennummer == 1 && ohneZiffern(zeile)) {
                out += titel;  // the header line gets a title for the new column
            } else {
                ++abgelehnt;
                std::fprintf(fehler, "%s:%ld: %s\n", name, zeilennummer, text(f));
            }
            out += cr ? "\r\n" : "\n";
            schreiber.vielleichtLeeren();
            if (nl == grenze) {
                anfang = grenze;
                break;
            }
            anfang = nl + 1;
        }
        gefuellt = grenze - anfang;
        std::memmove(puffer.data(), anfang, gefuellt);
    }
    if (!schreiber.leeren())
        return -1;
    return abgelehnt;
}

}  // namespace mtbq
