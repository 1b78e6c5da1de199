#!/usr/bin/python3
"""Writes tests/reference/sun_magnitude_pyephem.csv: the Sun's distance from the
Earth (AU) at 0 h UT on four dates of 2024 (near perihelion, an equinox,
aphelion and the other equinox), and its apparent visual magnitude there,
-26.74 + 5 log10(r): the magnitude -26.74 at 1 AU (Allen's Astrophysical
Quantities) with the flux falling as the inverse square of the distance.

Source: PyEphem (Debian python3-ephem, libastro): VSOP87 for the Sun.

Run from the top folder:  /usr/bin/python3 scripts/reference/sun_magnitude_pyephem.py
(needs python3-ephem)
"""
import math

import ephem

OUT = "tests/reference/sun_magnitude_pyephem.csv"
DATES = [(2024, 1, 3), (2024, 3, 20), (2024, 7, 5), (2024, 9, 22)]


def main():
    with open(OUT, "w") as f:
        f.write("# The Sun's distance from PyEphem %s (libastro, VSOP87) at 0 h UT, and\n" % ephem.__version__)
        f.write("# -26.74 + 5 log10(distance); written by scripts/reference/sun_magnitude_pyephem.py\n")
        f.write("year,month,day,distance_au,magnitude\n")
        for y, m, d in DATES:
            sun = ephem.Sun(ephem.Date((y, m, d, 0, 0, 0)))
            r = sun.earth_distance
            f.write("%d,%d,%d,%.9f,%.4f\n" % (y, m, d, r, -26.74 + 5 * math.log10(r)))


if __name__ == "__main__":
    main()
