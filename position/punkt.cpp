#include "position/punkt.h"

#include "grid/ganzzahl.h"
#include "position/zahl.h"

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace quadrix {

namespace {

using namespace zahlen;

struct Gelesen {
    std::array<Zahl, 8> zahlen;
    int anzahl = 0;
    // Hemisphere letters in order, with the number index they stand at.
    std::array<char, 4> buchstabe;
    std::array<int, 4> vorZahl;
    int buchstaben = 0;
    int minusBei = -1;  // index of the first number with a minus sign
};

using ganzzahl::ziffer;
bool buchstabe(unsigned char c) { return (c | 0x20) >= 'a' && (c | 0x20) <= 'z'; }

// Length of a mark at s[i], and which mark; 0 when there is none.
int marke(std::string_view s, std::size_t i, Marke& m)
{
    const auto b = static_cast<unsigned char>(s[i]);
    auto folgt = [&](std::string_view f) { return s.substr(i, f.size()) == f; };
    if (b == 0xB0) return m = Marke::Grad, 1;  // Windows-1252
    if (folgt("\xC2\xB0") || folgt("\xC2\xBA")) return m = Marke::Grad, 2;
    if (folgt("''")) return m = Marke::Sekunde, 2;
    if (b == '\'' || b == 0xB4) return m = Marke::Minute, 1;
    if (folgt("\xC2\xB4")) return m = Marke::Minute, 2;  // the acute accent in UTF-8
    if (b == '"') return m = Marke::Sekunde, 1;
    if (folgt("\xE2\x80\xB2") || folgt("\xE2\x80\x99")) return m = Marke::Minute, 3;
    if (folgt("\xE2\x80\xB3") || folgt("\xE2\x80\x9D")) return m = Marke::Sekunde, 3;
    return 0;
}

// What a byte is to the quick way, by table: one load instead of a chain of comparisons.
enum class Klasse : std::uint8_t { Anderes, Trenner, Dezimal };
constexpr std::array<Klasse, 256> Klassen = [] {
    std::array<Klasse, 256> k{};
    k[' '] = k['\t'] = k[';'] = Klasse::Trenner;
    k['.'] = k[','] = Klasse::Dezimal;
    return k;
}();
Klasse klasse(char c) { return Klassen[static_cast<unsigned char>(c)]; }
bool trenner(char c) { return klasse(c) == Klasse::Trenner; }

// One column of the line: numbers, marks, hemisphere letters. A column with
// anything else (a word, a slash) is not a coordinate and is skipped whole.
Fehler spalte(std::string_view s, bool kommaDezimal, Gelesen& neu)
{
    // Where the column started, to forget it again if it is no coordinate.
    const int anzahl = neu.anzahl, buchstaben = neu.buchstaben, minusBei = neu.minusBei;
    // Only a column without any digit is a name to pass over: a number glued
    // to something else must not vanish quietly and leave a wrong point.
    auto ueberspringen = [&] {
        for (char c : s)
            if (ziffer(c))
                return Fehler::Spalte;
        neu.anzahl = anzahl;
        neu.buchstaben = buchstaben;
        neu.minusBei = minusBei;
        return Fehler::Keine;
    };
    std::size_t i = 0;
    while (i < s.size()) {
        const char c = s[i];
        if (ziffer(c)) {
            if (neu.anzahl == static_cast<int>(neu.zahlen.size()))
                return Fehler::AnzahlZahlen;
            Zahl& z = neu.zahlen[neu.anzahl++];
            z = Zahl{0, 0, Marke::Keine};
            int ganze = 0;
            while (i < s.size() && ziffer(s[i])) {
                if ((z.wert != 0 || s[i] != '0') && ++ganze > 7)
                    return Fehler::ZuGross;
                z.wert = z.wert * 10 + (s[i++] - '0');
            }
            if (i + 1 < s.size() && (s[i] == '.' || (s[i] == ',' && kommaDezimal)) && ziffer(s[i + 1])) {
                ++i;
                // Decimals beyond the tenth, as spreadsheets and scripts
                // write them (50.122222222222224), round to the tenth, half
                // up: 1e-10 degree is a hundredth of a millimetre.
                bool erstesWeitere = true;
                while (i < s.size() && ziffer(s[i])) {
                    if (z.stellen < mtb::MaxStellen) {
                        z.wert = z.wert * 10 + (s[i] - '0');
                        ++z.stellen;
                    } else if (erstesWeitere) {
                        z.wert += s[i] >= '5' ? 1 : 0;
                        erstesWeitere = false;
                    }
                    ++i;
                }
            }
            Marke m;
            if (i < s.size())
                if (const int n = marke(s, i, m)) {
                    z.marke = m;
                    i += n;
                }
            continue;
        }
        if (buchstabe(static_cast<unsigned char>(c))) {
            std::size_t ende = i;
            while (ende < s.size() && buchstabe(static_cast<unsigned char>(s[ende])))
                ++ende;
            const char b = static_cast<char>(c & ~0x20);
            if (ende - i != 1 || (b != 'N' && b != 'S' && b != 'E' && b != 'W' && b != 'O'))
                return ueberspringen();  // a word: not a coordinate column
            if (neu.buchstaben == static_cast<int>(neu.buchstabe.size()))
                return Fehler::Form;
            neu.buchstabe[neu.buchstaben] = b;
            neu.vorZahl[neu.buchstaben++] = neu.anzahl;
            i = ende;
            continue;
        }
        if (c == '-') {
            if (neu.minusBei < 0)
                neu.minusBei = neu.anzahl;
            ++i;
            continue;
        }
        if (c == '+') {
            ++i;
            continue;
        }
        return ueberspringen();  // anything else: not a coordinate column
    }
    return Fehler::Keine;
}

// The common case of long lists in one pass: only numbers with at most one
// decimal separator, and blanks, TABs or semicolons between them. False
// (and nothing decided) at the first character of any other kind, for a
// number of eight digits or more, and for more decimals than a point holds:
// the general way weighs those.
bool schnellLesen(std::string_view s, Gelesen& g)
{
    // Digits are summed unsigned: a run too long for a point is refused
    // after it, and wrapping on the way is harmless.
    const char* p = s.data();
    const char* const e = p + s.size();
    bool trennerGesehen = false, kommaGesehen = false;
    int anzahl = 0;
    while (p < e) {
        unsigned d = static_cast<unsigned char>(*p) - '0';
        if (d > 9) {
            if (!trenner(*p))
                return false;
            trennerGesehen = true;
            ++p;
            continue;
        }
        if (anzahl == static_cast<int>(g.zahlen.size()))
            return false;
        std::uint64_t wert = d;
        const char* const anfang = p++;
        while (p < e && (d = static_cast<unsigned char>(*p) - '0') <= 9) {
            wert = wert * 10 + d;
            ++p;
        }
        if (p - anfang > 7)
            return false;
        long stellen = 0;
        if (p < e && !trenner(*p)) {
            if (klasse(*p) != Klasse::Dezimal)
                return false;
            kommaGesehen |= *p == ',';
            const char* const nachkomma = ++p;
            while (p < e && (d = static_cast<unsigned char>(*p) - '0') <= 9) {
                wert = wert * 10 + d;
                ++p;
            }
            stellen = p - nachkomma;
            if (stellen == 0 || stellen > mtb::MaxStellen || (p < e && !trenner(*p)))
                return false;
        }
        g.zahlen[anzahl++] = Zahl{static_cast<std::int64_t>(wert), static_cast<int>(stellen), Marke::Keine};
    }
    g.anzahl = anzahl;
    // Without other separators a comma separates columns: the general way.
    return !kommaGesehen || trennerGesehen;
}

Fehler lesen(std::string_view text, Gelesen& g, bool& schlicht)
{
    schlicht = schnellLesen(text, g);
    if (schlicht)
        return Fehler::Keine;
    g.anzahl = 0;
    bool mitTrennern = false;
    for (char c : text)
        mitTrennern |= trenner(c);
    std::size_t anfang = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        bool ende = i == text.size() || trenner(text[i]);
        if (!ende && text[i] == ',') {
            // Without other separators a comma separates; with them, a comma
            // after the digits of a number without decimal point is decimal.
            bool dezimal = mitTrennern && i > anfang && ziffer(text[i - 1]) && i + 1 < text.size() &&
                           ziffer(text[i + 1]);
            for (std::size_t j = anfang; dezimal && j < i; ++j)
                dezimal = text[j] != '.';
            ende = !dezimal;
        }
        if (!ende)
            continue;
        if (i > anfang)
            if (const Fehler f = spalte(text.substr(anfang, i - anfang), mitTrennern, g); f != Fehler::Keine)
                return f;
        anfang = i + 1;
    }
    return Fehler::Keine;
}

using mtb::zehnHoch;

}  // namespace

bool ohneZiffern(std::string_view text)
{
    for (char c : text)
        if (ziffer(c))
            return false;
    return true;
}

std::int64_t ganzeSekunden(const mtb::Winkel& w)
{
    const std::int64_t eins = zehnHoch[w.stellen];
    return (w.einheiten + eins / 2) / eins;
}

Fehler lesePunkt(std::string_view text, Punkt& punkt, Lesart* lesart)
{
    Gelesen g;
    bool schlicht = false;
    if (const Fehler f = lesen(text, g, schlicht); f != Fehler::Keine)
        return f;
    if (g.anzahl == 0)
        return Fehler::KeineZahl;

    int* teile = lesart ? lesart->teile : nullptr;
    bool* nachkomma = lesart ? &lesart->nachkomma : nullptr;
    int* stellen = lesart ? lesart->stellen : nullptr;
    if (schlicht) {
        // Numbers only: half of them each, latitude first.
        if (g.anzahl != 2 && g.anzahl != 4 && g.anzahl != 6)
            return Fehler::AnzahlZahlen;
        const int n = g.anzahl / 2;
        if (const Fehler f = koordinate<true>(&g.zahlen[0], n, true, punkt.breite, teile, nachkomma, stellen);
            f != Fehler::Keine)
            return f;
        return koordinate<true>(&g.zahlen[n], n, false, punkt.laenge, teile ? teile + 1 : nullptr, nachkomma,
                                stellen ? stellen + 1 : nullptr);
    }

    // Which numbers belong to the first and which to the second coordinate.
    int grenze = -1;       // index of the first number of the second coordinate
    char art[2] = {0, 0};  // hemisphere letter of each, if given
    if (g.buchstaben > 0) {
        if (g.buchstaben != 2)
            return Fehler::Form;
        const bool davor = g.vorZahl[0] == 0;  // "N50 E8" or "50N 8E"
        if (davor) {
            if (g.vorZahl[1] == g.anzahl)
                return Fehler::Form;
            grenze = g.vorZahl[1];
        } else {
            if (g.vorZahl[1] != g.anzahl)
                return Fehler::Form;
            grenze = g.vorZahl[0];
        }
        art[0] = g.buchstabe[0];
        art[1] = g.buchstabe[1];
    } else {
        for (int i = 1; i < g.anzahl && grenze < 0; ++i)
            if (g.zahlen[i].marke == Marke::Grad)
                grenze = i;
        if (grenze < 0) {
            if (g.anzahl != 2 && g.anzahl != 4 && g.anzahl != 6)
                return Fehler::AnzahlZahlen;
            grenze = g.anzahl / 2;
        }
    }
    if (grenze <= 0 || grenze >= g.anzahl)
        return g.anzahl == 1 ? Fehler::AnzahlZahlen : Fehler::Form;
    if (art[0] == 'S' || art[1] == 'S')
        return Fehler::Sueden;
    if (art[0] == 'W' || art[1] == 'W')
        return Fehler::Westen;
    // Letters may turn the order round: "E8 N50".
    const bool getauscht = art[0] == 'E' || art[0] == 'O';
    // A sign only ever means south or west here.
    if (g.minusBei >= 0)
        return (g.minusBei < grenze) != getauscht ? Fehler::Sueden : Fehler::Westen;
    if (art[0] && ((art[0] == 'N') == (art[1] == 'N')))
        return Fehler::Form;
    const Zahl* erste = &g.zahlen[0];
    const Zahl* zweite = &g.zahlen[grenze];
    const int nErste = grenze, nZweite = g.anzahl - grenze;
    const Zahl* fuerBreite = getauscht ? zweite : erste;
    const Zahl* fuerLaenge = getauscht ? erste : zweite;
    const int nBreite = getauscht ? nZweite : nErste, nLaenge = getauscht ? nErste : nZweite;
    if (const Fehler f = koordinate<false>(fuerBreite, nBreite, true, punkt.breite, teile, nachkomma, stellen);
        f != Fehler::Keine)
        return f;
    return koordinate<false>(fuerLaenge, nLaenge, false, punkt.laenge, teile ? teile + 1 : nullptr, nachkomma,
                      stellen ? stellen + 1 : nullptr);
}

}  // namespace quadrix
