#!/usr/bin/python3
"""Writes tests/reference/saturn_moons.csv: Saturn's ring tilt seen from the
Earth at random universal times of 1950-2050, and five of its moons.

Source, independent of the program: PyEphem (Debian python3-ephem; libastro's
Saturn moon theory). earth_tilt is the Saturnicentric latitude of the Earth
referred to the ring plane (Meeus's B; positive when the north face is seen).
The moons' offsets from Saturn's centre in the sky (x east, y south, z towards
the Earth, Saturn radii) are turned into Saturn's equator (ring) frame (X
west, Y north) by the position angle of Saturn's north pole: the IAU pole
alpha0 = 40.589 - 0.036 T, delta0 = 83.537 - 0.004 T (J2000 equator, T Julian
centuries from J2000) with Meeus, Astronomical Algorithms, ch. 43's formula
(common.py); hidden = 1 when PyEphem reports the moon not visible from the
Earth.

Run from the top folder:  /usr/bin/python3 scripts/reference/saturn_moons.py
With --at JDE it prints the moons' X and Y at that dynamical-time Julian day
instead (PyEphem's Delta T taken off), the values quoted beside Meeus's example.
"""
import math
import random
import sys

import ephem

from common import pole_position_angle, sky_to_equator, write_table

MOONS = (("enceladus", ephem.Enceladus), ("tethys", ephem.Tethys), ("dione", ephem.Dione),
         ("rhea", ephem.Rhea), ("titan", ephem.Titan))


def main():
    rng = random.Random(4505)
    rows = []
    for _ in range(300):
        y, mo, d = rng.randint(1950, 2050), rng.randint(1, 12), rng.randint(1, 28)
        h, mi = rng.randint(0, 23), rng.randint(0, 59)
        date = ephem.Date((y, mo, d, h, mi, 0))
        saturn = ephem.Saturn(date)
        p = pole_position_angle(saturn, ephem.julian_date(date), lambda t: 40.589 - 0.036 * t,
                                lambda t: 83.537 - 0.004 * t)
        cells = [str(v) for v in (y, mo, d, h, mi)] + [f"{math.degrees(float(saturn.earth_tilt)):.4f}"]
        for _, body in MOONS:
            m = body(date)
            big_x, big_y = sky_to_equator(m.x, m.y, p)
            cells += [f"{big_x:.4f}", f"{big_y:.4f}", f"{m.z:.4f}", str(int(not m.earth_visible))]
        rows.append(cells)
    rows.sort(key=lambda r: [int(v) for v in r[:5]])
    columns = ["year", "month", "day", "hour", "minute", "tilt_deg"]
    for name, _ in MOONS:
        columns += [name + s for s in ("_x", "_y", "_z", "_hidden")]
    write_table("saturn_moons.csv",
                ["Saturn's ring tilt B (PyEphem earth_tilt, degrees) and five moons in Saturn's equator frame",
                 "(X west, Y north, z towards the Earth, Saturn radii; offsets turned by the IAU pole's position",
                 "angle, Meeus ch. 43); times UT"],
                columns, rows, source="PyEphem %s" % ephem.__version__)


def at(jde):
    date = ephem.Date(jde - 2415020.0)
    date = ephem.Date(date - ephem.delta_t(date) / 86400.0)
    saturn = ephem.Saturn(date)
    p = pole_position_angle(saturn, ephem.julian_date(date), lambda t: 40.589 - 0.036 * t,
                            lambda t: 83.537 - 0.004 * t)
    print("PyEphem %s, UT %s, B %.3f" % (ephem.__version__, date, math.degrees(float(saturn.earth_tilt))))
    for name, body in MOONS:
        m = body(date)
        big_x, big_y = sky_to_equator(m.x, m.y, p)
        print("%-10s X %+.3f Y %+.3f" % (name, big_x, big_y))


if __name__ == "__main__":
    if len(sys.argv) == 3 and sys.argv[1] == "--at":
        at(float(sys.argv[2]))
    else:
        main()
