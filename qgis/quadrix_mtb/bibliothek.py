"""Quadrix's C interface (libquadrixc.so, quadrixc.dll) through ctypes: no
module built for one Python version, so the plugin runs in any QGIS's
Python. The library and the BETA2007 grid lie in the plugin's lib folder."""

import ctypes
import math
import os
import platform
import sys

_ORDNER = os.path.join(os.path.dirname(os.path.abspath(__file__)), "lib")
_bib = None


def _laden():
    global _bib
    if _bib is not None:
        return _bib
    if sys.platform.startswith("win"):
        name = os.path.join(_ORDNER, "windows-x86_64", "quadrixc.dll")
    elif sys.platform.startswith("linux") and platform.machine() in ("x86_64", "AMD64"):
        name = os.path.join(_ORDNER, "linux-x86_64", "libquadrixc.so")
    else:
        raise RuntimeError(f"Quadrix MTB: keine Bibliothek für {sys.platform} {platform.machine()}")
    bib = ctypes.CDLL(name)
    bib.qx_version.restype = ctypes.c_int
    if bib.qx_version() != 1:
        raise RuntimeError(f"Quadrix MTB: {name} hat eine andere Schnittstelle")
    bib.qx_neu.restype = ctypes.c_void_p
    bib.qx_neu.argtypes = [ctypes.c_char_p, ctypes.c_char_p]
    bib.qx_frei.argtypes = [ctypes.c_void_p]
    bib.qx_fehler.restype = ctypes.c_char_p
    bib.qx_fehler.argtypes = [ctypes.c_void_p]
    zahlen = ctypes.POINTER(ctypes.c_double)
    bib.qx_codes.restype = ctypes.c_size_t
    bib.qx_codes.argtypes = [ctypes.c_void_p, ctypes.c_size_t, zahlen, zahlen, zahlen]
    bib.qx_codes_texte.restype = ctypes.c_size_t
    bib.qx_codes_texte.argtypes = [ctypes.c_void_p, ctypes.c_size_t, ctypes.POINTER(ctypes.c_char_p)]
    bib.qx_netz.restype = ctypes.c_size_t
    bib.qx_netz.argtypes = [ctypes.c_void_p] + [ctypes.c_double] * 4 + [ctypes.c_size_t]
    for f in (bib.qx_code, bib.qx_grund):
        f.restype = ctypes.c_char_p
        f.argtypes = [ctypes.c_void_p, ctypes.c_size_t]
    bib.qx_zelle.restype = ctypes.c_size_t
    bib.qx_zelle.argtypes = [ctypes.c_void_p, ctypes.c_char_p, zahlen, ctypes.c_size_t, zahlen,
                             ctypes.POINTER(ctypes.c_int)]
    bib.qx_netz_zelle.restype = ctypes.c_size_t
    bib.qx_netz_zelle.argtypes = [ctypes.c_void_p, ctypes.c_size_t, zahlen, ctypes.c_size_t, zahlen,
                                  ctypes.POINTER(ctypes.c_int)]
    _bib = bib
    return bib


def _text(b):
    return b.decode("utf-8") if b else ""


class Lauf:
    """One run of the library with mtbq's options: grid, datum, levels,
    notation, uncertainty, precision, zone."""

    def __init__(self, **optionen):
        self.bib = _laden()
        text = ";".join(f"{k.replace('_', '-')}={v}" for k, v in optionen.items() if v is not None)
        self.lauf = self.bib.qx_neu(text.encode("utf-8"), _ORDNER.encode("utf-8"))
        if not self.lauf:
            raise MemoryError("Quadrix MTB: kein Speicher")
        fehler = _text(self.bib.qx_fehler(self.lauf))
        if fehler:
            self.close()
            raise ValueError(fehler)

    def close(self):
        if self.lauf:
            self.bib.qx_frei(self.lauf)
            self.lauf = None

    def __enter__(self):
        return self

    def __exit__(self, *_):
        self.close()

    def _ergebnisse(self, n):
        return [(_text(self.bib.qx_code(self.lauf, i)), _text(self.bib.qx_grund(self.lauf, i))) for i in range(n)]

    def codes(self, breite, laenge, radien=None):
        """(code, reason) for each point; a radius of NaN or None: none."""
        n = len(breite)
        feld = ctypes.c_double * n
        r = None
        if radien is not None:
            r = feld(*[math.nan if x is None else float(x) for x in radien])
        self.bib.qx_codes(self.lauf, n, feld(*breite), feld(*laenge), r)
        return self._ergebnisse(n)

    def netz(self, sued, west, nord, ost, hoechstens=200000):
        n = self.bib.qx_netz(self.lauf, sued, west, nord, ost, hoechstens)
        if n == ctypes.c_size_t(-1).value:
            raise ValueError(f"mehr als {hoechstens} Zellen in diesem Ausschnitt: eine gröbere Ebene wählen")
        return [c for c, _ in self._ergebnisse(n)]

    def _rand(self, abfrage):
        platz = 64
        while True:
            punkte = (ctypes.c_double * (2 * platz))()
            mitte = (ctypes.c_double * 2)()
            epsg = ctypes.c_int(0)
            n = abfrage(punkte, platz, mitte, ctypes.byref(epsg))
            if n == 0:
                return None, _text(self.bib.qx_fehler(self.lauf))
            if n <= platz:
                return [(punkte[2 * i], punkte[2 * i + 1]) for i in range(n)], epsg.value
            platz = n

    def zelle(self, code):
        """(outline as (lat, lon) pairs, EPSG code of its datum), or (None, reason)."""
        return self._rand(lambda *a: self.bib.qx_zelle(self.lauf, code.encode("utf-8"), *a))

    def netz_zelle(self, i):
        """The outline of cell i of the last netz(), as zelle() gives it."""
        return self._rand(lambda *a: self.bib.qx_netz_zelle(self.lauf, i, *a))
