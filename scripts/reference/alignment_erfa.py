#!/usr/bin/python3
"""Writes reference tables for the telescope alignment and pointing-model tests.

alignment_erfa.csv: telescope readings of stars for two mounts, computed with
ERFA (python3-erfa), independently of the program's two-star matrix method.
  case "az": an alt-azimuth mount at latitude +45 deg whose clock reads 20:00:00
    when the local sidereal time is 10 h; the sidereal time advances
    1.002737909350795 h per clock hour. Readings are azimuth (from North
    through East) and altitude by eraHd2ae.
  case "eq": an equatorial mount whose readings are the star's direction turned
    by a fixed rotation (2 h about the pole, then 0.5 deg about x; eraRz, eraRx,
    eraRxp, eraC2s). The readings do not depend on the clock.
The first two rows of each case are the two alignment stars.

pointing_model_*.csv: pointing-model entries made from known error terms by the
classic mount model (index errors, collimation, non-perpendicularity, polar-axis
misalignment; for alt-azimuth mounts tube flexure and the tilt of the vertical
axis). Each entry's measured position is its predicted one plus the terms.

Run from the top folder:  /usr/bin/python3 scripts/reference/alignment_erfa.py
"""
import math
import random

import erfa

from common import write_table

SIDEREAL_RATE = 1.002737909350795
LATITUDE = 45.0
REFERENCE_CLOCK_H = 20.0
REFERENCE_LST_H = 10.0


def clock_text(seconds):
    return "%02d:%02d:%02d" % (seconds // 3600, seconds // 60 % 60, seconds % 60)


def az_row(clock_s, ra_h, dec):
    elapsed_h = (clock_s / 3600.0 - REFERENCE_CLOCK_H) % 24.0
    lst_h = REFERENCE_LST_H + SIDEREAL_RATE * elapsed_h
    az, alt = erfa.hd2ae((lst_h - ra_h) * 15.0 * erfa.DD2R, dec * erfa.DD2R, LATITUDE * erfa.DD2R)
    return ["az", clock_text(clock_s), ra_h, dec, float(erfa.anp(az)) * erfa.DR2D, float(alt) * erfa.DR2D]


def eq_rotation():
    r = erfa.rz(2.0 * 15.0 * erfa.DD2R, erfa.ir())
    return erfa.rx(0.5 * erfa.DD2R, r)


def eq_row(rotation, clock_s, ra_h, dec):
    v = erfa.rxp(rotation, erfa.s2c(ra_h * 15.0 * erfa.DD2R, dec * erfa.DD2R))
    lon, lat = erfa.c2s(v)
    return ["eq", clock_text(clock_s), ra_h, dec, float(erfa.anp(lon)) * erfa.DR2D, float(lat) * erfa.DR2D]


def alignment_rows(rng):
    rows = [az_row(72000, 10.0, 0.0), az_row(72000, 4.0, 0.0),
            az_row(72000, 0.0, 90.0), az_row(75600, 10.0, 0.0), az_row(4500, 13.0, -20.0)]
    while len(rows) < 15:
        clock_s = rng.randrange(0, 86400)
        row = az_row(clock_s, rng.uniform(0.0, 24.0), rng.uniform(-30.0, 85.0))
        if 5.0 < row[5] < 85.0:
            rows.append(row)
    rotation = eq_rotation()
    rows += [eq_row(rotation, 79200, 6.0, 20.0), eq_row(rotation, 3600, 14.0, -35.0)]
    for _ in range(10):
        rows.append(eq_row(rotation, rng.randrange(0, 86400), rng.uniform(0.0, 24.0), rng.uniform(-80.0, 80.0)))
    return rows


def eq_terms(phi, theta):
    p, t = math.radians(phi), math.radians(theta)
    axis1 = [1.0, 0.0, 1.0 / math.cos(t), math.tan(t), -math.tan(t) * math.cos(p), math.tan(t) * math.sin(p), 0.0]
    axis2 = [0.0, 1.0, 0.0, 0.0, math.sin(p), math.cos(p), 0.0]
    return axis1, axis2


def az_terms(phi, theta):
    p, t = math.radians(phi), math.radians(theta)
    axis1 = [1.0, 0.0, 1.0 / math.sin(t), math.tan(t), 0.0, math.sin(p) * math.tan(t), -math.cos(p) * math.tan(t)]
    axis2 = [0.0, 1.0, 0.0, 0.0, math.cos(t), math.cos(p), math.sin(p)]
    return axis1, axis2


def entry(terms, coefficients, phi, theta):
    axis1, axis2 = terms(phi, theta)
    d1 = sum(r * c for r, c in zip(axis1, coefficients))
    d2 = sum(r * c for r, c in zip(axis2, coefficients))
    return [phi, theta, phi + math.degrees(d1), theta + math.degrees(d2)]


def pointing_cases(rng):
    seven = [2.1e-3, -1.4e-3, 6.0e-4, -3.5e-4, 8.0e-4, -5.0e-4, 3.0e-4]
    six = seven[:6] + [0.0]  # term 7 has no row for an equatorial mount
    four = seven[:4] + [0.0, 0.0, 0.0]
    cases = [("eq", six, eq_terms, 10), ("az", seven, az_terms, 10),
             ("eq3", four, eq_terms, 3), ("az3", four, az_terms, 3)]
    coefficient_rows, entry_rows = [], []
    for name, coefficients, terms, count in cases:
        coefficient_rows.append([name] + coefficients)
        for _ in range(count):
            phi, theta = rng.uniform(0.0, 360.0), rng.uniform(10.0, 80.0)
            entry_rows.append([name] + entry(terms, coefficients, phi, theta))
    return coefficient_rows, entry_rows


def main():
    rng = random.Random(31)
    write_table("alignment_erfa.csv",
                ["telescope readings of stars: alt-azimuth mount at latitude +45 (eraHd2ae) and",
                 "equatorial mount turned 2 h about z then 0.5 deg about x; first two rows of a case align"],
                ["case", "clock", "ra_h", "dec_deg", "axis1_deg", "axis2_deg"], alignment_rows(rng))
    coefficient_rows, entry_rows = pointing_cases(rng)
    write_table("pointing_model_coefficients.csv",
                ["known pointing error terms (radians) from which pointing_model_entries.csv is made"],
                ["case", "c1", "c2", "c3", "c4", "c5", "c6", "c7"], coefficient_rows)
    write_table("pointing_model_entries.csv",
                ["predicted position (reading) and measured position = reading + classic mount-model terms, degrees"],
                ["case", "reading1", "reading2", "measured1", "measured2"], entry_rows)


if __name__ == "__main__":
    main()
