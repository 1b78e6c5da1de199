#!/usr/bin/python3
"""Reference tables for the SGP4 tests, from the published verification set.

Source: the test element sets "SGP4-VER.TLE" and the output "tcppver.out" of
Vallado, Crawford, Hujsak and Kelso, "Revisiting Spacetrack Report #3",
AIAA 2006-6753, as shipped (MIT licence) in Debian's python3-sgp4 package.

sgp4_verification_sets.csv: every element set of the file (deep-space ones
included), with its period in minutes, its two lines cut to 69 columns and its
published position at the epoch (deep-space sets by the deep-space model; not
a number where the published program refuses the set).

sgp4_verification.csv: the published position (km) and velocity (km/s) of the
near-Earth sets (period below 225 minutes) at every time the output lists.
Each row is checked against python3-sgp4's own propagation (WGS-72), which
must reproduce it to 1 mm and 1e-9 km/s, so that a misread row cannot slip in.

sgp4_status.csv: python3-sgp4's result for the same near-Earth sets at the
published times and every 20 minutes from a day before to a day after the
epoch: its error code (0 none; 1 mean eccentricity outside [-0.001, 1),
4 negative semi-latus rectum, 6 decayed below one Earth radius) and, where it
is 0, the position (km).

Run from the top folder:  /usr/bin/python3 scripts/reference/sgp4_verification.py
(needs: apt-get install python3-sgp4 python3-erfa)
"""
import os
import sys
from importlib.metadata import version

import sgp4
from sgp4.api import Satrec

sys.path.insert(0, os.path.dirname(__file__))
from common import write_table  # noqa: E402

PACKAGE_DIR = os.path.dirname(sgp4.__file__)
NEAR_EARTH_PERIOD = 225.0


def read_sets():
    """[(number, line1, line2)] of SGP4-VER.TLE, first occurrence of each number."""
    with open(os.path.join(PACKAGE_DIR, "SGP4-VER.TLE")) as f:
        lines = [line.rstrip("\n") for line in f if line[:1] in "12"]
    sets, seen = [], set()
    for line1, line2 in zip(lines[0::2], lines[1::2]):
        number = int(line1[2:7])
        if number not in seen:
            seen.add(number)
            sets.append((number, line1[:69], line2[:69]))
    return sets


def read_output():
    """{number: [(tsince, x, y, z, vx, vy, vz)]} of tcppver.out, first block of each number."""
    blocks, current = {}, None
    with open(os.path.join(PACKAGE_DIR, "tcppver.out")) as f:
        for line in f:
            fields = line.split()
            if len(fields) == 2 and fields[1] == "xx":
                number = int(fields[0])
                current = None if number in blocks else blocks.setdefault(number, [])
            elif current is not None and fields:
                current.append(tuple(float(v) for v in fields[:7]))
    return blocks


def period(line2):
    return 1440.0 / float(line2[52:63])


def check(line1, line2, row):
    """True when python3-sgp4 reproduces the published row; exits when it
    gives a different state, False when it refuses the set (the output file
    then repeats the previous set's line)."""
    satellite = Satrec.twoline2rv(line1, line2)
    error, r, v = satellite.sgp4_tsince(row[0])
    if error != 0:
        return False
    if max(abs(a - b) for a, b in zip(r, row[1:4])) > 1e-6 or \
            max(abs(a - b) for a, b in zip(v, row[4:7])) > 1e-9:
        sys.exit("python3-sgp4 disagrees with the published row %s of %s" % (row, line1[2:7]))
    return True


def epoch_position(line1, line2, block):
    """Published position at tsince 0, or not-a-number for a refused set."""
    return block[0][1:4] if check(line1, line2, block[0]) else ("nan",) * 3


def status_rows(number, line1, line2, published):
    satellite = Satrec.twoline2rv(line1, line2)
    times = sorted(set(row[0] for row in published) | set(20.0 * k for k in range(-72, 73)))
    rows = []
    for tsince in times:
        error, r, _ = satellite.sgp4_tsince(tsince)
        rows.append((float(number), tsince, float(error)) + (tuple(r) if error == 0 else ("nan",) * 3))
    return rows


def main():
    sets = read_sets()
    blocks = read_output()
    source = ("Vallado, Crawford, Hujsak and Kelso, Revisiting Spacetrack Report #3, "
              "AIAA 2006-6753: SGP4-VER.TLE and tcppver.out (MIT licence)")
    library = "python3-sgp4 %s" % version("sgp4")
    write_table("sgp4_verification_sets.csv",
                ["Element sets of " + source,
                 "columns: catalogue number, period (min), line 1, line 2, position at tsince 0 (km)"],
                ["number", "period", "line1", "line2", "x0", "y0", "z0"],
                [(float(n), period(l2), l1, l2) + epoch_position(l1, l2, blocks[n]) for n, l1, l2 in sets],
                library)
    rows, status = [], []
    for number, line1, line2 in sets:
        if period(line2) >= NEAR_EARTH_PERIOD:
            continue
        status += status_rows(number, line1, line2, blocks[number])
        for row in blocks[number]:
            if not check(line1, line2, row):
                sys.exit("python3-sgp4 refuses the published row %s of %d" % (row, number))
            rows.append((float(number),) + row)
    write_table("sgp4_verification.csv",
                ["Published SGP4 states of the near-Earth sets (period below 225 min) of " + source,
                 "TEME frame, WGS-72 constants; columns: catalogue number, tsince (min), x, y, z (km), "
                 "vx, vy, vz (km/s)"],
                ["number", "tsince", "x", "y", "z", "vx", "vy", "vz"], rows, library)
    write_table("sgp4_status.csv",
                ["python3-sgp4's error code and position (km, TEME) for the near-Earth sets of " + source,
                 "at the published times and every 20 minutes over a day either side of the epoch"],
                ["number", "tsince", "error", "x", "y", "z"], status, library)


if __name__ == "__main__":
    main()
