// Places by name: names compared in one written form, whatever the case,
// umlauts, accents, punctuation and short forms.
#include "orte/orte.h"

#include <algorithm>

namespace orte {

namespace {

// One code point of UTF-8 at i (advancing i); a stray byte stands for itself.
char32_t zeichen(std::string_view s, std::size_t& i)
{
    const auto b = static_cast<unsigned char>(s[i++]);
    if (b < 0x80)
        return b;
    const int mehr = b >= 0xF0 ? 3 : b >= 0xE0 ? 2 : b >= 0xC0 ? 1 : 0;
    char32_t c = b & (0x3F >> mehr);
    for (int k = 0; k < mehr && i < s.size() && (static_cast<unsigned char>(s[i]) & 0xC0) == 0x80; ++k)
        c = (c << 6) | (static_cast<unsigned char>(s[i++]) & 0x3F);
    return c;
}

// A letter as it is compared: lower case, umlauts written out, accents dropped.
const char* alsBuchstaben(char32_t c)
{
    switch (c) {
    case U'ä': case U'Ä': case U'æ': case U'Æ': return "ae";
    case U'ö': case U'Ö': case U'ø': case U'Ø': case U'œ': case U'Œ': return "oe";
    case U'ü': case U'Ü': return "ue";
    case U'ß': case U'ẞ': return "ss";
    case U'à': case U'á': case U'â': case U'ã': case U'å': case U'À': case U'Á': case U'Â': case U'Ã': case U'Å':
    case U'ą': case U'Ą': return "a";
    case U'ç': case U'Ç': case U'č': case U'Č': case U'ć': case U'Ć': return "c";
    case U'è': case U'é': case U'ê': case U'ë': case U'È': case U'É': case U'Ê': case U'Ë': case U'ě': case U'Ě':
    case U'ę': case U'Ę': return "e";
    case U'ì': case U'í': case U'î': case U'ï': case U'Ì': case U'Í': case U'Î': case U'Ï': return "i";
    case U'ñ': case U'Ñ': case U'ń': case U'Ń': case U'ň': case U'Ň': return "n";
    case U'ò': case U'ó': case U'ô': case U'õ': case U'Ò': case U'Ó': case U'Ô': case U'Õ': return "o";
    case U'ù': case U'ú': case U'û': case U'Ù': case U'Ú': case U'Û': case U'ů': case U'Ů': return "u";
    case U'ý': case U'ÿ': case U'Ý': return "y";
    case U'š': case U'Š': case U'ś': case U'Ś': return "s";
    case U'ž': case U'Ž': case U'ź': case U'Ź': case U'ż': case U'Ż': return "z";
    case U'ř': case U'Ř': return "r";
    case U'ł': case U'Ł': return "l";
    case U'ď': case U'Ď': return "d";
    case U'ť': case U'Ť': return "t";
    default: return nullptr;
    }
}

std::vector<std::string> woerter(std::string_view name)
{
    std::vector<std::string> w(1);
    for (std::size_t i = 0; i < name.size();) {
        const char32_t c = zeichen(name, i);
        if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))
            w.back() += static_cast<char>(c);
        else if (c >= 'A' && c <= 'Z')
            w.back() += static_cast<char>(c - 'A' + 'a');
        else if (const char* b = alsBuchstaben(c))
            w.back() += b;
        else if (!w.back().empty())
            w.emplace_back();  // anything else separates words
    }
    if (w.back().empty())
        w.pop_back();
    // Short forms written out: "St." Sankt, "b." bei (first: Bad), "a." an, "d." der, "i." in, "v." vor.
    for (std::size_t i = 0; i < w.size(); ++i) {
        std::string& x = w[i];
        if (x == "st")
            x = "sankt";
        else if (x == "b")
            x = i == 0 ? "bad" : "bei";
        else if (x == "a")
            x = "an";
        else if (x == "am" || x == "an")
            x = "an";
        else if (x == "d")
            x = "der";
        else if (x == "i")
            x = "in";
        else if (x == "v")
            x = "vor";
    }
    return w;
}

std::string verbunden(const std::vector<std::string>& w, std::size_t ab = 0)
{
    std::string s;
    for (std::size_t i = ab; i < w.size(); ++i)
        (s += i > ab ? " " : "") += w[i];
    return s;
}

// How well the words of a name fit the words asked for: 2 the whole name,
// 1 the start of it (the last word asked for may be the start of a word), 0 not.
int passt(const std::vector<std::string>& name, const std::vector<std::string>& frage, std::size_t ab)
{
    if (frage.empty() || name.size() - ab < frage.size())
        return 0;
    for (std::size_t i = 0; i < frage.size(); ++i) {
        const std::string& n = name[ab + i];
        if (i + 1 < frage.size() ? n != frage[i] : n.compare(0, frage[i].size(), frage[i]) != 0)
            return 0;
    }
    return name.size() - ab == frage.size() && name.back() == frage.back() ? 2 : 1;
}

}  // namespace

std::string suchform(std::string_view name) { return verbunden(woerter(name)); }

std::vector<const Ort*> suche(std::string_view name, std::size_t hoechstens)
{
    const std::vector<std::string> frage = woerter(name);
    struct Treffer {
        int guete;
        const Ort* ort;
    };
    std::vector<Treffer> treffer;
    if (frage.empty())
        return {};
    for (std::size_t i = 0; i < daten::AnzahlOrte; ++i) {
        const Ort& o = daten::Orte[i];
        const std::vector<std::string> w = woerter(o.name);
        int g = passt(w, frage, 0);
        // Found without its "Bad" too.
        if (g == 0 && w.size() > 1 && w[0] == "bad")
            g = passt(w, frage, 1);
        if (g > 0)
            treffer.push_back({g, &o});
    }
    // The whole name first; within each, the larger first (the data's order).
    std::stable_sort(treffer.begin(), treffer.end(), [](const Treffer& a, const Treffer& b) { return a.guete > b.guete; });
    std::vector<const Ort*> aus;
    for (const Treffer& t : treffer) {
        if (aus.size() == hoechstens)
            break;
        aus.push_back(t.ort);
    }
    return aus;
}

}  // namespace orte
