#!/usr/bin/python3
"""Prints the Sun's altitude (degrees) and the Moon's illuminated per cent seen
from 51 N, 0 E at 2006 March 14, 23:47 UT: the instant a new observer log entry
is tested at (the full Moon of that day was at 23:35 UT); and the Sun's
altitude at 12:47 UT, the hour the entry is moved to.

Source: PyEphem (Debian python3-ephem, libastro): VSOP87 Sun, apparent
topocentric place, no refraction (pressure 0), height 0 m. With PyEphem 4.1.4:
Sun altitude -41.062 degrees, Moon 99.994 per cent lit; at 12:47 the Sun at
35.929 degrees.

Run from the top folder:  /usr/bin/python3 scripts/reference/observer_log_sky_pyephem.py
(needs python3-ephem)
"""
import math

import ephem


def main():
    site = ephem.Observer()
    site.lat, site.lon, site.elevation, site.pressure = "51", "0", 0, 0
    site.date = "2006/3/14 23:47"
    sun, moon = ephem.Sun(site), ephem.Moon(site)
    print("sun altitude %.3f degrees" % math.degrees(sun.alt))
    print("moon %.3f per cent lit" % moon.phase)
    site.date = "2006/3/14 12:47"
    print("sun altitude at 12:47 %.3f degrees" % math.degrees(ephem.Sun(site).alt))


if __name__ == "__main__":
    main()
