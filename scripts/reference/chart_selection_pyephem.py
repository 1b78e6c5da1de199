#!/usr/bin/python3
"""Writes tests/reference/chart_selection_pyephem.csv: the Sun seen from London
(51.5074 N, 0.1278 W, height 0 m, zone 0: local civil time is universal time)
on 7 December 2026 at 18:00, below the horizon in the west, as the sky chart's
tests select it and change views: its apparent topocentric right ascension
(hours) and declination (degrees) of date, altitude and azimuth (degrees,
azimuth from north through east, no refraction: pressure 0) and its distance
from the Earth (AU).

Source: PyEphem (Debian python3-ephem, libastro): VSOP87 for the Earth, its
own Delta T, Earth figure and sidereal time.

Run from the top folder:  /usr/bin/python3 scripts/reference/chart_selection_pyephem.py
"""
import math

import ephem

from common import pyephem_site, write_table

LATITUDE, LONGITUDE_WEST = 51.5074, 0.1278
WHEN = (2026, 12, 7, 18, 0, 0)


def main():
    sun = ephem.Sun()
    sun.compute(pyephem_site(LATITUDE, -LONGITUDE_WEST, WHEN))
    row = ["0", *[str(v) for v in WHEN[:5]], math.degrees(sun.ra) / 15.0, math.degrees(sun.dec),
           math.degrees(sun.alt), math.degrees(sun.az), sun.earth_distance]
    write_table("chart_selection_pyephem.csv",
                ["The Sun seen from London (51.5074 N, 0.1278 W, 0 m, zone 0): apparent topocentric",
                 "place of date, altitude and azimuth without refraction, distance from the Earth"],
                ["body", "year", "month", "day", "hour", "minute", "ra_h", "dec_deg", "alt_deg", "az_deg",
                 "distance_au"],
                [row], "PyEphem %s (libastro)" % ephem.__version__)


if __name__ == "__main__":
    main()
