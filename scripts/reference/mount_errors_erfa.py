#!/usr/bin/python3
"""Writes tests/reference/mount_errors_erfa.csv: telescope readings of stars by an
equatorial mount with known mount errors, for the tests of the mount-error fit.

The mount is the "eq" mount of alignment_erfa.py: the star's direction is turned
by a fixed rotation (2 h about the pole, then 0.5 deg about x; eraRz, eraRx,
eraRxp). Its axes then carry the first-order mount errors z1 (tilt between the
axes), z2 (collimation) and z3 (zero error of axis 2), radians: a reading
(phi, theta) points along the normalised vector
    L = cos phi cos(theta + z3) - sin phi z2 + sin phi sin(theta + z3) z1
    M = sin phi cos(theta + z3) + cos phi z2 - cos phi sin(theta + z3) z1
    N = sin(theta + z3)
The reading of each star is found by inverting these equations (a fixed-point
iteration on theta, then phi in closed form) and checked by evaluating them
forward. The first two rows are the alignment stars; every row's clock time is
kept for the record (an equatorial mount's readings do not depend on it).

Run from the top folder:  /usr/bin/python3 scripts/reference/mount_errors_erfa.py
"""
import math
import random

import erfa

from common import write_table

Z = (0.002, -0.001, 0.0005)


def rotation():
    r = erfa.rz(2.0 * 15.0 * erfa.DD2R, erfa.ir())
    return erfa.rx(0.5 * erfa.DD2R, r)


def forward(phi, theta):
    z1, z2, z3 = Z
    t = theta + z3
    v = [math.cos(phi) * math.cos(t) - math.sin(phi) * z2 + math.sin(phi) * math.sin(t) * z1,
         math.sin(phi) * math.cos(t) + math.cos(phi) * z2 - math.cos(phi) * math.sin(t) * z1,
         math.sin(t)]
    n = math.sqrt(sum(c * c for c in v))
    return [c / n for c in v]


def reading(v):
    """(phi, theta) in radians of the reading whose pointing is the unit vector v."""
    z1, z2, z3 = Z
    t = math.asin(v[2])
    for _ in range(60):
        b = z2 - z1 * math.sin(t)
        t = math.asin(v[2] * math.sqrt(1.0 + b * b))
    b = z2 - z1 * math.sin(t)
    phi = math.atan2(v[1], v[0]) - math.atan2(b, math.cos(t))
    phi = float(erfa.anp(phi))
    theta = t - z3
    back = forward(phi, theta)
    assert max(abs(p - q) for p, q in zip(back, v)) < 1e-14
    return phi, theta


def row(r, clock_s, ra_h, dec):
    v = erfa.rxp(r, erfa.s2c(ra_h * 15.0 * erfa.DD2R, dec * erfa.DD2R))
    phi, theta = reading([float(c) for c in v])
    clock = "%02d:%02d:%02d" % (clock_s // 3600, clock_s // 60 % 60, clock_s % 60)
    return [clock, ra_h, dec, math.degrees(phi), math.degrees(theta)]


def main():
    rng = random.Random(57)
    r = rotation()
    rows = [row(r, 79200, 6.0, 20.0), row(r, 3600, 14.0, -35.0)]
    while len(rows) < 22:
        rows.append(row(r, rng.randrange(0, 86400), rng.uniform(0.0, 24.0), rng.uniform(-70.0, 70.0)))
    write_table("mount_errors_erfa.csv",
                ["readings of an equatorial mount turned 2 h about z then 0.5 deg about x, with mount errors",
                 "z1 = 0.002, z2 = -0.001, z3 = 0.0005 rad; first two rows align"],
                ["clock", "ra_h", "dec_deg", "axis1_deg", "axis2_deg"], rows)


if __name__ == "__main__":
    main()
