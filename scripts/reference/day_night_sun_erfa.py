#!/usr/bin/python3
"""Writes tests/reference/day_night_sun_erfa.csv: the apparent Sun of the day and
night map at universal times 1990..2030, from ERFA (python3-erfa, an
independent implementation of the IAU SOFA routines):
  - gha_deg: the Greenwich hour angle of the apparent Sun, degrees in [0, 360):
    the Greenwich apparent sidereal time (erfa.gst06a) less the Sun's apparent
    right ascension on the true equator and equinox of date;
  - eot_min: the equation of time, apparent less mean solar time, minutes:
    gha less (ut / 24 + 0.5) x 360 degrees, brought into -180..180, times 4;
  - dec_deg: the apparent declination, degrees.
The Sun's direction: erfa.epv00 (the Earth's heliocentric position and
barycentric velocity) with the annual aberration (erfa.ab), turned to the true
equator and equinox of date by erfa.pnm06a. Universal time is taken as UTC
(|UT1 - UTC| < 0.9 s) and TT = UTC + leap seconds (erfa.dat) + 32.184 s.

Rows: the equation of time at 12 h UT of the dates the form is checked on,
the June solstice of 2000 at 12 h UT, then 40 random instants (fixed seed: a
rerun reproduces the file).

Also tests/reference/day_night_sidereal_erfa.csv: the local mean sidereal time
(erfa.gmst06 plus the east longitude) in hours at a few sites and universal
times, for the form's LST field.

Run from the top folder:  /usr/bin/python3 scripts/reference/day_night_sun_erfa.py
"""
import math
import random

import erfa
import numpy as np

from common import write_table

C_AU_PER_DAY = 173.1446326846693

FIXED = [(2000, 1, 1, 12.0), (2000, 2, 11, 12.0), (2000, 11, 3, 12.0), (2006, 5, 14, 12.0),
         (2006, 4, 14, 12.0), (2006, 3, 20, 12.0), (2000, 6, 21, 12.0)]


def sun(year, month, day, ut):
    utc1, utc2 = erfa.cal2jd(year, month, day)
    utc2 += ut / 24.0
    tt2 = utc2 + (erfa.dat(year, month, day, ut / 24.0) + 32.184) / 86400.0
    pvh, pvb = erfa.epv00(utc1, tt2)
    earth = pvh["p"]
    v = pvb["v"] / C_AU_PER_DAY
    r = np.linalg.norm(earth)
    direction = erfa.ab(-earth / r, v, r, math.sqrt(1 - np.dot(v, v)))
    x, y, z = erfa.pnm06a(utc1, tt2) @ direction
    ra = math.atan2(y, x)
    dec = math.degrees(math.asin(z / math.sqrt(x * x + y * y + z * z)))
    gha = math.degrees(erfa.anp(erfa.gst06a(utc1, utc2, utc1, tt2) - ra))
    eot = ((gha - (ut / 24.0 + 0.5) * 360.0 + 180.0) % 360.0 - 180.0) * 4.0
    return gha, eot, dec


# (year, month, day, universal hours, longitude west-positive)
SIDEREAL = [(2006, 6, 21, 12.0, 0.0), (2006, 6, 21, 10.0, 75.0), (2006, 12, 31, 23.5, -151.2093),
            (2024, 3, 5, 20.1666667, -12.5)]


def sidereal_rows():
    rows = []
    for y, m, d, ut, west in SIDEREAL:
        utc1, utc2 = erfa.cal2jd(y, m, d)
        utc2 += ut / 24.0
        tt2 = utc2 + (erfa.dat(y, m, d, ut / 24.0) + 32.184) / 86400.0
        lst = erfa.anp(erfa.gmst06(utc1, utc2, utc1, tt2) - math.radians(west)) * 12.0 / math.pi
        rows.append([str(y), str(m), str(d), ut, west, lst])
    return rows


def main():
    write_table("day_night_sidereal_erfa.csv",
                ["Local mean sidereal time (hours) at universal times and west longitudes (see the script)."],
                ["year", "month", "day", "ut_hours", "longitude_west", "lst_hours"], sidereal_rows())
    rng = random.Random(2423)
    cases = list(FIXED)
    for _ in range(40):
        jd = rng.uniform(2447892.5, 2462502.5)
        y, m, d, f = erfa.jd2cal(jd, 0.0)
        cases.append((int(y), int(m), int(d), round(f * 24.0, 4)))
    rows = []
    for y, m, d, ut in cases:
        gha, eot, dec = sun(y, m, d, ut)
        rows.append([str(d), str(m), str(y), ut, gha, eot, dec])
    write_table("day_night_sun_erfa.csv",
                ["Apparent Sun for the day and night map: Greenwich hour angle, equation of",
                 "time (minutes) and declination at universal times (see the script)."],
                ["day", "month", "year", "ut_hours", "gha_deg", "eot_min", "dec_deg"], rows)


main()
