#!/usr/bin/python3
"""Writes tests/reference/red_spot_sky_51n.csv: the altitudes of the Sun and of
Jupiter seen from 51 N, 0 E (zone 0) every 10 minutes of 21 and 22 January
2024 (Jupiter in the evening sky), for the visibility of the Red Spot's
transits and the Sun's and Jupiter's guide bars.

Source, independent of the program: PyEphem (Debian python3-ephem,
libastro): apparent topocentric places, no refraction (pressure 0), height
0 m. Times are UT (= local time at zone 0), in minutes from 0h of the first
date.

Run from the top folder:  /usr/bin/python3 scripts/reference/red_spot_sky.py
"""
import math

import ephem

from common import write_table

DATES = ((2024, 1, 21),)


def main():
    site = ephem.Observer()
    site.lat, site.lon = "51.0", "0.0"
    site.elevation = 0
    site.pressure = 0
    rows = []
    for y, m, d in DATES:
        start = ephem.Date((y, m, d, 0, 0, 0))
        for minute in range(0, 2 * 1440 + 1, 10):
            site.date = ephem.Date(start + minute * ephem.minute)
            sun, jupiter = ephem.Sun(site), ephem.Jupiter(site)
            rows.append([str(y), str(m), str(d), str(minute), f"{math.degrees(sun.alt):.3f}",
                         f"{math.degrees(jupiter.alt):.3f}"])
    write_table("red_spot_sky_51n.csv",
                ["Altitudes (degrees, no refraction) of the Sun and Jupiter at 51 N, 0 E every 10 minutes of two",
                 "days from the date; minute counts from 0h UT of the date"],
                ["year", "month", "day", "minute", "sun_alt", "jupiter_alt"], rows,
                source="PyEphem %s" % ephem.__version__)


if __name__ == "__main__":
    main()
