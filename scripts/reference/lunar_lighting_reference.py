#!/usr/bin/python3
"""Writes the reference tables of the Sun's selenographic position and of the
Sun's altitude over lunar features:

  tests/reference/lunar_selenographic_sun.csv  jd, l0, b0, c0 (degrees)
  tests/reference/lunar_feature_sun_altitude.csv  jd, longitude, latitude, altitude (degrees)

Sources: the Moon from ERFA moon98 (Meeus's ELP-based series as carried by
ERFA), the Sun from ERFA epv00 (geometric), both turned into the mean ecliptic
and equinox of date with ERFA ecm06; the fundamental arguments from ERFA's IERS
2003 expressions (fal03, falp03, faf03, fad03, faom03). The Sun is seen from the
Moon's centre (vector Sun - Moon). Selenographic frame: the lunar equator is
inclined I = 1.54242 degrees to the ecliptic with its ascending node at the
orbit's descending node (Cassini's laws), the prime meridian at the mean
argument of latitude F from it; the physical libration adds the series rho,
sigma, tau of Meeus, Astronomical Algorithms, ch. 53 (moon_libration_meeus53.csv).
The altitude over a feature is the elevation of the Sun's direction above the
feature's horizon on a spherical Moon. The Julian days are taken as TT.

Run from the top folder:
  /usr/bin/python3 scripts/reference/lunar_lighting_reference.py [path/to/moon_libration_meeus53.csv]
Without the argument: ../shared/data/moon_libration_meeus53.csv from the repository top
(the shared data folder beside the checkout, found from the script's own place).
"""
import csv
import math
import os
import random
import sys

import erfa
import numpy as np

from common import SHARED_DATA

SRC = sys.argv[1] if len(sys.argv) > 1 else os.path.join(SHARED_DATA, "moon_libration_meeus53.csv")
INCLINATION = math.radians(1.54242)


def libration_series(t):
    """rho, sigma, tau (degrees) of ch. 53 at t TT centuries from J2000."""
    args = {"D": erfa.fad03(t), "M": erfa.falp03(t), "Mp": erfa.fal03(t), "F": erfa.faf03(t),
            "Om": erfa.faom03(t), "K1": math.radians(119.75 + 131.849 * t),
            "K2": math.radians(72.56 + 20.186 * t)}
    E = 1 - 0.002516 * t - 0.0000074 * t * t
    sums = {"rho": 0.0, "sigma": 0.0, "tau": 0.0}
    with open(SRC) as f:
        for r in csv.DictReader(line for line in f if not line.startswith("#")):
            x = sum(int(r[k]) * args[k] for k in args)
            fn = math.sin if r["func"] == "sin" else math.cos
            sums[r["series"]] += float(r["coef"]) * E ** int(r["E_power"]) * fn(x)
    return sums["rho"], sums["sigma"], sums["tau"]


def rot_z(a):
    c, s = math.cos(a), math.sin(a)
    return np.array([[c, s, 0], [-s, c, 0], [0, 0, 1]])


def rot_x(a):
    c, s = math.cos(a), math.sin(a)
    return np.array([[1, 0, 0], [0, c, s], [0, -s, c]])


def selenographic_sun(jd):
    t = (jd - 2451545.0) / 36525
    ecl = erfa.ecm06(jd, 0.0)
    moon = ecl @ erfa.moon98(jd, 0.0)[0]
    sun = ecl @ -erfa.epv00(jd, 0.0)[0][0]
    s = sun - moon
    # Into the mean lunar equator: node at the orbit's descending node, then tilt by I.
    v = rot_x(INCLINATION) @ rot_z(erfa.faom03(t) + math.pi) @ s
    # Optical: longitude from the prime meridian (F past the node), latitude.
    A = math.atan2(v[1], v[0])
    b1 = math.asin(v[2] / np.linalg.norm(v))
    l1 = A - erfa.faf03(t)
    rho, sigma, tau = (math.radians(x) for x in libration_series(t))
    l2 = -tau + (rho * math.cos(A) + sigma * math.sin(A)) * math.tan(b1)
    b2 = sigma * math.cos(A) - rho * math.sin(A)
    l0 = math.degrees(l1 + l2) % 360
    b0 = math.degrees(b1 + b2)
    return l0, b0, (450 - l0) % 360


def altitude(l0, b0, lon, lat):
    sun = [math.cos(math.radians(b0)) * math.cos(math.radians(l0)),
           math.cos(math.radians(b0)) * math.sin(math.radians(l0)), math.sin(math.radians(b0))]
    up = [math.cos(math.radians(lat)) * math.cos(math.radians(lon)),
          math.cos(math.radians(lat)) * math.sin(math.radians(lon)), math.sin(math.radians(lat))]
    return math.degrees(math.asin(sum(a * b for a, b in zip(sun, up))))


def main():
    rng = random.Random(53)
    jds = [2448724.5] + [round(rng.uniform(2433282.5, 2469807.5), 4) for _ in range(15)]
    sun_rows, feature_rows = [], []
    for jd in jds:
        l0, b0, c0 = selenographic_sun(jd)
        sun_rows.append(f"{jd:.4f},{l0:.6f},{b0:.6f},{c0:.6f}")
        for _ in range(4):
            lon, lat = round(rng.uniform(-180, 180), 3), round(rng.uniform(-85, 85), 3)
            feature_rows.append(f"{jd:.4f},{lon},{lat},{altitude(l0, b0, lon, lat):.6f}")
    with open("tests/reference/lunar_selenographic_sun.csv", "w") as f:
        f.write("jd,l0,b0,c0\n" + "\n".join(sun_rows) + "\n")
    with open("tests/reference/lunar_feature_sun_altitude.csv", "w") as f:
        f.write("jd,longitude,latitude,altitude\n" + "\n".join(feature_rows) + "\n")


if __name__ == "__main__":
    main()
