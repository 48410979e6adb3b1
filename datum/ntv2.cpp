#include "datum/ntv2.h"

#include "grid/ellipsoid.h"

#include <cmath>
#include <cstdint>
#include <cstring>

namespace quadrix::ntv2 {

namespace {

constexpr std::size_t Satz = 16;  // one header record: 8 bytes name, 8 bytes value
constexpr std::size_t KopfSaetze = 11;

class Leser {
public:
    explicit Leser(std::string_view b) : m_b(b) {}
    bool vertauscht = false;  // the file's byte order is not ours

    std::string_view name(std::size_t satz) const { return m_b.substr(satz * Satz, 8); }
    std::int32_t ganz(std::size_t stelle) const { return wert<std::int32_t>(stelle); }
    double zahl(std::size_t stelle) const { return wert<double>(stelle); }
    float kurz(std::size_t stelle) const { return wert<float>(stelle); }

private:
    template <typename T>
    T wert(std::size_t stelle) const
    {
        unsigned char roh[sizeof(T)];
        std::memcpy(roh, m_b.data() + stelle, sizeof(T));
        if (vertauscht)
            for (std::size_t i = 0; i < sizeof(T) / 2; ++i)
                std::swap(roh[i], roh[sizeof(T) - 1 - i]);
        T t;
        std::memcpy(&t, roh, sizeof(T));
        return t;
    }
    std::string_view m_b;
};

// Node (x from the west, y from the south): its shifts, or false beyond the grid.
bool knoten(const Gitter& g, int x, int y, float& dLam, float& dPhi)
{
    if (x < 0 || y < 0 || x >= g.spalten || y >= g.zeilen)
        return false;
    const std::size_t i = 2 * (static_cast<std::size_t>(y) * g.spalten + x);
    dLam = g.verschiebung[i];
    dPhi = g.verschiebung[i + 1];
    return true;
}

// Node index i and fraction f along one axis of n nodes: false beyond the
// grid. Points on the grid's last line, or a hair outside its first, are
// still in, moved onto the cell beside the line as PROJ moves them.
bool imGitter(int& i, double& f, int n)
{
    if (i < 0) {
        if (i != -1 || !(f > 0.99999999999))
            return false;
        ++i;
        f = 0;
    } else if (i + 1 >= n) {
        if (i + 1 != n || !(f < 1e-11))
            return false;
        --i;
        f = 1;
    }
    return true;
}

// The shift at a point given from the grid's south-west corner, in radians.
bool interpoliere(const Gitter& g, double tLam, double tPhi, double& dLam, double& dPhi)
{
    tLam /= g.schrittX;
    tPhi /= g.schrittY;
    if (!std::isfinite(tLam) || !std::isfinite(tPhi) || std::fabs(tLam) > 1e6 || std::fabs(tPhi) > 1e6)
        return false;
    int x = static_cast<int>(std::floor(tLam)), y = static_cast<int>(std::floor(tPhi));
    double fx = tLam - x, fy = tPhi - y;
    if (!imGitter(x, fx, g.spalten) || !imGitter(y, fy, g.zeilen))
        return false;
    float l00, p00, l10, p10, l01, p01, l11, p11;
    if (!knoten(g, x, y, l00, p00) || !knoten(g, x + 1, y, l10, p10) || !knoten(g, x, y + 1, l01, p01) ||
        !knoten(g, x + 1, y + 1, l11, p11))
        return false;
    // The weights in PROJ's order of operations.
    double m11 = fx, m10 = m11, m01 = 1. - fx, m00 = m01;
    m11 *= fy;
    m01 *= fy;
    fy = 1. - fy;
    m00 *= fy;
    m10 *= fy;
    dLam = m00 * l00 + m10 * l10 + m01 * l01 + m11 * l11;
    dPhi = m00 * p00 + m10 * p10 + m01 * p01 + m11 * p11;
    return true;
}

}  // namespace

Lesefehler lese(std::string_view b, Gitter& g)
{
    if (b.size() < 2 * KopfSaetze * Satz)
        return Lesefehler::ZuKurz;
    Leser l(b);
    if (l.name(0) != "NUM_OREC")
        return Lesefehler::KeinNtv2;
    if (l.ganz(8) != 11) {
        l.vertauscht = true;
        if (l.ganz(8) != 11)
            return Lesefehler::Kopf;
    }
    if (l.ganz(2 * Satz + 8) != 1)
        return Lesefehler::Teilgitter;
    if (l.name(3) != "GS_TYPE " || b.substr(3 * Satz + 8, 7) != "SECONDS")
        return Lesefehler::Einheit;
    const std::size_t t = KopfSaetze * Satz;  // the subgrid's header
    const char* const namen[] = {"SUB_NAME", "PARENT  ", "CREATED ", "UPDATED ", "S_LAT   ", "N_LAT   ",
                                 "E_LONG  ", "W_LONG  ", "LAT_INC ", "LONG_INC", "GS_COUNT"};
    for (std::size_t i = 0; i < KopfSaetze; ++i)
        if (l.name(KopfSaetze + i) != namen[i])
            return Lesefehler::TeilKopf;
    const double sued = l.zahl(t + 4 * Satz + 8), nord = l.zahl(t + 5 * Satz + 8);
    const double ostW = l.zahl(t + 6 * Satz + 8), westW = l.zahl(t + 7 * Satz + 8);  // positive west
    const double dB = l.zahl(t + 8 * Satz + 8), dL = l.zahl(t + 9 * Satz + 8);
    const std::int32_t anzahl = l.ganz(t + 10 * Satz + 8);
    for (double v : {sued, nord, ostW, westW, dB, dL})
        if (!std::isfinite(v) || std::fabs(v) > 1296000)
            return Lesefehler::TeilWerte;
    if (!(dB > 0) || !(dL > 0) || !(nord > sued) || !(westW > ostW))
        return Lesefehler::TeilKeinGitter;
    const double zeilen = (nord - sued) / dB + 1, spalten = (westW - ostW) / dL + 1;
    if (std::fabs(zeilen - std::round(zeilen)) > 1e-6 || std::fabs(spalten - std::round(spalten)) > 1e-6 ||
        zeilen > 100000 || spalten > 100000)
        return Lesefehler::Masche;
    g.zeilen = static_cast<int>(std::lround(zeilen));
    g.spalten = static_cast<int>(std::lround(spalten));
    if (anzahl != static_cast<long long>(g.zeilen) * g.spalten)
        return Lesefehler::Anzahl;
    const std::size_t daten = 2 * t;
    if (b.size() < daten + static_cast<std::size_t>(anzahl) * Satz)
        return Lesefehler::Abgeschnitten;

    // Seconds of arc to radians, as PROJ converts them.
    g.west = -westW * GradInBogen / 3600.0;
    g.ost = -ostW * GradInBogen / 3600.0;
    g.sued = sued * GradInBogen / 3600.0;
    g.nord = nord * GradInBogen / 3600.0;
    g.schrittX = dL * GradInBogen / 3600.0;
    g.schrittY = dB * GradInBogen / 3600.0;
    g.verschiebung.assign(2 * static_cast<std::size_t>(anzahl), 0.f);
    for (int y = 0; y < g.zeilen; ++y) {
        for (int x = 0; x < g.spalten; ++x) {
            // Records run east to west within a row.
            const std::size_t satz = daten + (static_cast<std::size_t>(y) * g.spalten + (g.spalten - 1 - x)) * Satz;
            const float dPhi = l.kurz(satz), dLamW = l.kurz(satz + 4);
            // Datum shifts are seconds of arc (BETA2007: under 8″); a minute is damage.
            if (!std::isfinite(dPhi) || !std::isfinite(dLamW) || std::fabs(dPhi) >= 60 || std::fabs(dLamW) >= 60)
                return Lesefehler::Verschiebung;
            const std::size_t i = 2 * (static_cast<std::size_t>(y) * g.spalten + x);
            g.verschiebung[i] = static_cast<float>(dLamW * ((Pi / 180.0) / 3600.0) * -1);
            g.verschiebung[i + 1] = static_cast<float>(dPhi * ((Pi / 180.0) / 3600.0));
        }
    }
    return Lesefehler::Keine;
}

bool vorwaerts(const Gitter& g, double& lam, double& phi)
{
    double dLam = 0, dPhi = 0;
    if (!interpoliere(g, lam - g.west, phi - g.sued, dLam, dPhi))
        return false;
    lam += dLam;
    phi += dPhi;
    return true;
}

bool rueckwaerts(const Gitter& g, double& lam, double& phi)
{
    const double bLam = lam - g.west, bPhi = phi - g.sued;
    double dLam = 0, dPhi = 0;
    if (!interpoliere(g, bLam, bPhi, dLam, dPhi))
        return false;
    double tLam = bLam - dLam, tPhi = bPhi - dPhi;
    constexpr double Toleranz = 1e-12;
    int schritte = 10;
    double fLam = 0, fPhi = 0;
    do {
        // A guess that left the grid (at its very edge) stays what it is, as in PROJ.
        if (!interpoliere(g, tLam, tPhi, dLam, dPhi))
            break;
        fLam = tLam + dLam - bLam;
        fPhi = tPhi + dPhi - bPhi;
        tLam -= fLam;
        tPhi -= fPhi;
    } while (--schritte && fLam * fLam + fPhi * fPhi > Toleranz * Toleranz);
    if (schritte == 0)
        return false;
    lam = tLam + g.west;
    phi = tPhi + g.sued;
    return true;
}

void rueckwaertsZwei(const Gitter& g, double lam[2], double phi[2], bool ok[2])
{
    // The steps of rueckwaerts for two points side by side: two independent
    // chains of dependent steps, which the processor overlaps; each point
    // takes exactly the steps it takes alone.
    constexpr double Toleranz = 1e-12;
    double bLam[2], bPhi[2], tLam[2], tPhi[2];
    int schritte[2] = {10, 10};
    bool weiter[2];
    for (int k = 0; k < 2; ++k) {
        bLam[k] = lam[k] - g.west;
        bPhi[k] = phi[k] - g.sued;
        double dLam = 0, dPhi = 0;
        ok[k] = weiter[k] = interpoliere(g, bLam[k], bPhi[k], dLam, dPhi);
        tLam[k] = bLam[k] - dLam;
        tPhi[k] = bPhi[k] - dPhi;
    }
    while (weiter[0] || weiter[1]) {
        for (int k = 0; k < 2; ++k) {
            if (!weiter[k])
                continue;
            double dLam = 0, dPhi = 0;
            // A guess that left the grid stays what it is, as alone.
            if (!interpoliere(g, tLam[k], tPhi[k], dLam, dPhi)) {
                weiter[k] = false;
                continue;
            }
            const double fLam = tLam[k] + dLam - bLam[k], fPhi = tPhi[k] + dPhi - bPhi[k];
            tLam[k] -= fLam;
            tPhi[k] -= fPhi;
            weiter[k] = --schritte[k] && fLam * fLam + fPhi * fPhi > Toleranz * Toleranz;
        }
    }
    for (int k = 0; k < 2; ++k) {
        if (!ok[k] || schritte[k] == 0) {
            ok[k] = false;
            continue;
        }
        lam[k] = tLam[k] + g.west;
        phi[k] = tPhi[k] + g.sued;
    }
}

const char* text(Lesefehler f)
{
    switch (f) {
    case Lesefehler::Keine: return "";
    case Lesefehler::ZuKurz: return "die Datei ist zu kurz für ein NTv2-Gitter";
    case Lesefehler::KeinNtv2: return "die Datei ist kein NTv2-Gitter (Kopf NUM_OREC fehlt)";
    case Lesefehler::Kopf: return "der Kopf des NTv2-Gitters hat nicht 11 Einträge";
    case Lesefehler::Teilgitter: return "das NTv2-Gitter hat mehrere Teilgitter; nur eines wird gelesen";
    case Lesefehler::Einheit: return "das NTv2-Gitter gibt seine Verschiebungen nicht in Bogensekunden an";
    case Lesefehler::TeilKopf: return "der Kopf des Teilgitters ist beschädigt";
    case Lesefehler::TeilWerte: return "der Kopf des Teilgitters enthält unmögliche Werte";
    case Lesefehler::TeilKeinGitter: return "der Kopf des Teilgitters beschreibt kein Gitter";
    case Lesefehler::Masche: return "die Ausdehnung des Teilgitters ist kein Vielfaches seiner Maschenweite";
    case Lesefehler::Anzahl: return "die Zahl der Gitterpunkte passt nicht zur Ausdehnung des Teilgitters";
    case Lesefehler::Abgeschnitten: return "die Datei ist kürzer als ihr Gitter (abgeschnitten?)";
    case Lesefehler::Verschiebung: return "das Gitter enthält unmögliche Verschiebungen (beschädigte Datei?)";
    }
    return "";
}

}  // namespace quadrix::ntv2
