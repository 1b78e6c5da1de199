#!/usr/bin/python3
"""Writes reference tables for the calendar, sidereal-time and horizontal tests.

The values come from ERFA (python3-erfa), an independent implementation of the
IAU SOFA routines: cal2jd (Gregorian calendar to Julian day), gmst82 (IAU 1982
Greenwich mean sidereal time) and hd2ae (hour angle and declination to azimuth
and elevation). The cases are drawn from a fixed seed, so a rerun reproduces the
committed files exactly.

Run from the top folder:  /usr/bin/python3 scripts/reference/sidereal_horizontal_erfa.py
"""
import math
import random

import erfa

OUT = "tests/reference/"


def julian_days(rng):
    rows = []
    for _ in range(200):
        y = rng.randint(1583, 2400)
        m = rng.randint(1, 12)
        d = rng.randint(1, 28)
        d1, d2 = erfa.cal2jd(y, m, d)
        rows.append(f"{y},{m},{d},{d1 + d2:.1f}")
    return "year,month,day,jd_0h\n" + "\n".join(rows) + "\n"


def sidereal_times(rng):
    rows = []
    for _ in range(200):
        y = rng.randint(1800, 2200)
        m = rng.randint(1, 12)
        d = rng.randint(1, 28)
        h, mi, s = rng.randint(0, 23), rng.randint(0, 59), rng.randint(0, 59)
        zone = rng.choice([0, 60, 120, -300, -480, 330, 600, 780])
        lon_west = round(rng.uniform(-180.0, 180.0), 4)
        d1, d2 = erfa.cal2jd(y, m, d)
        ut = (h + (mi - zone) / 60.0 + s / 3600.0) / 24.0
        gmst = erfa.gmst82(d1 + d2, ut)  # radians, UT1 taken as UT
        lst = math.fmod(math.degrees(gmst) / 15.0 - lon_west / 15.0, 24.0) % 24.0
        rows.append(f"{y},{m},{d},{h},{mi},{s},{lon_west:.4f},{zone},{lst:.12f}")
    return ("year,month,day,hour,minute,second,longitude_west_deg,zone_min,lst_hours\n"
            + "\n".join(rows) + "\n")


def horizontal(rng):
    rows = []
    for _ in range(300):
        lst = rng.uniform(0.0, 24.0)
        ra = rng.uniform(0.0, 24.0)
        dec = rng.uniform(-90.0, 90.0)
        lat = rng.uniform(-90.0, 90.0)
        az, el = erfa.hd2ae(math.radians((lst - ra) * 15.0), math.radians(dec), math.radians(lat))
        rows.append(f"{lst:.10f},{ra:.10f},{dec:.10f},{lat:.10f},"
                    f"{math.degrees(el):.10f},{math.degrees(az) % 360.0:.10f}")
    return "lst_h,ra_h,dec_deg,lat_deg,alt_deg,az_deg\n" + "\n".join(rows) + "\n"


def main():
    rng = random.Random(20090601)
    for name, text in (("julian_day_erfa.csv", julian_days(rng)),
                       ("sidereal_time_erfa.csv", sidereal_times(rng)),
                       ("horizontal_erfa.csv", horizontal(rng))):
        with open(OUT + name, "w") as f:
            f.write(text)


if __name__ == "__main__":
    main()
