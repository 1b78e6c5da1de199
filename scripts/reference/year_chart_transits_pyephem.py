#!/usr/bin/python3
"""Writes tests/reference/year_chart_transits_pyephem.csv: the local time (zone 0,
hours) of the transit of a star at Vega's place of date (18h37m12s, +38.8) seen
from 51 N, 0 E on the 15th of each month of 2024, and its altitude at transit,
as the year chart of the visibility model counts its months.

Source: PyEphem (Debian python3-ephem, libastro), no refraction.

Run from the top folder:  /usr/bin/python3 scripts/reference/year_chart_transits_pyephem.py
"""
import math

import ephem

OUT = "tests/reference/year_chart_transits_pyephem.csv"


def main():
    site = ephem.Observer()
    site.lat, site.lon, site.elevation, site.pressure = "51", "0", 0, 0
    star = ephem.FixedBody()
    star._ra, star._dec, star._epoch = ephem.hours("18:37:12"), ephem.degrees("38.8"), ephem.date("2024/7/1")
    with open(OUT, "w") as f:
        f.write("# Transits of a star at 18h37m12s +38.8 (of date) from 51 N 0 E, zone 0, on the 15th\n")
        f.write("# of each month of 2024, by PyEphem %s; written by\n" % ephem.__version__)
        f.write("# scripts/reference/year_chart_transits_pyephem.py\n")
        f.write("month,transit_hour,transit_altitude\n")
        for month in range(1, 13):
            site.date = ephem.date("2024/%d/15" % month)
            when = site.next_transit(star)
            site.date = when
            star.compute(site)
            t = ephem.date(when).datetime()
            hour = t.hour + t.minute / 60.0 + t.second / 3600.0
            f.write("%d,%.4f,%.3f\n" % (month, hour, math.degrees(star.alt)))
    print("wrote", OUT)


if __name__ == "__main__":
    main()
