#!/usr/bin/python3
"""Writes tests/reference/nutation_sidereal_erfa.csv for the nutation and sidereal time in
Julian centuries: for random dates 1800..2200 at 0h, the IAU 1980 nutation (erfa.nut80, the
complete 106-term series, arcseconds), and the IAU 1982 mean sidereal time at 0h UT plus the
equation of the equinoxes (erfa.gst94, hours). ERFA (python3-erfa) is an independent
implementation of the IAU SOFA routines. Fixed seed: a rerun reproduces the file.

Run from the top folder:  /usr/bin/python3 scripts/reference/nutation_sidereal_erfa.py
"""
import math
import random

import erfa

OUT = "tests/reference/nutation_sidereal_erfa.csv"


def main():
    rng = random.Random(1980)
    rows = []
    for _ in range(300):
        y, m, d = rng.randint(1800, 2200), rng.randint(1, 12), rng.randint(1, 28)
        d1, d2 = erfa.cal2jd(y, m, d)
        jd = d1 + d2
        dpsi, deps = erfa.nut80(jd, 0.0)
        gst = erfa.gst94(jd, 0.0)
        arcsec = 180 / math.pi * 3600
        rows.append(f"{y},{m},{d},{jd:.1f},{dpsi * arcsec:.6f},{deps * arcsec:.6f},"
                    f"{math.degrees(gst) / 15:.12f}")
    with open(OUT, "w") as f:
        f.write("year,month,day,jd_0h,dpsi_arcsec,deps_arcsec,gst94_hours\n" + "\n".join(rows) + "\n")


main()
