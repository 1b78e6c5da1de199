#!/usr/bin/python3
"""Writes tests/reference/constellations_astropy.csv: random positions (mean equator and
equinox of J2000.0) with their constellation by astropy's get_constellation, an independent
implementation of the same boundary table (Roman 1987, astropy's own copy of CDS VI/42, its own
precession to B1875.0). Only positions whose constellation is the same at four points 0.05
degree away (north, south, east, west) are kept, so that the small differences between the
precession models cannot move a position across a boundary.

Run from the top folder:  /usr/bin/python3 scripts/reference/constellation_astropy.py
"""
import math
import random
import warnings

import astropy.units as u
from astropy.coordinates import GCRS, SkyCoord, get_constellation
from astropy.time import Time

OUT = "tests/reference/constellations_astropy.csv"
# The constellation table's rows; Cancer is used as 22 (row 11 is not used by the boundaries).
NAMES = ("And Ant Aps Aql Aqr Ari Ara Aur Boo Cae Cam Cnc Cap Car Cas Cen Cep Cet Cha Cir CMa CMi "
         "Cnc Col Com CrA CrB Crt Cru Crv CVn Cyg Del Dor Dra Equ Eri For Gem Gru Her Hor Hya Hyi "
         "Ind Lac Leo Lep Lib LMi Lup Lyn Lyr Men Mic Mon Mus Nor Oct Oph Ori Pav Peg Per Phe Pic "
         "PsA Psc Pup Pyx Ret Scl Sco Sct Ser Sex Sge Sgr Tau Tel TrA Tri Tuc UMa UMi Vel Vir Vol Vul").split()
INDEX = {name: i for i, name in enumerate(NAMES)}
INDEX["Cnc"] = 22


def main():
    rng = random.Random(1875)
    ras, decs = [], []
    for _ in range(4000):
        ras.append(rng.uniform(0.0, 360.0))
        decs.append(math.degrees(math.asin(rng.uniform(-1.0, 1.0))))
    offsets = [(0, 0), (0.05, 0), (-0.05, 0), (0, 0.05), (0, -0.05)]
    frame = GCRS(obstime=Time("J2000", scale="tt"))
    names = []
    for dra, ddec in offsets:
        r = [(a + dra / max(math.cos(math.radians(d)), 1e-3)) % 360 for a, d in zip(ras, decs)]
        d = [max(min(x + ddec, 90.0), -90.0) for x in decs]
        with warnings.catch_warnings():
            warnings.simplefilter("ignore")
            names.append(get_constellation(SkyCoord(r * u.deg, d * u.deg, frame=frame), short_name=True))
    rows = []
    for i in range(len(ras)):
        if len({names[j][i] for j in range(len(offsets))}) != 1:
            continue
        rows.append(f"{ras[i] / 15:.8f},{decs[i]:.8f},{INDEX[str(names[0][i])]}")
    with open(OUT, "w") as f:
        f.write("ra_hours_j2000,dec_deg_j2000,constellation\n" + "\n".join(rows) + "\n")
    print("wrote", OUT, len(rows), "positions")


main()
