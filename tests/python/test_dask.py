"""A large table coded the way the README shows: with Dask on a LocalCluster
of two workers (read in partitions, map_partitions, written back), and with
plain pandas on one machine; both against mtbq --batch on the same file.
MTBQ names the program; the module comes from PYTHONPATH. ZEILEN: rows."""

import glob
import os
import subprocess
import tempfile
import unittest

import numpy as np
import pandas as pd

import quadrix

MTBQ = os.environ["MTBQ"]
ZEILEN = int(os.environ.get("ZEILEN", "3000000"))


def codiere(df):
    # One thread per partition: Dask runs the partitions side by side.
    return quadrix.code(df.decimalLatitude, df.decimalLongitude, df.coordinateUncertaintyInMeters, threads=1)


class GrosseTafel(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.ordner = tempfile.TemporaryDirectory()
        rnd = np.random.default_rng(7)
        b = rnd.uniform(47.0, 55.5, ZEILEN)
        l = rnd.uniform(5.5, 15.5, ZEILEN)
        r = np.where(rnd.random(ZEILEN) < 0.4, np.nan, np.round(rnd.uniform(1, 20000, ZEILEN), 1))
        cls.eingabe = os.path.join(cls.ordner.name, "funde.csv")
        pd.DataFrame({"id": np.arange(ZEILEN), "decimalLatitude": b, "decimalLongitude": l,
                      "coordinateUncertaintyInMeters": r}).to_csv(cls.eingabe, index=False)
        # mtbq's answer for the same file, line by line.
        r = subprocess.run([MTBQ, "--batch", cls.eingabe], capture_output=True, text=True, check=False)
        zeilen = r.stdout.splitlines()[1:]
        cls.mtbq = [z.rsplit(",", 1)[1] for z in zeilen]

    @classmethod
    def tearDownClass(cls):
        cls.ordner.cleanup()

    def test_pandas_auf_einem_rechner(self):
        df = pd.read_csv(self.eingabe, float_precision="round_trip")
        df["mtb"] = quadrix.code(df.decimalLatitude, df.decimalLongitude, df.coordinateUncertaintyInMeters)
        self.assertEqual(df.mtb.fillna("").tolist(), self.mtbq)
        self.assertGreater(df.mtb.notna().sum(), ZEILEN // 2)

    def test_dask_auf_zwei_arbeitern(self):
        import dask.dataframe as dd
        from dask.distributed import Client, LocalCluster

        ausgabe = os.path.join(self.ordner.name, "kodiert")
        with LocalCluster(n_workers=2, threads_per_worker=1, processes=True, dashboard_address=None) as cluster, \
                Client(cluster) as client:
            self.assertEqual(len(client.scheduler_info()["workers"]), 2)
            ddf = dd.read_csv(self.eingabe, blocksize="16MB", float_precision="round_trip")
            self.assertGreater(ddf.npartitions, 4)
            ddf["mtb"] = ddf.map_partitions(codiere, meta=("mtb", "object"))
            ddf.to_csv(os.path.join(ausgabe, "teil-*.csv"), index=False)
        teile = sorted(glob.glob(os.path.join(ausgabe, "teil-*.csv")))
        zurueck = pd.concat(pd.read_csv(t, dtype={"mtb": str}, keep_default_na=False) for t in teile)
        zurueck = zurueck.sort_values("id")
        self.assertEqual(zurueck.id.tolist(), list(range(ZEILEN)))
        self.assertEqual(zurueck.mtb.tolist(), self.mtbq)


if __name__ == "__main__":
    unittest.main()
