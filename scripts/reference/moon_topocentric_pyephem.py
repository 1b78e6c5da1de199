#!/usr/bin/python3
"""Writes tests/reference/moon_topocentric_pyephem.csv: the Moon's apparent
geocentric and topocentric right ascension (hours) and declination (degrees) of
date at the same universal time, seen from three sites (48 N, 34 S, 65 N) at
random instants of 1900-2100 (fixed seed).

Source: PyEphem (Debian python3-ephem, libastro): its Moon, its own Earth figure
and sidereal time from universal time; no refraction (pressure 0). The test
compares the parallax shift (topocentric less geocentric place), which does not
depend on the small differences between the two programs' Moons or Delta T.

Run from the top folder:  /usr/bin/python3 scripts/reference/moon_topocentric_pyephem.py
(needs python3-ephem)
"""
import math
import random

import ephem

OUT = "tests/reference/moon_topocentric_pyephem.csv"

# latitude (degrees), longitude (degrees, west positive), height (metres)
SITES = [(48.0, -11.6, 520), (-34.0, -18.5, 10), (65.0, 147.7, 130)]
PER_SITE = 20


def hours(angle):
    return math.degrees(angle) / 15.0


def main():
    rng = random.Random(20240521)
    lines = ["# The Moon's apparent places of date from PyEphem %s (libastro), geocentric and seen"
             % ephem.__version__,
             "# from the site at the same universal time, no refraction; written by",
             "# scripts/reference/moon_topocentric_pyephem.py",
             "year,month,day,hour,minute,second,latitude,longitude_west,height_m,"
             "geo_ra_h,geo_dec,topo_ra_h,topo_dec"]
    for lat, lon_west, height in SITES:
        for _ in range(PER_SITE):
            y = rng.randint(1900, 2100)
            when = (y, rng.randint(1, 12), rng.randint(1, 28), rng.randint(0, 23), rng.randint(0, 59),
                    rng.randint(0, 59))
            site = ephem.Observer()
            site.lat, site.lon = str(lat), str(-lon_west)
            site.elevation = height
            site.pressure = 0
            site.date = ephem.Date(when)
            moon = ephem.Moon()
            moon.compute(site)
            lines.append("%d,%d,%d,%d,%d,%d,%s,%s,%d,%.9f,%.8f,%.9f,%.8f"
                         % (*when, lat, lon_west, height, hours(moon.g_ra), math.degrees(moon.g_dec),
                            hours(moon.ra), math.degrees(moon.dec)))
    with open(OUT, "w") as f:
        f.write("\n".join(lines) + "\n")
    print("wrote", OUT, len(SITES) * PER_SITE, "rows")


if __name__ == "__main__":
    main()
