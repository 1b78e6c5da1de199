#!/usr/bin/python3
"""Writes tests/reference/compass_sun_moon_pyephem.csv: the azimuth (degrees from
north through east) and altitude (degrees) of the Sun and of the Moon seen from a
site at a local civil date and time, as the compass chart shows them, and
Jupiter's right ascension (hours) and declination (degrees) of date seen from
there (the place a list entry of Jupiter moves to with the date).

Source: PyEphem (Debian python3-ephem, libastro): VSOP87 for the Sun, its Moon
theory, its own Delta T, Earth figure and sidereal time; apparent topocentric
places, no refraction (pressure 0), height 0 m. The first row is the instant of
the compass form's tests (5 March 2024 21:10 at 51 N, 0 E, zone 0); the others
are random instants of 1950-2049 at 51 N (fixed seed), with random longitudes
and zones.

Run from the top folder:  /usr/bin/python3 scripts/reference/compass_sun_moon_pyephem.py
(needs python3-ephem)
"""
import datetime
import math
import random

import ephem

OUT = "tests/reference/compass_sun_moon_pyephem.csv"
LATITUDE = 51.0
ROWS = 24


def place(body, site):
    body.compute(site)
    return math.degrees(body.az), math.degrees(body.alt)


def row(local, zone_minutes, longitude_west):
    site = ephem.Observer()
    site.lat, site.lon = str(LATITUDE), str(-longitude_west)
    site.elevation = 0
    site.pressure = 0
    ut = datetime.datetime(*local) - datetime.timedelta(minutes=zone_minutes)
    site.date = ephem.Date(ut)
    sun_az, sun_alt = place(ephem.Sun(), site)
    moon_az, moon_alt = place(ephem.Moon(), site)
    jupiter = ephem.Jupiter()
    jupiter.compute(site)
    return "%d,%d,%d,%d,%d,%d,%d,%.1f,%.1f,%.6f,%.6f,%.6f,%.6f,%.7f,%.6f" % (
        *local, zone_minutes, LATITUDE, longitude_west, sun_az, sun_alt, moon_az, moon_alt,
        math.degrees(jupiter.ra) / 15.0, math.degrees(jupiter.dec))


def main():
    rng = random.Random(20240305)
    lines = ["# Sun and Moon azimuth and altitude from PyEphem %s (libastro), apparent topocentric,"
             % ephem.__version__,
             "# no refraction, height 0 m; local civil time at zone_minutes ahead of UT; written by",
             "# scripts/reference/compass_sun_moon_pyephem.py",
             "year,month,day,hour,minute,second,zone_minutes,latitude,longitude_west,"
             "sun_az,sun_alt,moon_az,moon_alt,jupiter_ra_h,jupiter_dec",
             row((2024, 3, 5, 21, 10, 0), 0, 0.0)]
    for _ in range(ROWS - 1):
        local = (rng.randint(1950, 2049), rng.randint(1, 12), rng.randint(1, 28), rng.randint(0, 23),
                 rng.randint(0, 59), 0)
        longitude_west = round(rng.uniform(-180.0, 180.0), 1)
        zone_minutes = 60 * round(-longitude_west / 15.0)
        lines.append(row(local, zone_minutes, longitude_west))
    with open(OUT, "w") as f:
        f.write("\n".join(lines) + "\n")
    print("wrote", OUT, ROWS, "rows")


if __name__ == "__main__":
    main()
