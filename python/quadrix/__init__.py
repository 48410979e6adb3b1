"""MTB codes (Messtischblatt with quadrants) and the other grids of mtbq,
for whole NumPy arrays and pandas Series at once.

Every result is mtbq's, byte for byte: a point given here as a float is
the point mtbq reads from the shortest text of that float. A point that
gets no code gets a missing value (None), never an exception; with
reasons=True a second column says why, in mtbq's German words.

    >>> import quadrix
    >>> quadrix.code([50.12222], [8.69167])              # WGS84 through BETA2007
    array(['5818/3/3/2/1/1'], dtype=object)
    >>> quadrix.code(df.lat, df.lon, uncertainty=df.radius, levels=3)

Options as mtbq names them: grid (mtb, minutenfeld, eea100m .. eea100km,
utm, mgrs, gk), datum (auto, potsdam, etrs89, wgs84; auto takes decimal
degrees as WGS84), levels (0..5), notation (slash, compact, dot, blank),
precision and uncertainty in metres, zone, long_form.
"""

import numbers

import numpy as np

from . import _quadrix

__all__ = ["code", "code_text", "read", "cell", "outline", "grid_cells"]


def _pandas():
    try:
        import pandas
    except ImportError:
        return None
    return pandas


def _index(*spalten):
    pd = _pandas()
    if pd is None:
        return None
    for s in spalten:
        if isinstance(s, pd.Series):
            return s.index
    return None


def _series(werte, index, name):
    if index is None:
        return werte
    return _pandas().Series(werte, index=index, name=name)


def _zahlen(s):
    return np.ascontiguousarray(np.asarray(s, dtype=np.float64)).reshape(-1)


def code(lat, lon, uncertainty=None, *, grid="mtb", datum="auto", levels=None, notation="slash",
         precision=None, zone=0, long_form=False, reasons=False, threads=None):
    """The code of each point (decimal degrees). uncertainty: a radius in
    metres for all points, or one per point (NaN: none); the code is then cut
    to the deepest level whose cell holds the circle (mtbq --uncertainty, or
    a table's coordinateUncertaintyInMeters column).

    pandas Series in, a Series out (object dtype, None where refused); arrays
    and lists in, a NumPy str array out ('' where refused: NumPy's strings
    have no missing value). threads: how many threads code a long column
    (default: all cores; 1 inside Dask, which runs partitions side by side)."""
    index = _index(lat, lon, uncertainty)
    radius, fuer_alle = None, None
    if uncertainty is not None:
        if isinstance(uncertainty, numbers.Real):
            fuer_alle = float(uncertainty)
        else:
            radius = _zahlen(uncertainty)
    r = _quadrix.code(_zahlen(lat), _zahlen(lon), radius, grid=grid, datum=datum, levels=levels,
                      notation=notation, precision=precision, uncertainty=fuer_alle, zone=zone,
                      long_form=long_form, reasons=reasons, objects=index is not None, threads=threads)
    if reasons:
        return _series(r[0], index, "code"), _series(r[1], index, "reason")
    return _series(r, index, "code")


def _texte(texte):
    return ["" if t is None or (isinstance(t, float) and t != t) else str(t) for t in texte]


def code_text(texts, *, grid="mtb", datum="auto", levels=None, notation="slash", precision=None,
              uncertainty=None, zone=0, long_form=False, reasons=False):
    """The code of each position as people write it ("50 07 20 8 41 30",
    "50°07'20\\"N 8°41'30\\"E", "geo:50.1,8.6", "R 3478544 H 5549792",
    "32U 478544 5549792"), as mtbq --batch codes a line. Returned as
    code() returns them."""
    index = _index(texts)
    r = _quadrix.code_text(_texte(texts), grid=grid, datum=datum, levels=levels, notation=notation,
                           precision=precision, uncertainty=uncertainty, zone=zone, long_form=long_form,
                           reasons=reasons, objects=index is not None)
    if reasons:
        return _series(r[0], index, "code"), _series(r[1], index, "reason")
    return _series(r, index, "code")


def _tafel(spalten, index):
    pd = _pandas()
    if pd is None:
        return spalten
    return pd.DataFrame(spalten, index=index)


def read(texts, *, datum="auto"):
    """Written positions read: lat and lon in decimal degrees on the datum
    each is taken on (column datum; auto: decimals WGS84, whole degrees,
    minutes and seconds Potsdam), and the reason where nothing was read.
    A DataFrame where pandas is there, else a dict of columns."""
    return _tafel(_quadrix.read(_texte(texts), datum=datum), _index(texts))


def cell(codes, *, grid=None):
    """The cell of each code: corners (sw, se, ne, nw) and centre in decimal
    degrees on the cell's datum (column datum: potsdam for the sheet grid,
    the minute fields and Gauss-Kruger, etrs89 for the others). grid: the
    grid, where the code's form does not tell it (minutenfeld)."""
    return _tafel(_quadrix.cell(_texte(codes), grid=grid), _index(codes))


def outline(code, *, grid=None):
    """The outline of one code's cell, closed, counter-clockwise from the
    south-west corner, with points along the edges: a list of (lat, lon)
    on the cell's datum. ValueError for a code that is refused."""
    return _quadrix.outline(str(code), grid=grid)


def grid_cells(south, west, north, east, *, level=5, grid="mtb", notation="slash", limit=1000000):
    """The codes of the cells (sheet grid at any level 0..5, or minute
    fields) that touch a box in decimal degrees on the Potsdam datum, rows
    from the north."""
    return _quadrix.grid_cells(south, west, north, east, level=level, grid=grid, notation=notation, limit=limit)
