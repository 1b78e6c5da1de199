#!/usr/bin/python3
"""Writes tests/reference/solar_eclipse_unseen_pyephem.csv: places that the
penumbra of a central solar eclipse never reaches. For each eclipse date and
place (latitude degrees north, longitude degrees west), the least distance
between the limbs of the Sun and the Moon seen from the place over eight
hours around greatest eclipse (arcminutes; positive: no eclipse there), the UT
of that least distance and the Sun's altitude then (degrees).

Source: PyEphem (Debian python3-ephem, libastro): VSOP87 Sun, its Moon
theory, apparent topocentric places at height 0 m, no refraction; one-minute
steps from 4 h before to 4 h after the eclipse's greatest (NASA's eclipse
pages).

Run from the top folder:  /usr/bin/python3 scripts/reference/solar_eclipse_unseen_pyephem.py
(needs python3-ephem and python3-erfa)
"""
import math

import ephem

from common import pyephem_site, sun_moon_steps

OUT = "tests/reference/solar_eclipse_unseen_pyephem.csv"
# (year, month, day, greatest UT in hours, place, latitude, east longitude)
CASES = [
    (2006, 3, 29, 10 + 11 / 60, "Sydney", -(33 + 52 / 60), 151 + 12 / 60),
    (2008, 8, 1, 10 + 21 / 60, "Cape Town", -33.92, 18.42),
    (2009, 7, 22, 2 + 35 / 60, "Perth", -31.95, 115.86),
    (2010, 7, 11, 19 + 33 / 60, "New York", 40.71, -74.0),
]


def least_limb_distance(y, m, d, hours, lat, lon):
    start = ephem.Date((y, m, d, 0, 0, 0)) + hours / 24.0
    best = None
    for when, sun, moon in sun_moon_steps(pyephem_site(lat, lon), start, range(-240, 241), 60):
        gap = (ephem.separation(sun, moon) - sun.radius - moon.radius) * 180 / math.pi * 60
        if best is None or gap < best[0]:
            best = (gap, when, sun.alt * 180 / math.pi)
    return best


def main():
    with open(OUT, "w") as f:
        f.write("# Least distance of the Sun's and the Moon's limbs (arcminutes) seen from places outside the\n")
        f.write("# penumbra, PyEphem %s (libastro), topocentric, height 0 m, one-minute steps over 8 h;\n" % ephem.__version__)
        f.write("# written by scripts/reference/solar_eclipse_unseen_pyephem.py\n")
        f.write("year,month,day,place,latitude,longitude_west,limb_gap_arcmin,ut_hours,sun_altitude\n")
        for y, m, d, hours, place, lat, lon in CASES:
            gap, when, altitude = least_limb_distance(y, m, d, hours, lat, lon)
            ut = (when - float(ephem.Date((y, m, d, 0, 0, 0)))) * 24
            f.write("%d,%d,%d,%s,%.4f,%.4f,%.1f,%.4f,%.1f\n" % (y, m, d, place, lat, -lon, gap, ut, altitude))


if __name__ == "__main__":
    main()
