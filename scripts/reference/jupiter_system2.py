#!/usr/bin/python3
"""Writes tests/reference/jupiter_system2.csv: Jupiter's System II central meridian and the
first three transits of the Great Red Spot (System II longitude 117.0 degrees) after local
midnight, on 40 dates from 2000 to 2040.

The rotation model is the IAU one (Report of the IAU Working Group on Cartographic
Coordinates and Rotational Elements, 2009): Jupiter's north pole
    alpha0 = 268.056595 - 0.006499 T + 0.000117 sin Ja + 0.000938 sin Jb + 0.001432 sin Jc
             + 0.000030 sin Jd + 0.002150 sin Je
    delta0 =  64.495303 + 0.002413 T + 0.000050 cos Ja + 0.000404 cos Jb + 0.000617 cos Jc
             - 0.000013 cos Jd + 0.000926 cos Je
(Ja .. Je the report's arguments), and the System II prime meridian W = 43.3 + 870.27 d, d in
days of dynamical time from J2000.0 at the instant the light left Jupiter. The central
meridian is the west longitude of the sub-Earth point: the Earth's direction seen from
Jupiter turned into the body-fixed frame Rz(W) Rx(90 - delta0) Rz(90 + alpha0).
Jupiter's place: PyEphem's astrometric geocentric J2000 place and distance (light time
included). Dynamical time = universal time + Delta T, with PyEphem's Delta T (written in
the table: the test gives the program the same value where its Delta T is the user's).

Columns: date, zone (minutes east), Delta T (s), the central meridian (degrees, [0, 360)) at
0 h local time of the date, and the three transits in minutes after 0 h local time.

Run from the top folder:  /usr/bin/python3 scripts/reference/jupiter_system2.py
"""
import math
import os
import sys

import ephem
import erfa
import numpy as np

sys.path.insert(0, os.path.dirname(__file__))
from common import write_table  # noqa: E402

GRS = 117.0
LIGHT_DAYS_PER_AU = 0.0057755183
DUBLIN_JD = 2415020.0


def pole(t):
    """IAU 2009 north pole of Jupiter (radians) at T Julian centuries of TDB from J2000."""
    ja, jb, jc, jd, je = (math.radians(a + b * t) for a, b in
                          ((99.360714, 4850.4046), (175.895369, 1191.9605), (300.323162, 262.5475),
                           (114.012305, 6070.2476), (49.511251, 64.3)))
    alpha0 = (268.056595 - 0.006499 * t + 0.000117 * math.sin(ja) + 0.000938 * math.sin(jb)
              + 0.001432 * math.sin(jc) + 0.000030 * math.sin(jd) + 0.002150 * math.sin(je))
    delta0 = (64.495303 + 0.002413 * t + 0.000050 * math.cos(ja) + 0.000404 * math.cos(jb)
              + 0.000617 * math.cos(jc) - 0.000013 * math.cos(jd) + 0.000926 * math.cos(je))
    return math.radians(alpha0), math.radians(delta0)


def central_meridian(jd_ut):
    date = ephem.Date(jd_ut - DUBLIN_JD)
    jupiter = ephem.Jupiter()
    jupiter.compute(date)
    delta_t = ephem.delta_t(date)
    d = jd_ut + delta_t / 86400.0 - 2451545.0 - LIGHT_DAYS_PER_AU * jupiter.earth_distance
    alpha0, delta0 = pole(d / 36525.0)
    w = math.radians(43.3 + 870.27 * d)
    m = erfa.rz(w, erfa.rx(math.pi / 2 - delta0, erfa.rz(math.pi / 2 + alpha0, np.identity(3))))
    to_earth = -erfa.s2c(float(jupiter.a_ra), float(jupiter.a_dec))
    v = m @ to_earth
    return math.degrees(-math.atan2(v[1], v[0])) % 360.0, delta_t


def transits(jd0):
    """Minutes after jd0 of the first three Red Spot transits."""
    found, t, step = [], 0.0, 10.0 / 1440.0
    ahead = lambda x: (GRS - central_meridian(jd0 + x)[0] + 180.0) % 360.0 - 180.0  # noqa: E731
    previous = ahead(t)
    while len(found) < 3:
        now = ahead(t + step)
        if previous > 0 >= now and previous - now < 180.0:
            lo, hi = t, t + step
            for _ in range(40):
                mid = (lo + hi) / 2
                if ahead(mid) > 0:
                    lo = mid
                else:
                    hi = mid
            found.append((lo + hi) / 2 * 1440.0)
        previous, t = now, t + step
    return found


def main():
    rows = []
    for i in range(40):
        year, month, day = 2000 + i, 1 + (5 * i) % 12, 1 + (7 * i) % 28
        zone = (0, 60, -300, 600)[i % 4]
        jd0 = sum(erfa.cal2jd(year, month, day)) - zone / 1440.0
        cm, delta_t = central_meridian(jd0)
        t = transits(jd0)
        rows.append([str(year), str(month), str(day), str(zone), "%.3f" % delta_t, "%.4f" % cm]
                    + ["%.3f" % x for x in t])
    write_table("jupiter_system2.csv",
                ["Jupiter's System II central meridian by the IAU rotation model at 0 h local time, and",
                 "the first three transits of System II longitude 117.0 after it (minutes); dynamical",
                 "time = UT + delta_t"],
                ["year", "month", "day", "zone_min", "delta_t", "cm", "t1_min", "t2_min", "t3_min"], rows,
                source="PyEphem %s and python3-erfa %s" % (ephem.__version__, erfa.__version__))


if __name__ == "__main__":
    main()
