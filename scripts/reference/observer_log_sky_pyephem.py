#!/usr/bin/python3
"""Writes tests/reference/observer_log_sky_pyephem.csv: the Sun's altitude
(degrees) and the Moon's illuminated per cent seen from 51 N, 0 E at 2006
March 14, 23:47 UT, the instant an observer log entry is tested at (the full
Moon of that day was at 23:35 UT), and at 12:47 UT, the hour the entry is
moved to in the date form; with the Moon's and Jupiter's apparent
topocentric right ascension (hours) and declination (degrees) of date, the
places an entry that names the Moon or Jupiter keeps, and Jupiter's visual
magnitude.

Source: PyEphem (Debian python3-ephem, libastro): VSOP87 Sun, apparent
topocentric place, no refraction (pressure 0), height 0 m. With PyEphem 4.1.4:
at 23:47 the Sun at -41.062 degrees, the Moon 99.994 per cent lit; at 12:47
the Sun at 35.929 degrees, the Moon 99.804 per cent lit.

Run from the top folder:  /usr/bin/python3 scripts/reference/observer_log_sky_pyephem.py
(needs python3-ephem)
"""
import math

import ephem

from common import pyephem_site, write_table


def main():
    rows = []
    for hour in (23, 12):
        site = pyephem_site(51, 0, "2006/3/14 %d:47" % hour)
        sun, moon, jupiter = ephem.Sun(site), ephem.Moon(site), ephem.Jupiter(site)
        rows.append(["%d" % hour, "47", math.degrees(sun.alt), moon.phase, math.degrees(moon.ra) / 15,
                     math.degrees(moon.dec), math.degrees(jupiter.ra) / 15, math.degrees(jupiter.dec),
                     jupiter.mag])
    write_table("observer_log_sky_pyephem.csv",
                ["The Sun's altitude (degrees) and the Moon's illuminated per cent at 51 N 0 E (0 m),",
                 "2006 March 14 at the hour and minute (UT), the Moon's and Jupiter's right ascension (h)",
                 "and declination (deg) of date: apparent topocentric, no refraction; Jupiter's magnitude"],
                ["hour", "minute", "sun_alt_deg", "moon_percent", "moon_ra_h", "moon_dec_deg", "jupiter_ra_h",
                 "jupiter_dec_deg", "jupiter_mag"], rows, "PyEphem %s (libastro)" % ephem.__version__)


if __name__ == "__main__":
    main()
