#!/usr/bin/python3
"""Writes tests/reference/list_bodies_pyephem.csv: the Moon, Mars, Jupiter and a comet of an
observing list kept from an earlier night, seen from London (51.5074 N, 0.1278 W, height 0 m,
zone 0: local civil time is universal time), as the list tests take them:
- case "earlier": their places on 17 January 2027 at 21:10, when the list was made;
- case "later": their places and Mercury's 30 days later, 16 February 2027 at 21:10, when the
  program is started again (each of the four then up and moved more than 10' since);
- case "clock": the Moon every 2 minutes for an hour after that, as the running chart clock
  steps.
Each row: the list entry's catalogue (45 a body, number = body index; 12 the comet, number 0),
the local date and time, the apparent topocentric right ascension (hours) and declination
(degrees) of date, the altitude and azimuth (degrees, azimuth from north through east)
without refraction (pressure 0), and the local sidereal time (hours) the sky is drawn for. At the later time every altitude and azimuth is more than
0.1 degree from a half degree, so its whole-degree text is not in doubt.

The comet (elliptic, elements on the J2000 ecliptic and equinox): perihelion 2027 March 10.0 TT,
q = 1.1 AU, e = 0.8, argument of perihelion 60, node 90, inclination 40 degrees.

Source: PyEphem (Debian python3-ephem, libastro): VSOP87 and ELP 2000-82 for the bodies, a
two-body orbit for the comet, its own Delta T, Earth figure and sidereal time.

Run from the top folder:  /usr/bin/python3 scripts/reference/list_bodies_pyephem.py
"""
import math

import ephem

from common import pyephem_site, write_table

LATITUDE, LONGITUDE_WEST = 51.5074, 0.1278
EARLIER, LATER = (2027, 1, 17, 21, 10, 0), (2027, 2, 16, 21, 10, 0)
LISTED = [(45, 1, ephem.Moon), (45, 4, ephem.Mars), (45, 5, ephem.Jupiter)]


def comet():
    c = ephem.EllipticalBody()
    q, e = 1.1, 0.8
    c._a, c._e, c._M, c._epoch_M = q / (1.0 - e), e, 0.0, ephem.Date((2027, 3, 10))
    c._inc, c._Om, c._om, c._epoch = 40.0, 90.0, 60.0, ephem.J2000
    return c


def place(body, when):
    site = pyephem_site(LATITUDE, -LONGITUDE_WEST, when)
    body.compute(site)
    return [math.degrees(body.ra) / 15.0, math.degrees(body.dec), math.degrees(body.alt), math.degrees(body.az),
            math.degrees(site.sidereal_time()) / 15.0]


def row(case, designation, number, body, when):
    return [case, str(designation), str(number), *[str(v) for v in when], *place(body, when)]


def separation_arcmin(a, b):
    return math.degrees(ephem.separation((math.radians(a[0] * 15.0), math.radians(a[1])),
                                         (math.radians(b[0] * 15.0), math.radians(b[1])))) * 60.0


def main():
    bodies = [(d, n, make()) for d, n, make in LISTED] + [(12, 0, comet())]
    rows = [row("earlier", d, n, b, EARLIER) for d, n, b in bodies]
    rows += [row("later", d, n, b, LATER) for d, n, b in bodies + [(45, 2, ephem.Mercury())]]
    for before, after in zip(rows[:4], rows[4:8]):
        assert separation_arcmin(before[9:11], after[9:11]) > 10.0, after
        assert after[11] > 10.0, after
    for r in rows[4:]:
        for angle in r[11:13]:
            assert abs(angle - math.floor(angle) - 0.5) > 0.1, r
    for k in range(1, 31):
        minutes = LATER[4] + 2 * k
        rows.append(row("clock", 45, 1, ephem.Moon(), (*LATER[:3], LATER[3] + minutes // 60, minutes % 60, 0)))
    write_table("list_bodies_pyephem.csv",
                ["The Moon, Mars, Jupiter, a comet and Mercury seen from London (51.5074 N, 0.1278 W, 0 m,",
                 "zone 0) for a list kept from 17 January 2027 and used on 16 February 2027: apparent",
                 "topocentric place of date, altitude and azimuth without refraction, local sidereal time"],
                ["case", "designation", "number", "year", "month", "day", "hour", "minute", "second", "ra_h",
                 "dec_deg", "alt_deg", "az_deg", "lst_h"],
                rows, "PyEphem %s (libastro)" % ephem.__version__)


if __name__ == "__main__":
    main()
