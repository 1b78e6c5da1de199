#!/usr/bin/python3
"""Writes tests/reference/star_places_pyephem.csv: the apparent topocentric place of date
(right ascension in hours, declination in degrees), altitude and azimuth (degrees, no
refraction) of three stars given by their J2000 places without proper motion, seen from
London (51.5074 N, 0.1278 W, height 0 m, zone 0: local civil time is universal time), at
instants before and after the planets' theory (JD 2340000.5 to 2560000.5, 1694 to 2296)
and one after the span of the Earth's solar series (+2800).

Source: PyEphem (Debian python3-ephem, libastro): its precession, IAU 1980 nutation and
annual aberration from its VSOP87 Earth, its Earth figure and sidereal time; pressure 0.

Run from the top folder:  /usr/bin/python3 scripts/reference/star_places_pyephem.py
(needs python3-ephem and python3-erfa)
"""
import math

import ephem

from common import pyephem_site

LATITUDE, LONGITUDE_WEST = 51.5074, 0.1278
STARS = [("Regulus", 10.139532, 11.967208), ("Polaris", 2.530301, 89.264109),
         ("Sirius", 6.752481, -16.716116)]
TIMES = [(1600, 3, 1, 22, 0, 0), (1690, 12, 31, 6, 0, 0), (2400, 9, 1, 3, 0, 0), (3000, 6, 1, 23, 0, 0)]


def place(ra_h, dec_deg, when):
    star = ephem.FixedBody()
    star._ra, star._dec, star._epoch = math.radians(ra_h * 15.0), math.radians(dec_deg), ephem.J2000
    star.compute(pyephem_site(LATITUDE, -LONGITUDE_WEST, when))
    return star


def main():
    rows = []
    for when in TIMES:
        for name, ra_h, dec_deg in STARS:
            s = place(ra_h, dec_deg, when)
            rows.append("%d,%d,%d,%d,%d,%.6f,%.6f,%.9f,%.8f,%.7f,%.7f" % (
                *when[:5], ra_h, dec_deg, math.degrees(s.ra) / 15.0, math.degrees(s.dec),
                math.degrees(s.alt), math.degrees(s.az)))
    with open("tests/reference/star_places_pyephem.csv", "w") as f:
        f.write("# Stars' apparent topocentric places of date from PyEphem %s (libastro), seen from\n"
                % ephem.__version__)
        f.write("# London (51.5074 N, 0.1278 W, 0 m, zone 0), no refraction, J2000 places without\n")
        f.write("# proper motion; written by scripts/reference/star_places_pyephem.py\n")
        f.write("year,month,day,hour,minute,ra2000_h,dec2000_deg,ra_h,dec_deg,alt_deg,az_deg\n")
        f.write("\n".join(rows) + "\n")
    print("wrote star_places_pyephem.csv", len(rows), "rows")


if __name__ == "__main__":
    main()
