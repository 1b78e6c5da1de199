#!/usr/bin/python3
"""Writes the reference tables of the tests that put the Sun, the Moon and the
planets on the sky chart and in the finder, seen from London (51.5074 N,
0.1278 W, height 0 m, zone 0: local civil time is universal time):

tests/reference/chart_bodies_pyephem.csv
    Rows "centre": the Sun, the Moon, Jupiter and Mars on 7 December 2026, and
    Jupiter on 1 January 2000 and 1 June 2050, each at the whole hour of that
    day when it stands highest: its apparent topocentric right ascension
    (hours) and declination (degrees) of date, altitude and azimuth (degrees).
    Row "pair": Jupiter on 7 December 2026 at 01:00, rising in the east with
    Regulus below it: Jupiter's place as above, Regulus' J2000 place (the
    place a star file holds), the J2000 midpoint of the two (Jupiter's
    astrometric place) and the true angle between them (degrees).
tests/reference/finder_planets_pyephem.csv
    Mercury to Pluto at three instants: apparent topocentric right ascension
    and declination of date, altitude and azimuth, and the distances that set
    each theory's tolerance: from the Earth, of the body and of the Earth from
    the Sun (AU).
tests/reference/sky_view_planets_pyephem.csv
    Mercury at 0 h UT of two dates: its geocentric astrometric place, equinox
    J2000 (the frame of a star file), and its apparent place of date.

Source: PyEphem (Debian python3-ephem, libastro): VSOP87 for the Sun and the
planets, its Moon theory, Chapront's Pluto, its star catalogue for Regulus
(J2000, with its proper motion for the date), its own Delta T, Earth figure
and sidereal time; no refraction (pressure 0).

Run from the top folder:  /usr/bin/python3 scripts/reference/chart_bodies_pyephem.py
(needs python3-ephem and python3-erfa)
"""
import math

import ephem

from common import pyephem_site

LATITUDE, LONGITUDE_WEST = 51.5074, 0.1278
BODIES = {0: ephem.Sun, 1: ephem.Moon, 2: ephem.Mercury, 3: ephem.Venus, 4: ephem.Mars,
          5: ephem.Jupiter, 6: ephem.Saturn, 7: ephem.Uranus, 8: ephem.Neptune, 9: ephem.Pluto}
CENTRE_CASES = [(0, (2026, 12, 7)), (1, (2026, 12, 7)), (5, (2026, 12, 7)), (4, (2026, 12, 7)),
                (5, (2000, 1, 1)), (5, (2050, 6, 1))]
PAIR_TIME = (2026, 12, 7, 1, 0, 0)
FINDER_TIMES = [(2026, 12, 7, 5, 0, 0), (2000, 1, 1, 18, 0, 0), (2050, 6, 1, 22, 30, 0)]
SKY_VIEW_DAYS = [(2026, 12, 7), (2050, 6, 1)]


def site_at(when):
    return pyephem_site(LATITUDE, -LONGITUDE_WEST, when)


def hours(angle):
    return math.degrees(angle) / 15.0


def place(body, when):
    b = BODIES[body]()
    b.compute(site_at(when))
    return b


def highest_hour(body, day):
    return max(range(24), key=lambda h: place(body, day + (h, 0, 0)).alt)


def centre_rows():
    rows = []
    for body, day in CENTRE_CASES:
        when = day + (highest_hour(body, day), 0, 0)
        b = place(body, when)
        rows.append("centre,%d,%d,%d,%d,%d,%d,%.9f,%.8f,%.7f,%.7f,0,0,0,0,0" % (
            body, *when[:5], hours(b.ra), math.degrees(b.dec), math.degrees(b.alt), math.degrees(b.az)))
    jupiter = place(5, PAIR_TIME)
    regulus = ephem.star("Regulus")
    regulus.compute(site_at(PAIR_TIME))
    j2000 = ephem.Jupiter()
    j2000.compute(ephem.Date(PAIR_TIME), epoch=ephem.J2000)  # astrometric place, equinox J2000
    mid_ra = (hours(j2000.a_ra) + hours(regulus._ra)) / 2
    mid_dec = (math.degrees(j2000.a_dec) + math.degrees(regulus._dec)) / 2
    rows.append("pair,5,%d,%d,%d,%d,%d,%.9f,%.8f,%.7f,%.7f,%.9f,%.8f,%.9f,%.8f,%.7f" % (
        *PAIR_TIME[:5], hours(jupiter.ra), math.degrees(jupiter.dec), math.degrees(jupiter.alt),
        math.degrees(jupiter.az), hours(regulus._ra), math.degrees(regulus._dec), mid_ra, mid_dec,
        math.degrees(ephem.separation(jupiter, regulus))))
    return rows


def finder_rows():
    rows = []
    for when in FINDER_TIMES:
        sun = ephem.Sun(ephem.Date(when))
        for body in range(2, 10):
            b = place(body, when)
            rows.append("%d,%d,%d,%d,%d,%d,%.9f,%.8f,%.7f,%.7f,%.7f,%.7f,%.7f" % (
                body, *when[:5], hours(b.ra), math.degrees(b.dec), math.degrees(b.alt), math.degrees(b.az),
                b.earth_distance, b.sun_distance, sun.earth_distance))
    return rows


def sky_view_rows():
    rows = []
    for day in SKY_VIEW_DAYS:
        b = ephem.Mercury()
        b.compute(ephem.Date(day), epoch=ephem.J2000)
        rows.append("2,%d,%d,%d,%.9f,%.8f,%.9f,%.8f" % (
            *day, hours(b.a_ra), math.degrees(b.a_dec), hours(b.g_ra), math.degrees(b.g_dec)))
    return rows


def write(name, columns, rows, what, places="apparent topocentric places of date seen\n"
          "# from London (51.5074 N, 0.1278 W, 0 m, zone 0), no refraction"):
    with open("tests/reference/" + name, "w") as f:
        f.write("# %s from PyEphem %s (libastro), %s; written by\n" % (what, ephem.__version__, places))
        f.write("# scripts/reference/chart_bodies_pyephem.py\n")
        f.write(columns + "\n" + "\n".join(rows) + "\n")
    print("wrote", name, len(rows), "rows")


def main():
    write("chart_bodies_pyephem.csv",
          "case,body,year,month,day,hour,minute,ra_h,dec_deg,alt_deg,az_deg,"
          "star_ra_h,star_dec_deg,mid_ra_h,mid_dec_deg,separation_deg",
          centre_rows(), "Bodies at the chart centre and Jupiter beside Regulus")
    write("finder_planets_pyephem.csv",
          "body,year,month,day,hour,minute,ra_h,dec_deg,alt_deg,az_deg,distance_au,sun_distance_au,"
          "earth_sun_au",
          finder_rows(), "Mercury to Pluto")
    write("sky_view_planets_pyephem.csv", "body,year,month,day,ra2000_h,dec2000_deg,ra_h,dec_deg",
          sky_view_rows(), "Mercury at 0 h UT",
          "geocentric astrometric places, equinox J2000,\n# and apparent places of date")


if __name__ == "__main__":
    main()
