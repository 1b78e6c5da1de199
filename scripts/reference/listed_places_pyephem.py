#!/usr/bin/python3
"""Writes tests/reference/listed_places_pyephem.csv: the bodies of an observing list seen from
London (51.5074 N, 0.1278 W, height 0 m, zone 0: local civil time is universal time), as the
list-reader tests take them:
- case "kept": 17 January 2027 21:10, the night the list was kept (its stale places);
- case "now": 16 February 2027 21:10, the device clock when the program is started again;
- case "ahead": 21 February 2027 21:10, a night five days ahead that a list is planned for;
- case "later": 16 February 2027 23:10, two hours after the start, the device clock having run on.
Rows: the Moon, Mars, Jupiter (designation 45, number the body index), 4 Vesta and a comet
(designation 12, number the comet file's record) and M31 (a J2000 catalogue place, designation 63),
each with its apparent topocentric right ascension (hours) and declination (degrees) of date,
no refraction (pressure 0).

4 Vesta: the row of the JPL Small-Body Database that Debian's kstars-data 5:3.6.2-2 ships
(usr/share/kstars/asteroids.dat: osculating elements at MJD 59800, J2000 ecliptic and equinox),
in single precision and the epoch read as a universal-time Julian day, as the program stores and
reads a minor planet (see comet_orbits.py). The comet (elliptic, J2000 ecliptic and equinox):
perihelion 2027 March 10.0 TT, q = 1.1 AU, e = 0.8, argument of perihelion 60, node 90,
inclination 40 degrees. M31: RA 0h42m44.3s, Dec +41d16'09" (J2000).

Source: PyEphem (Debian python3-ephem, libastro): VSOP87 and ELP 2000-82 for the bodies, two-body
orbits for Vesta and the comet, its own precession, nutation, aberration, Delta T and Earth figure.

Run from the top folder:  /usr/bin/python3 scripts/reference/listed_places_pyephem.py
"""
import math
import struct

import ephem

from common import pyephem_site, write_table
from list_bodies_pyephem import comet

LATITUDE, LONGITUDE_WEST = 51.5074, 0.1278
TIMES = [("kept", (2027, 1, 17, 21, 10, 0)), ("now", (2027, 2, 16, 21, 10, 0)), ("ahead", (2027, 2, 21, 21, 10, 0)),
         ("later", (2027, 2, 16, 23, 10, 0))]
# e, a (AU), i, node, argument of perihelion, mean anomaly (degrees) at MJD 59800, as asteroids.dat gives them.
VESTA = (".08840189374260063", "2.361987199696643", "7.140782834645754", "103.800809741353", "151.2577798334132",
         "61.19229900418838")


def f32(x):
    return struct.unpack("f", struct.pack("f", x))[0]


def vesta():
    e, a, inc, node, w, m = (f32(float(x)) for x in VESTA)
    v = ephem.EllipticalBody()
    v._a, v._e, v._inc, v._Om, v._om, v._M = a, e, inc, node, w, m
    v._epoch_M, v._epoch = ephem.Date(59800 + 2400000.5 - 2415020.0), ephem.J2000
    return v


def m31():
    m = ephem.FixedBody()
    m._ra, m._dec, m._epoch = ephem.hours("0:42:44.3"), ephem.degrees("41:16:09"), ephem.J2000
    return m


LISTED = [("Moon", 45, 1, ephem.Moon), ("Mars", 45, 4, ephem.Mars), ("Jupiter", 45, 5, ephem.Jupiter),
          ("4 Vesta", 12, 0, vesta), ("C/2027 Z1", 12, 1, comet), ("M31", 63, 31, m31)]


def listed_rows(case, when, site, listed=LISTED):
    """One row per listed body seen from a PyEphem site: the case, its name, designation and number,
    the fields of `when` (the local time) and its RA (h) and Dec (deg)."""
    rows = []
    for name, designation, number, make in listed:
        body = make()
        body.compute(site)
        rows.append([case, name, str(designation), str(number), *[str(v) for v in when],
                     math.degrees(body.ra) / 15.0, math.degrees(body.dec)])
    return rows


def main():
    rows = []
    for case, when in TIMES:
        rows += listed_rows(case, when, pyephem_site(LATITUDE, -LONGITUDE_WEST, when))
    write_table("listed_places_pyephem.csv",
                ["The Moon, Mars, Jupiter, 4 Vesta, a comet and M31 seen from London (51.5074 N, 0.1278 W,",
                 "0 m, zone 0) on the night a list was kept (17 January 2027), when it is used (16 February)",
                 "and two hours later, and five days ahead: apparent topocentric RA (h) and Dec (deg) of",
                 "date, no refraction"],
                ["case", "name", "designation", "number", "year", "month", "day", "hour", "minute", "second",
                 "ra_h", "dec_deg"],
                rows, "PyEphem %s (libastro)" % ephem.__version__)


if __name__ == "__main__":
    main()
