"""The Python module's two figures in one run:
  1. NumPy arrays of decimal WGS84 points coded by the module, against
     mtbq --batch reading the same points as text (its output to a file);
  2. a CSV coded with Dask (read, map_partitions, written back) on a
     LocalCluster of two workers, against one worker.

    python3 bench/bench_python.py MTBQ [PUNKTE] [ZEILEN]

MTBQ: the program; the module comes from PYTHONPATH. Prints "NAME VALUE"
lines for bench/messen.sh after the readable ones."""

import os
import subprocess
import sys
import tempfile
import time

import numpy as np
import pandas as pd

import quadrix


def best(runden, f):
    zeiten = []
    for _ in range(runden):
        t = time.perf_counter()
        f()
        zeiten.append(time.perf_counter() - t)
    return min(zeiten)


def punkte(n, seed):
    rnd = np.random.default_rng(seed)
    return rnd.uniform(47.3, 55.0, n), rnd.uniform(5.9, 15.0, n)


def modul_gegen_mtbq(mtbq, n, ordner):
    b, l = punkte(n, 1)
    text = os.path.join(ordner, "punkte.txt")
    with open(text, "w") as f:
        f.write("".join(f"{x!r} {y!r}\n" for x, y in zip(b.tolist(), l.tolist())))
    aus = os.path.join(ordner, "codes.txt")

    def mit_mtbq():
        with open(aus, "wb") as f:
            subprocess.run([mtbq, "--datum=wgs84", "--batch", text], stdout=f, check=True)

    t_mtbq = best(5, mit_mtbq)
    quadrix.code(b[:1000], l[:1000], datum="wgs84")  # the grid read, as mtbq reads it in its run
    t_numpy = best(5, lambda: quadrix.code(b, l, datum="wgs84"))
    t_pandas = best(3, lambda: quadrix.code(pd.Series(b), pd.Series(l), datum="wgs84"))
    print(f"{n:,} WGS84 points: mtbq --batch {t_mtbq:.3f} s, module on NumPy arrays {t_numpy:.3f} s "
          f"(pandas Series {t_pandas:.3f} s): speed-up {t_mtbq / t_numpy:.2f} (target >= 3)")
    return t_mtbq / t_numpy


def dask_lauf(arbeiter, eingabe, ausgabe):
    import dask.dataframe as dd
    from dask.distributed import Client, LocalCluster

    with LocalCluster(n_workers=arbeiter, threads_per_worker=1, processes=True, dashboard_address=None) as c, \
            Client(c):
        def codiere(df):
            return quadrix.code(df.decimalLatitude, df.decimalLongitude, df.coordinateUncertaintyInMeters,
                                threads=1)

        t = time.perf_counter()
        ddf = dd.read_csv(eingabe, blocksize="16MB", float_precision="round_trip")
        ddf["mtb"] = ddf.map_partitions(codiere, meta=("mtb", "object"))
        ddf.to_csv(os.path.join(ausgabe, "teil-*.csv"), index=False)
        return time.perf_counter() - t


def dask_zwei_gegen_einen(zeilen, ordner):
    b, l = punkte(zeilen, 2)
    r = np.where(np.arange(zeilen) % 3 == 0, np.nan, np.round(np.random.default_rng(3).uniform(1, 5000, zeilen)))
    eingabe = os.path.join(ordner, "funde.csv")
    pd.DataFrame({"id": np.arange(zeilen), "decimalLatitude": b, "decimalLongitude": l,
                  "coordinateUncertaintyInMeters": r}).to_csv(eingabe, index=False)
    zeiten = {}
    for arbeiter in (1, 2):
        zeiten[arbeiter] = min(dask_lauf(arbeiter, eingabe, tempfile.mkdtemp(dir=ordner)) for _ in range(2))
    print(f"Dask, CSV of {zeilen:,} rows read, coded and written: 1 worker {zeiten[1]:.2f} s, "
          f"2 workers {zeiten[2]:.2f} s: ratio {zeiten[2] / zeiten[1]:.2f} (target <= 0.6)")
    return zeiten[2] / zeiten[1]


def main():
    mtbq = sys.argv[1]
    n = int(sys.argv[2]) if len(sys.argv) > 2 else 1000000
    zeilen = int(sys.argv[3]) if len(sys.argv) > 3 else 4000000
    with tempfile.TemporaryDirectory() as ordner:
        faktor = modul_gegen_mtbq(mtbq, n, ordner)
        verhaeltnis = dask_zwei_gegen_einen(zeilen, ordner)
    print(f"python_faktor {faktor:.2f}")
    print(f"dask_verhaeltnis {verhaeltnis:.2f}")


if __name__ == "__main__":
    main()
