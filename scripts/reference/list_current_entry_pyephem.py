#!/usr/bin/python3
"""Writes tests/reference/list_current_entry_pyephem.csv: the five bodies of an observing list
(4 Vesta, Jupiter, Mars, the Moon and a comet named P/1998 VS24, in that order) seen from
40 N 105 W (height 0 m, zone -7 h: universal time is local time + 7 h), as the tests of the list's
current entry across the sky chart take them:
- case "now": 3 February 2027 01:10 local, the device clock;
- case "ahead": 8 February 2027 01:10 local, a night five days ahead that a list is planned for.
At both times 4 Vesta and the Moon are more than 5 degrees below the horizon and the other three
more than 5 degrees above it, so that the views of the visible sky leave out the first and the
fourth entry.
Each row: the entry's catalogue (45 a body, number the body index; 12 a comet or asteroid, number
its record in the comet file), the local date and time, the apparent topocentric right ascension
(hours) and declination (degrees) of date, the altitude and the azimuth (degrees, from north
through east), without refraction.

4 Vesta: the elements of listed_places_pyephem.py. The comet's elements are chosen for these
tests (an elliptic orbit on the J2000 ecliptic and equinox), not taken from a catalogue:
perihelion 2026 October 1.0, q = 3.4 AU, e = 0.25, argument of perihelion 10, node 150,
inclination 4.6 degrees.

Source: PyEphem (Debian python3-ephem, libastro): VSOP87 and ELP 2000-82 for the bodies, two-body
orbits for Vesta and the comet, its own precession, nutation, aberration, Delta T and Earth figure.

Run from the top folder:  /usr/bin/python3 scripts/reference/list_current_entry_pyephem.py
"""
import math

import ephem

from common import pyephem_site, write_table
from listed_places_pyephem import vesta

LATITUDE, LONGITUDE_EAST, ZONE_HOURS = 40.0, -105.0, -7
TIMES = [("now", (2027, 2, 3, 1, 10, 0)), ("ahead", (2027, 2, 8, 1, 10, 0))]


def vs24():
    c = ephem.EllipticalBody()
    q, e = 3.4, 0.25
    c._a, c._e, c._M, c._epoch_M = q / (1.0 - e), e, 0.0, ephem.Date((2026, 10, 1))
    c._inc, c._Om, c._om, c._epoch = 4.6, 150.0, 10.0, ephem.J2000
    return c


LISTED = [("4 Vesta", 12, 0, vesta), ("Jupiter", 45, 5, ephem.Jupiter), ("Mars", 45, 4, ephem.Mars),
          ("Moon", 45, 1, ephem.Moon), ("P/1998 VS24", 12, 1, vs24)]
BELOW = ("4 Vesta", "Moon")


def main():
    rows = []
    for case, when in TIMES:
        universal = ephem.Date(ephem.Date(when) - ZONE_HOURS * ephem.hour)
        site = pyephem_site(LATITUDE, LONGITUDE_EAST, universal)
        for name, designation, number, make in LISTED:
            body = make()
            body.compute(site)
            altitude = math.degrees(body.alt)
            assert (altitude < -5.0) if name in BELOW else (altitude > 5.0), (case, name, altitude)
            rows.append([case, name, str(designation), str(number), *[str(v) for v in when],
                         math.degrees(body.ra) / 15.0, math.degrees(body.dec), altitude, math.degrees(body.az)])
    write_table("list_current_entry_pyephem.csv",
                ["4 Vesta, Jupiter, Mars, the Moon and a comet seen from 40 N 105 W (0 m, zone -7 h) on",
                 "3 February 2027 01:10 local and five days later: apparent topocentric RA (h), Dec (deg)",
                 "of date, altitude and azimuth (deg, from north through east), no refraction"],
                ["case", "name", "designation", "number", "year", "month", "day", "hour", "minute", "second",
                 "ra_h", "dec_deg", "alt_deg", "az_deg"],
                rows, "PyEphem %s (libastro)" % ephem.__version__)


if __name__ == "__main__":
    main()
