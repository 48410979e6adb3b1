#include "formats/svg.h"

#include "grid/ellipsoid.h"
#include "position/code.h"
#include "position/gms.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

namespace quadrix {

namespace {

std::string zahl(double v)
{
    char p[32];
    std::snprintf(p, sizeof p, "%.2f", v);
    return p;
}

}  // namespace

namespace {

struct Bild {
    std::string s;
    void text(double x, double y, const std::string& t, const char* anker, const std::string& mehr = "")
    {
        s += "<text x=\"" + zahl(x) + "\" y=\"" + zahl(y) + "\" text-anchor=\"" + anker + "\" " + mehr + ">" + t +
             "</text>\n";
    }
    void linie(double x1, double y1, double x2, double y2, const std::string& stil)
    {
        s += "<line x1=\"" + zahl(x1) + "\" y1=\"" + zahl(y1) + "\" x2=\"" + zahl(x2) + "\" y2=\"" + zahl(y2) +
             "\" " + stil + "/>\n";
    }
    void rechteck(double x1, double y1, double x2, double y2, const std::string& stil)
    {
        s += "<rect x=\"" + zahl(x1) + "\" y=\"" + zahl(y1) + "\" width=\"" + zahl(x2 - x1) + "\" height=\"" +
             zahl(y2 - y1) + "\" " + stil + "/>\n";
    }
};

}  // namespace

std::string svgBild(const mtb::Code& code, int ebenen, const double* punktBreite, const double* punktLaenge)
{
    const mtb::Zelle blatt = mtb::zelle(code.zeile, code.spalte, code.quadranten, 0);
    // True to scale: a minute of longitude is cos(latitude) minutes of latitude long.
    const double cosB = std::cos((blatt.sued + blatt.hoehe / 2) / 60 * Pi / 180);
    const double seite = 360, rand = 90, abstand = 130;
    // The whole sheet with the first two levels; past them a second panel
    // enlarges the level-2 cell, so that small cells can still be seen.
    const int teilung = std::min(ebenen, 2);
    const bool zweites = ebenen > 2;
    const double breite = rand * 2 + seite + (zweites ? abstand + seite : 0);

    std::string codeText, blattText;
    schreibeCode(codeText, code, ebenen, Notation::Schraeg);
    schreibeCode(blattText, code, 0, Notation::Schraeg);
    Bild b;
    b.s += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    b.s += "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" + zahl(breite) +
           "\" height=\"600\" font-family=\"DejaVu Sans, Arial, sans-serif\" font-size=\"13\">\n";
    b.s += "<title>MTB " + codeText + "</title>\n";
    b.rechteck(0, 0, breite, 600, "fill=\"white\"");
    b.text(breite / 2, 34, "MTB " + blattText, "middle", "font-size=\"22\" font-weight=\"bold\"");
    b.text(breite / 2, 58, codeText, "middle", "font-size=\"15\"");

    // One panel: the cell at level von, divided along the code down to level bis.
    auto panel = [&](int von, int bis, double links) {
        const mtb::Zelle bereich = mtb::zelle(code.zeile, code.spalte, code.quadranten, von);
        const double wEinheiten = bereich.breite * cosB, hEinheiten = bereich.hoehe;
        const double massstab = seite / std::max(wEinheiten, hEinheiten);
        const double w = wEinheiten * massstab, h = hEinheiten * massstab, oben = 110;
        auto x = [&](double m) { return links + (m - bereich.west) * cosB * massstab; };
        auto y = [&](double m) { return oben + h - (m - bereich.sued) * massstab; };

        const mtb::Zelle ziel = mtb::zelle(code.zeile, code.spalte, code.quadranten, bis);
        b.rechteck(x(ziel.west), y(ziel.sued + ziel.hoehe), x(ziel.west + ziel.breite), y(ziel.sued),
                   "fill=\"#9be39b\"");
        for (int i = von; i < bis; ++i) {
            const mtb::Zelle c = mtb::zelle(code.zeile, code.spalte, code.quadranten, i);
            const double mx = c.west + c.breite / 2, my = c.sued + c.hoehe / 2;
            const std::string stil = "stroke=\"#1f3a93\" stroke-width=\"" + zahl(1.8 - 0.4 * (i - von)) + "\"";
            b.linie(x(mx), y(c.sued), x(mx), y(c.sued + c.hoehe), stil);
            b.linie(x(c.west), y(my), x(c.west + c.breite), y(my), stil);
            // Number the quarters; the one divided further is numbered by its own quarters.
            const double groesse = std::max(8.0, (y(c.sued) - y(c.sued + c.hoehe)) / 5);
            for (int q = 1; q <= 4; ++q) {
                if (i + 1 < bis && q == code.quadranten[i])
                    continue;
                const double qx = c.west + c.breite * (q == 2 || q == 4 ? 0.75 : 0.25);
                const double qy = c.sued + c.hoehe * (q <= 2 ? 0.75 : 0.25);
                b.text(x(qx), y(qy) + groesse / 3, std::to_string(q), "middle",
                       "fill=\"#1f3a93\" fill-opacity=\"0.5\" font-size=\"" + zahl(groesse) + "\"");
            }
        }
        b.rechteck(links, oben, links + w, oben + h, "fill=\"none\" stroke=\"black\" stroke-width=\"2\"");
        if (punktBreite && punktLaenge) {
            const double px = x(*punktLaenge * 60), py = y(*punktBreite * 60);
            b.s += "<circle cx=\"" + zahl(px) + "\" cy=\"" + zahl(py) +
                   "\" r=\"5\" fill=\"none\" stroke=\"#d00000\" stroke-width=\"2\"/>\n";
            b.linie(px - 9, py, px + 9, py, "stroke=\"#d00000\" stroke-width=\"1.5\"");
            b.linie(px, py - 9, px, py + 9, "stroke=\"#d00000\" stroke-width=\"1.5\"");
        }
        const double nord = bereich.sued + bereich.hoehe, ost = bereich.west + bereich.breite;
        b.text(links, oben - 10, gms(nord) + " N  " + gms(bereich.west) + " O", "start");
        b.text(links + w, oben - 26, gms(nord) + " N  " + gms(ost) + " O", "end");
        b.text(links, oben + h + 20, gms(bereich.sued) + " N  " + gms(bereich.west) + " O", "start");
        b.text(links + w, oben + h + 36, gms(bereich.sued) + " N  " + gms(ost) + " O", "end");
        return std::array<double, 4>{x(bereich.west), y(nord), x(ost), y(bereich.sued)};
    };

    panel(0, teilung, rand);
    if (zweites) {
        const mtb::Zelle lupe = mtb::zelle(code.zeile, code.spalte, code.quadranten, 2);
        panel(2, ebenen, rand + seite + abstand);
        // Where the enlarged cell lies in the sheet.
        const double wE = blatt.breite * cosB, massstab = seite / std::max(wE, blatt.hoehe);
        const double x1 = rand + (lupe.west - blatt.west) * cosB * massstab;
        const double x2 = rand + (lupe.west + lupe.breite - blatt.west) * cosB * massstab;
        const double y1 = 110 + blatt.hoehe * massstab - (lupe.sued + lupe.hoehe - blatt.sued) * massstab;
        const double y2 = 110 + blatt.hoehe * massstab - (lupe.sued - blatt.sued) * massstab;
        b.rechteck(x1, y1, x2, y2, "fill=\"none\" stroke=\"#d07000\" stroke-width=\"2.5\" stroke-dasharray=\"6 4\"");
        b.linie(x2, (y1 + y2) / 2, rand + seite + abstand - 8, 110 + seite / 2,
                "stroke=\"#d07000\" stroke-width=\"1.5\" stroke-dasharray=\"6 4\"");
    }
    b.text(breite / 2, 580, "Potsdam-Datum (DHDN)", "middle", "font-size=\"11\" fill=\"#555\"");
    b.s += "</svg>\n";
    return b.s;
}

}  // namespace quadrix
