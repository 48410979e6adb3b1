// The one line reader: line ends of every kind, a CR LF split across a
// block, lines longer than a block in pieces, a last line without its end,
// and the point's way onto the datums.
#include "datum/datum.h"
#include "tables/zeilenleser.h"
#include "tests/tempdatei.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Gelesen {
    std::string text, ende;
    bool teil, zuLang;
    bool operator==(const Gelesen&) const = default;
};

std::ostream& operator<<(std::ostream& o, const Gelesen& g)
{
    return o << '[' << g.text << "|" << (g.ende == "\r\n" ? "CRLF" : g.ende == "\r" ? "CR" : g.ende == "\n" ? "LF" : "")
             << (g.teil ? "|teil" : "") << (g.zuLang ? "|zuLang" : "") << ']';
}

std::vector<Gelesen> lies(const std::string& ein, std::size_t block)
{
    std::FILE* f = tempdatei(ein);
    quadrix::Zeilenleser leser(f, block);
    quadrix::Zeilenleser::Zeile z;
    std::vector<Gelesen> v;
    while (leser.naechste(z))
        v.push_back({std::string(z.text), std::string(z.ende), z.teil, z.zuLang});
    EXPECT_FALSE(leser.lesefehler());
    std::fclose(f);
    return v;
}

TEST(Zeilenleser, LineEndsAndParts)
{
    const struct {
        const char* name;
        std::string ein;
        std::size_t block;
        std::vector<Gelesen> erwartet;
    } faelle[] = {
        {"LF, CR LF, CR", "a\nb\r\nc\rd", 64, {{"a", "\n", 0, 0}, {"b", "\r\n", 0, 0}, {"c", "\r", 0, 0}, {"d", "", 0, 0}}},
        {"empty input", "", 64, {}},
        {"empty lines", "\n\r\n\r", 64, {{"", "\n", 0, 0}, {"", "\r\n", 0, 0}, {"", "\r", 0, 0}}},
        {"CR at the end", "a\r", 64, {{"a", "\r", 0, 0}}},
        // A CR ends a read; its LF comes with the next one.
        {"CR LF across a refill", "abc\r\nd\n", 4, {{"abc", "\r\n", 0, 0}, {"d", "\n", 0, 0}}},
        {"line as long as the block, CR LF", "abcd\r\nx\n", 4, {{"abcd", "\r\n", 0, 0}, {"x", "\n", 0, 0}}},
        {"a byte over the block", "abcde\r\nx\n", 4, {{"abcde\r", "", 1, 1}, {"", "\n", 0, 1}, {"x", "\n", 0, 0}}},
        {"overlong line in pieces", "abcdefghijklm\nx", 4,
         {{"abcdef", "", 1, 1}, {"ghijkl", "", 1, 1}, {"m", "\n", 0, 1}, {"x", "", 0, 0}}},
        {"overlong last line without end", "abcdefghijkl", 4,
         {{"abcdef", "", 1, 1}, {"ghijkl", "", 1, 1}, {"", "", 0, 1}}},
        {"the buffer grows to the block", std::string(70000, 'a') + "\n", 1 << 20,
         {{std::string(70000, 'a'), "\n", 0, 0}}},
    };
    for (const auto& f : faelle)
        EXPECT_EQ(lies(f.ein, f.block), f.erwartet) << f.name;
}

// Moves every point north by a tenth of a degree from Potsdam to ETRS89;
// knows nothing south of 45 degrees.
class Verschiebung final : public quadrix::Transformation {
public:
    explicit Verschiebung(bool verfuegbar = true) : m_verfuegbar(verfuegbar) {}
    bool verfuegbar() const override { return m_verfuegbar; }
    bool zuPotsdam(double& b, double&) const override { return m_verfuegbar && b > 45 && (b -= 0.1, true); }
    bool vonPotsdam(double& b, double&) const override { return m_verfuegbar && b > 45 && (b += 0.1, true); }
    const std::string& beschreibung() const override { return m_name; }

private:
    bool m_verfuegbar;
    std::string m_name = "Verschiebung";
};

TEST(Datum, VerorteOnBothDatums)
{
    using quadrix::Datum;
    using quadrix::Fehler;
    const Verschiebung t, fehlt(false);
    const struct {
        const char* name;
        double breite;
        Datum datum;
        const quadrix::Transformation* t;
        unsigned bedarf;
        Fehler fehler;
        double potsdam, etrs;
    } faelle[] = {
        {"Potsdam stays, ETRS89 shifted", 50, Datum::Potsdam, &t, quadrix::AufPotsdam | quadrix::InEtrs89, Fehler::Keine, 50, 50.1},
        {"auto counts as Potsdam", 50, Datum::Auto, &t, quadrix::AufPotsdam | quadrix::InEtrs89, Fehler::Keine, 50, 50.1},
        {"WGS84 shifted back", 50, Datum::Wgs84, &t, quadrix::AufPotsdam | quadrix::InEtrs89, Fehler::Keine, 49.9, 50},
        {"Potsdam needs nothing for itself", 50, Datum::Potsdam, nullptr, quadrix::AufPotsdam, Fehler::Keine, 50, 0},
        {"ETRS89 needs nothing for itself", 50, Datum::Etrs89, nullptr, quadrix::InEtrs89, Fehler::Keine, 0, 50},
        {"WGS84 without a transformation", 50, Datum::Wgs84, nullptr, quadrix::AufPotsdam, Fehler::KeineUmrechnung, 0, 0},
        {"Potsdam to ETRS89 without one", 50, Datum::Potsdam, nullptr, quadrix::InEtrs89, Fehler::KeineUmrechnung, 0, 0},
        {"grid missing", 50, Datum::Etrs89, &fehlt, quadrix::AufPotsdam, Fehler::KeineUmrechnung, 0, 0},
        {"outside the grid", 40, Datum::Etrs89, &t, quadrix::AufPotsdam, Fehler::AusserhalbGitter, 0, 0},
        {"outside the grid, other way", 40, Datum::Potsdam, &t, quadrix::InEtrs89, Fehler::AusserhalbGitter, 0, 0},
    };
    for (const auto& f : faelle) {
        const quadrix::Punkt p{quadrix::winkelAusGrad(f.breite), quadrix::winkelAusGrad(8)};
        quadrix::Lage lage;
        ASSERT_EQ(quadrix::verorte(p, f.datum, f.t, f.bedarf, lage), f.fehler) << f.name;
        if (f.fehler != Fehler::Keine)
            continue;
        if (f.bedarf & quadrix::AufPotsdam) {
            EXPECT_NEAR(quadrix::grad(lage.potsdam->breite), f.potsdam, 1e-9) << f.name;
        }
        if (f.bedarf & quadrix::InEtrs89) {
            EXPECT_NEAR(lage.breite, f.etrs, 1e-9) << f.name;
        }
    }
}

}  // namespace
