"""The Python module against mtbq: the same points, texts and codes given to
both, the same bytes back. Run by ctest with MTBQ (the program) and the
module's folder on PYTHONPATH."""

import ctypes
import math
import os
import random
import subprocess
import tempfile
import unittest

import numpy as np
import pandas as pd

import quadrix

MTBQ = os.environ["MTBQ"]


def mtbq(args, eingabe):
    """mtbq --batch on lines written to a file: what it appended to each
    line and, per line number, the reason on standard error."""
    with tempfile.NamedTemporaryFile("w", suffix=".csv", delete=False, encoding="utf-8") as f:
        f.write(eingabe)
        name = f.name
    try:
        r = subprocess.run([MTBQ, *args, "--batch", name], capture_output=True, text=True, encoding="utf-8")
    finally:
        os.unlink(name)
    zeilen = eingabe.splitlines()
    codes = [z[len(e) + 1:] for z, e in zip(r.stdout.splitlines(), zeilen)]
    gruende = {}
    for z in r.stderr.splitlines():
        kopf, _, grund = z.partition(": ")
        gruende[int(kopf.rsplit(":", 1)[1])] = grund
    return codes, gruende


def zufallspunkte(n, seed):
    """Points where people record, and the awkward ones: whole and short
    decimals, sheet and quadrant lines, digits beyond the tenth decimal, the
    edges of the grid and of BETA2007, south, west, beyond the ranges."""
    rnd = random.Random(seed)
    b, l, u = [], [], []
    for i in range(n):
        art = i % 10
        if art < 5:
            x, y = rnd.uniform(47.2, 55.1), rnd.uniform(5.8, 15.1)
        elif art == 5:  # on sheet and quadrant lines, in decimal degrees of every length
            x = 46 + rnd.randrange(0, 10 * 96) / 96 + rnd.choice([0, 1e-11, -1e-11, 5e-11])
            y = 5 + rnd.randrange(0, 11 * 48) / 48 + rnd.choice([0, 1e-11, 5e-11])
        elif art == 6:
            x, y = round(rnd.uniform(47, 55), rnd.randrange(0, 6)), round(rnd.uniform(5, 15), rnd.randrange(0, 6))
        elif art == 7:  # eleven and more decimals, ending in 5 half the time
            x = float(f"{rnd.uniform(47, 55):.10f}5")
            y = float(f"{rnd.uniform(6, 15):.11f}{rnd.choice('05')}")
        elif art == 8:  # around Germany and beyond BETA2007
            x, y = rnd.uniform(40, 60), rnd.uniform(0, 25)
        else:
            x, y = rnd.choice([(-1.5, 8.0), (50.0, -0.25), (95.0, 8.0), (50.0, 400.0), (0.0, 0.0), (89.99, 359.9),
                               (1e-3, 1e-3), (50.5, 1234.5)])
        b.append(x)
        l.append(y)
        wahl = rnd.random()
        u.append(math.nan if wahl < 0.3 else rnd.choice([0.0, -5.0]) if wahl < 0.33 else
                 round(rnd.uniform(0.5, 30000), rnd.randrange(0, 4)))
    return np.array(b), np.array(l), np.array(u)


def tafel(b, l, u=None):
    kopf = "decimalLatitude,decimalLongitude" + (",coordinateUncertaintyInMeters" if u is not None else "")
    zeilen = [kopf]
    for i in range(len(b)):
        z = f"{b[i]!r},{l[i]!r}"
        if u is not None:
            z += "," + ("" if math.isnan(u[i]) else repr(u[i]))
        zeilen.append(z)
    return "\n".join(zeilen) + "\n"


class GleichWieMtbq(unittest.TestCase):
    def vergleiche(self, b, l, u, optionen, **kw):
        codes, gruende = mtbq(optionen, tafel(b, l, u))
        codes = codes[1:]
        if u is not None:
            kw["uncertainty"] = u
        eigene, warum = quadrix.code(b, l, reasons=True, **kw)
        self.assertEqual(len(eigene), len(codes))
        abweichend = [i for i in range(len(codes)) if eigene[i] != codes[i]]
        self.assertEqual(abweichend[:5], [], [(b[i], l[i], eigene[i], codes[i]) for i in abweichend[:5]])
        for i in range(len(codes)):
            if warum[i] is not None or (i + 2) in gruende:
                self.assertEqual(warum[i], gruende.get(i + 2), (b[i], l[i]))
        return eigene

    def test_100000_punkte_jedes_datum_mit_unsicherheit(self):
        b, l, u = zufallspunkte(100000, 1)
        for datum in ("auto", "potsdam", "etrs89", "wgs84"):
            with self.subTest(datum=datum):
                eigene = self.vergleiche(b, l, u, [f"--datum={datum}"], datum=datum)
                self.assertGreater(sum(1 for c in eigene if c), 60000)

    def test_gitter_schreibweisen_ebenen(self):
        b, l, _ = zufallspunkte(20000, 2)
        faelle = [
            (["--grid=eea1km"], dict(grid="eea1km")),
            (["--grid=eea10km", "--long-form"], dict(grid="eea10km", long_form=True)),
            (["--grid=utm"], dict(grid="utm")),
            (["--grid=mgrs", "--precision=100m"], dict(grid="mgrs", precision=100)),
            (["--grid=gk", "--zone=3"], dict(grid="gk", zone=3)),
            (["--grid=minutenfeld", "--datum=wgs84"], dict(grid="minutenfeld", datum="wgs84")),
            (["--levels=3", "--notation=compact"], dict(levels=3, notation="compact")),
            (["--notation=blank", "--uncertainty=1km"], dict(notation="blank", uncertainty=1000.0)),
            (["--precision=250m"], dict(precision=250)),
        ]
        for optionen, kw in faelle:
            with self.subTest(optionen=optionen):
                self.vergleiche(b, l, None, optionen, **kw)

    def test_geschriebene_positionen(self):
        texte = ["50 07 20 8 41 30", "50°07'20\"N 8°41'30\"E", "N50°07.333' E8°41.500'", "50,12222 8,69167",
                 "geo:50.12222,8.69167", "R 3478544 H 5549792", "32U 478544 5549792", "32UMA 78544 49792",
                 "S12 E8", "50 07 20", "20# 8", "", "Frankfurt", "50 07 61 8 41 30"]
        for datum in ("auto", "potsdam", "wgs84"):
            codes, gruende = mtbq([f"--datum={datum}"], "\n".join(texte) + "\n")
            eigene, warum = quadrix.code_text(texte, datum=datum, reasons=True)
            self.assertEqual(list(eigene), codes)
            for i in range(len(texte)):
                self.assertEqual(warum[i], gruende.get(i + 1), texte[i])

    def test_gelesen(self):
        t = quadrix.read(["50 07 20 8 41 30", "50.12222 8.69167", "32U 478544 5549792", "S12 E8"])
        self.assertEqual(list(t["datum"][:3]), ["potsdam", "wgs84", "etrs89"])
        self.assertAlmostEqual(t["lat"][0], 50 + 7 / 60 + 20 / 3600, places=12)
        self.assertTrue(math.isnan(t["lat"][3]))
        self.assertIn("südlich", t["reason"][3])


class Zellen(unittest.TestCase):
    def mtbq_zelle(self, code, *optionen):
        r = subprocess.run([MTBQ, *optionen, "--cell", code], capture_output=True, text=True, encoding="utf-8")
        zeilen = r.stdout.splitlines()
        mitte = next(z for z in zeilen if z.startswith("Mitte")).split()
        return float(mitte[1]), float(mitte[2]), zeilen

    def test_mitte_und_ecken_wie_mtbq(self):
        codes = ["5818/3/3", "5818", "0916/1/2/3/4/1", "10kmE432N321", "1kmE4321N3210", "32U 478544 5549792",
                 "32UMA 785 497", "R 3478544 H 5549792"]
        z = quadrix.cell(codes)
        for i, c in enumerate(codes):
            with self.subTest(code=c):
                b, l, zeilen = self.mtbq_zelle(c)
                self.assertEqual(f"{z['center_lat'][i]:.7f}", f"{b:.7f}")
                self.assertEqual(f"{z['center_lon'][i]:.7f}", f"{l:.7f}")
                self.assertIn(z["code"][i], zeilen[0])
        minuten = quadrix.cell(["5818/324"], grid="minutenfeld")
        b, l, _ = self.mtbq_zelle("5818/324", "--grid=minutenfeld")
        self.assertEqual(f"{minuten['center_lat'][0]:.7f}", f"{b:.7f}")

    def test_abgelehnte_codes(self):
        z = quadrix.cell(["5818/5", "957", "", "10kmE1N"])  # 957: neither 0957 nor 9507 over Germany
        self.assertTrue(all(r for r in z["reason"]))
        self.assertTrue(np.isnan(z["sw_lat"]).all())
        with self.assertRaises(ValueError):
            quadrix.outline("5818/5")

    def test_umriss_und_netz(self):
        u = quadrix.outline("5818/3")
        self.assertEqual(u[0], u[-1])
        self.assertEqual(u[0], (50.1, 8 + 40 / 60))
        self.assertEqual(quadrix.grid_cells(50.1, 8.6, 50.15, 8.7, level=1), ["5817/4", "5818/3"])
        self.assertEqual(len(quadrix.grid_cells(50.0001, 8.6667, 50.0999, 8.8333, level=2)), 16)
        with self.assertRaises(ValueError):
            quadrix.grid_cells(47, 5, 55, 15, level=5, limit=1000)


class NieEineAusnahme(unittest.TestCase):
    def test_schlechte_werte_geben_fehlende_codes(self):
        b = np.array([math.nan, math.inf, -math.inf, 1e300, -0.0, 5e-324, 91.0, 50.0])
        l = np.array([8.0, 8.0, 8.0, 8.0, 8.0, 8.0, 8.0, math.nan])
        codes, warum = quadrix.code(b, l, reasons=True)
        self.assertEqual(list(codes), [""] * 8)
        self.assertTrue(all(warum))

    def test_pandas_bleibt_pandas(self):
        df = pd.DataFrame({"lat": [50.12222, -1.0], "lon": [8.69167, 8.0], "r": [10.0, math.nan]},
                          index=["a", "b"])
        s = quadrix.code(df.lat, df.lon, df.r)
        self.assertEqual(list(s.index), ["a", "b"])
        self.assertEqual(s["a"], "5818/3/3/2/1")  # 10 m around it reach beyond its level-5 cell
        self.assertIsNone(s["b"])

    def test_falsche_optionen_sagen_es(self):
        for kw in (dict(grid="x"), dict(datum="bessel"), dict(levels=6), dict(grid="utm", uncertainty=10.0),
                   dict(precision=250, levels=3), dict(grid="mgrs", precision=30), dict(zone=3)):
            with self.subTest(kw=kw), self.assertRaises(ValueError):
                quadrix.code([50.0], [8.0], **kw)
        with self.assertRaises(ValueError):
            quadrix.code(np.zeros(3), np.zeros(2))

    def test_faeden_geben_dasselbe(self):
        b, l, u = zufallspunkte(100000, 3)
        eins = quadrix.code(b, l, u, threads=1)
        for n in (2, 3, 7):
            self.assertTrue((quadrix.code(b, l, u, threads=n) == eins).all())


class Optionen(unittest.TestCase):
    """One table of options through mtbq, the C interface and the module:
    each takes what the others take and refuses it with the same sentence.
    The C interface took levels=3.0, uncertainty=0 and zone=0 and refused
    precision=250m."""

    # option string (mtbq's --NAME=VALUE, the C interface's NAME=VALUE; ";"
    # between several), the module's keywords (None: not given that way),
    # refused?
    FAELLE = [
        ("levels=3", {"levels": 3}, False),
        ("levels=0", {"levels": 0}, False),
        ("levels=3.0", None, True),
        ("levels=6", {"levels": 6}, True),
        ("levels=-1", None, True),
        ("precision=250m", {"precision": 250.0}, False),
        ("precision=1km", {"precision": 1000.0}, False),
        ("precision=250", {"precision": 250.0}, False),
        ("precision=0", {"precision": 0.0}, True),
        ("precision=x", None, True),
        ("uncertainty=30m", {"uncertainty": 30.0}, False),
        ("uncertainty=0", {"uncertainty": 0.0}, True),
        ("uncertainty=-5", {"uncertainty": -5.0}, True),
        ("grid=utm;zone=32", {"grid": "utm", "zone": 32}, False),
        ("grid=utm;zone=0", None, True),
        ("grid=utm;zone=61", {"grid": "utm", "zone": 61}, True),
        ("grid=gk;zone=6", {"grid": "gk", "zone": 6}, True),
        ("zone=32", {"zone": 32}, True),
        ("grid=eea10km", {"grid": "eea10km"}, False),
        ("grid=mars", {"grid": "mars"}, True),
        ("datum=dhdn", {"datum": "dhdn"}, True),
        ("notation=dot", {"notation": "dot"}, False),
        ("notation=komma", {"notation": "komma"}, True),
        ("grid=utm;uncertainty=30m", {"grid": "utm", "uncertainty": 30.0}, True),
        ("precision=250m;levels=3", {"precision": 250.0, "levels": 3}, True),
        ("grid=mgrs;precision=100m", {"grid": "mgrs", "precision": 100.0}, False),
        ("grid=mgrs;precision=250m", {"grid": "mgrs", "precision": 250.0}, True),
    ]

    @classmethod
    def setUpClass(cls):
        cls.c = ctypes.CDLL(os.environ["QUADRIXC"])
        cls.c.qx_neu.restype = ctypes.c_void_p
        cls.c.qx_neu.argtypes = [ctypes.c_char_p, ctypes.c_char_p]
        cls.c.qx_fehler.restype = ctypes.c_char_p
        cls.c.qx_fehler.argtypes = [ctypes.c_void_p]
        cls.c.qx_frei.argtypes = [ctypes.c_void_p]

    def test_gleiche_optionen_gleiche_saetze(self):
        for optionen, worte, abgelehnt in self.FAELLE:
            with self.subTest(optionen=optionen):
                args = ["--" + o for o in optionen.split(";")]
                r = subprocess.run([MTBQ, "--datum=etrs89", *args, "50.1", "8.7"], capture_output=True, text=True)
                self.assertEqual(r.returncode, 2 if abgelehnt else 0, r.stderr)
                satz = r.stderr.strip().removeprefix("mtbq: ").split("\n")[0] if abgelehnt else ""
                lauf = self.c.qx_neu(optionen.encode(), None)
                try:
                    self.assertEqual(self.c.qx_fehler(lauf).decode(), satz)
                finally:
                    self.c.qx_frei(lauf)
                if worte is None:
                    continue
                try:
                    quadrix.code([50.1], [8.7], **{"datum": "etrs89", **worte})
                    grund = ""
                except ValueError as e:
                    grund = str(e)
                self.assertEqual(grund, satz)


if __name__ == "__main__":
    unittest.main()
