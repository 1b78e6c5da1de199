#!/usr/bin/python3
"""Reference positions and velocities of the eight planets by Simon et al. (1994), from the
independent evaluation of the same published method in ERFA (eraPlan94, python3-erfa).

Run from anywhere with /usr/bin/python3; writes tests/reference/simon1994_planets.csv.
"""
import erfa
from common import write_table

# (jd1, jd2): whole days, fractions, and one date split the other way round.
dates = [(2451545.0, 0.0), (2378496.5, 0.0), (2415020.5, 0.25), (2440000.5, 0.0),
         (2455197.5, 0.5), (2460310.5, 0.0), (2469807.5, 0.0), (2488069.5, 0.0),
         (2524593.5, 0.0), (2451545.0, 3652.5)]
rows = []
for jd1, jd2 in dates:
    for planet in range(8):
        pv = erfa.plan94(jd1, jd2, planet + 1)
        rows.append([jd1, jd2, str(planet)] + list(pv["p"]) + list(pv["v"]))
write_table("simon1994_planets.csv",
            ["Heliocentric planets by Simon et al. (1994), eraPlan94: J2000 mean equator and equinox,",
             "position (AU) and velocity (AU/day) at the TDB Julian day jd1 + jd2, 1800-2200.",
             "columns: jd1, jd2, planet (0 Mercury, 1 Venus, 2 Earth-Moon barycentre, 3 Mars ..",
             "7 Neptune), x, y, z, vx, vy, vz"],
            ["jd1", "jd2", "planet", "x", "y", "z", "vx", "vy", "vz"], rows)
