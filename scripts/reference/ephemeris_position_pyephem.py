#!/usr/bin/python3
"""Writes tests/reference/ephemeris_position_pyephem.csv: the altitude and azimuth (degrees,
azimuth from north through east, no refraction) of ten bright stars given by their J2000
places without proper motion, seen from three sites at a local civil date and time each
(latitude degrees north, longitude degrees west, zone minutes east of Greenwich, height 0 m).

Source: PyEphem (Debian python3-ephem, libastro): its precession, IAU 1980 nutation, annual
aberration and sidereal time; pressure 0.

Run from the top folder:  /usr/bin/python3 scripts/reference/ephemeris_position_pyephem.py
(needs python3-ephem and python3-erfa)
"""
import math

import ephem

from common import pyephem_site

OUT = "tests/reference/ephemeris_position_pyephem.csv"
# name, RA J2000 (h), Dec J2000 (deg)
STARS = [("Sirius", 6.752481, -16.716116), ("Canopus", 6.399197, -52.695661),
         ("Arcturus", 14.261020, 19.182409), ("Vega", 18.615649, 38.783689),
         ("Capella", 5.278155, 45.997991), ("Rigel", 5.242298, -8.201638),
         ("Spica", 13.419883, -11.161319), ("Antares", 16.490128, -26.432003),
         ("Polaris", 2.530301, 89.264109), ("Achernar", 1.628568, -57.236753)]
# site, latitude, west longitude, zone minutes, local date and time
SITES = [("Cape Town", -33.9249, -18.4241, 120, (2026, 3, 20, 21, 0)),
         ("Tokyo", 35.6762, -139.6503, 540, (2027, 11, 15, 22, 30)),
         ("Denver", 39.7392, 104.9903, -420, (2025, 7, 4, 23, 0))]


def main():
    rows = []
    for site, latitude, west, zone, when in SITES:
        utc = ephem.Date(ephem.Date(when[:3] + (when[3], when[4], 0)) - zone / 1440.0)
        observer = pyephem_site(latitude, -west, utc)
        for name, ra_h, dec_deg in STARS:
            star = ephem.FixedBody()
            star._ra, star._dec, star._epoch = math.radians(ra_h * 15.0), math.radians(dec_deg), ephem.J2000
            star.compute(observer)
            rows.append("%s,%.4f,%.4f,%d,%d,%d,%d,%d,%d,%s,%.6f,%.6f,%.5f,%.5f" % (
                site, latitude, west, zone, *when, name, ra_h, dec_deg, math.degrees(star.az),
                math.degrees(star.alt)))
    with open(OUT, "w") as f:
        f.write("# Azimuth and altitude of ten stars (J2000 places, no proper motion) from three sites,\n")
        f.write("# PyEphem %s (libastro), apparent place of date, no refraction (pressure 0), height 0 m;\n"
                % ephem.__version__)
        f.write("# written by scripts/reference/ephemeris_position_pyephem.py\n")
        f.write("site,latitude,longitude_west,zone_minutes,year,month,day,hour,minute,star,ra2000_h,dec2000_deg,"
                "az_deg,alt_deg\n")
        f.write("\n".join(rows) + "\n")
    print("wrote", OUT, len(rows), "rows")


if __name__ == "__main__":
    main()
