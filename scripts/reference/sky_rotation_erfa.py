#!/usr/bin/python3
"""Writes tests/reference/sky_rotation.csv for the chart's sky rotation: J2000 places of 20
stars per date and site, chosen to lie at altitudes -80 to +80 degrees, with their altitude and
azimuth (north through east) at that local civil date and time.

Forward chain, all ERFA (python3-erfa, an independent implementation of the IAU SOFA routines):
eraPnm80 (IAU 1976 precession x IAU 1980 nutation, J2000 to the true equator of date) on the
J2000 unit vector; the hour angle from the IAU 1982 mean sidereal time (eraGmst82) plus the east
longitude, the mean local sidereal time the chart uses; eraHd2ae. The date of eraPnm80 is the
universal Julian day, as the chart takes it (the 69 s to TT move the precession by 0.001").
Fixed seed: a rerun reproduces the file.

Run from the top folder:  /usr/bin/python3 scripts/reference/sky_rotation_erfa.py
"""
import math
import random

import erfa

from common import write_table

# (year, month, day, hour, minute, second) local civil time.
DATES = [(1990, 3, 15, 21, 30, 0), (2026, 8, 20, 2, 15, 0), (2060, 12, 1, 23, 45, 30)]
# (latitude deg north, longitude deg west, zone minutes): values exact in single precision.
SITES = [(51.5, 0.125, 0), (-33.875, -151.25, 600), (0.0, 78.5, -300)]


def ut_jd(date, zone):
    y, m, d, h, mi, s = date
    d1, d2 = erfa.cal2jd(y, m, d)
    return d1, d2 + (h + (mi - zone) / 60.0 + s / 3600.0) / 24.0


def local_mean_sidereal(jd1, jd2, lon_west):
    return erfa.gmst82(jd1, jd2) - math.radians(lon_west)


def alt_az(ra_h, dec_deg, jd1, jd2, lat, lon_west):
    v = erfa.s2c(math.radians(ra_h * 15.0), math.radians(dec_deg))
    ra_t, dec_t = erfa.c2s(erfa.rxp(erfa.pnm80(jd1, jd2), v))
    az, el = erfa.hd2ae(local_mean_sidereal(jd1, jd2, lon_west) - ra_t, dec_t, math.radians(lat))
    return math.degrees(el), math.degrees(az) % 360.0


def j2000_place(alt, az, jd1, jd2, lat, lon_west):
    """The J2000 right ascension (hours) and declination (degrees) seen at (alt, az)."""
    ha, dec_t = erfa.ae2hd(math.radians(az), math.radians(alt), math.radians(lat))
    v = erfa.s2c(local_mean_sidereal(jd1, jd2, lon_west) - ha, dec_t)
    ra, dec = erfa.c2s(erfa.trxp(erfa.pnm80(jd1, jd2), v))
    return round(math.degrees(erfa.anp(ra)) / 15.0, 9), round(math.degrees(dec), 8)


def main():
    rng = random.Random(2026)
    rows = []
    for date in DATES:
        for lat, lon_west, zone in SITES:
            jd1, jd2 = ut_jd(date, zone)
            for i in range(20):
                ra, dec = j2000_place(-80.0 + 160.0 * i / 19, rng.uniform(0.0, 360.0), jd1, jd2, lat, lon_west)
                alt, az = alt_az(ra, dec, jd1, jd2, lat, lon_west)
                rows.append(list(date) + [zone, lat, lon_west, ra, dec, alt, az])
    write_table("sky_rotation.csv",
                ["Altitude and azimuth (degrees, north through east) of J2000 places at a local civil",
                 "date and time: eraPnm80, mean local sidereal time from eraGmst82, eraHd2ae."],
                ["year", "month", "day", "hour", "minute", "second", "zone_min", "lat_deg", "lon_west_deg",
                 "ra_h", "dec_deg", "alt_deg", "az_deg"], rows)


main()
