#!/usr/bin/python3
"""Fits the mean longitudes of Phobos and Deimos at an epoch to PyEphem and
writes tests/reference/mars_moons_pyephem.csv: the two moons around Mars's disc
at 20 universal times of 2020-2030.

The fit. The moons' sidereal mean motions are the published ones (JPL's mean
orbital elements of the Martian satellites, Jacobson's ephemeris): Phobos
1128.8445 and Deimos 285.1618 degrees a day. Only the mean longitude at the
epoch 2025 January 1.0 UT (JD 2460676.5) is fitted, as the circular mean of
lambda - n (jd - tau - epoch) over 1900 instants of 2020-2030, where lambda is
the moon's longitude in Mars's equator of date counted from the equator's
ascending node on the Earth's equator of date, jd the universal-time Julian
day and tau = 0.0057755183 Delta the light time (days, Delta in AU). The
residuals (largest and root mean square) are printed and written in the
table's header.

lambda from PyEphem. The moon's offset from Mars in Mars radii (PyEphem's x
east, y south, z towards the Earth) is laid along the east, north and
towards-the-Earth directions at Mars's apparent geocentric place of date, and
measured in Mars's equator: the IAU WGCCRE 2009 pole (Archinal et al. 2011,
alpha0 = 317.68143 - 0.1061 T, delta0 = 52.88650 - 0.0609 T, ICRF) turned to
the true equator of date by python3-erfa's pnm06a, as in mars_physical.py.

The table. For each instant (UT, whole minutes) and each moon: the position
angle of the offset (degrees east of north, atan2(x, -y)), its length in Mars
radii and PyEphem's z (positive in front of Mars).

Run from the top folder:  /usr/bin/python3 scripts/reference/mars_moons_pyephem.py
(needs python3-ephem, python3-erfa and numpy)
"""
import math
import random

import ephem
import erfa
import numpy as np

from common import write_table

LIGHT_DAYS_PER_AU = 0.0057755183
EPOCH = 2460676.5
MOONS = (("phobos", ephem.Phobos, 1128.8445), ("deimos", ephem.Deimos, 285.1618))


def unit(alpha, delta):
    return np.array([math.cos(delta) * math.cos(alpha), math.cos(delta) * math.sin(alpha), math.sin(delta)])


def normalized(v):
    return v / np.linalg.norm(v)


def longitude_in_equator(date, body):
    """The moon's longitude in Mars's equator of date (degrees), the UT Julian day and Mars's distance."""
    jd_ut = ephem.julian_date(date)
    jd_tt = jd_ut + ephem.delta_t(date) / 86400.0
    mars = ephem.Mars()
    mars.compute(date, epoch=date)
    moon = body()
    moon.compute(date, epoch=date)
    u = unit(float(mars.g_ra), float(mars.g_dec))
    east = normalized(np.cross([0.0, 0.0, 1.0], u))
    north = np.cross(u, east)
    r = moon.x * east - moon.y * north - moon.z * u
    cent = (jd_tt - LIGHT_DAYS_PER_AU * mars.earth_distance - 2451545.0) / 36525.0
    pole_icrf = unit(math.radians(317.68143 - 0.1061 * cent), math.radians(52.88650 - 0.0609 * cent))
    pole = erfa.pnm06a(2400000.5, jd_tt - 2400000.5) @ pole_icrf
    node = normalized(np.cross([0.0, 0.0, 1.0], pole))
    return math.degrees(math.atan2(float(r @ np.cross(pole, node)), float(r @ node))), jd_ut, mars.earth_distance


def fit(body, rate):
    """Mean longitude at EPOCH (degrees) and the largest and rms residuals (degrees)."""
    start = ephem.Date("2020/1/1")
    offsets = []
    for k in range(1900):
        lam, jd, delta = longitude_in_equator(ephem.Date(start + k * 1.923 + 0.123), body)
        offsets.append(math.radians(lam - rate * (jd - LIGHT_DAYS_PER_AU * delta - EPOCH)))
    mean = math.atan2(sum(map(math.sin, offsets)), sum(map(math.cos, offsets)))
    residuals = [math.degrees(math.remainder(a - mean, 2 * math.pi)) for a in offsets]
    rms = math.sqrt(sum(r * r for r in residuals) / len(residuals))
    return math.degrees(mean) % 360.0, max(map(abs, residuals)), rms


def main():
    header = ["Phobos and Deimos around Mars: position angle of the offset (degrees east of north),",
              "its length in Mars radii and z (Mars radii, positive in front of Mars); times UT.",
              "Mean longitudes at JD %.1f UT in Mars's equator of date from its node on the Earth's equator," % EPOCH]
    for name, body, rate in MOONS:
        lam0, largest, rms = fit(body, rate)
        line = "%s: %.3f deg at %.4f deg/day less light time; residual %.2f deg largest, %.2f rms" % (
            name, lam0, rate, largest, rms)
        print(line)
        header.append(line)
    rng = random.Random(9107)
    rows = []
    for _ in range(20):
        y, mo, d = rng.randint(2020, 2030), rng.randint(1, 12), rng.randint(1, 28)
        h, mi = rng.randint(0, 23), rng.randint(0, 59)
        cells = [str(v) for v in (y, mo, d, h, mi)]
        for _, body, _ in MOONS:
            moon = body(ephem.Date((y, mo, d, h, mi, 0)))
            angle = math.degrees(math.atan2(moon.x, -moon.y)) % 360.0
            cells += [f"{angle:.3f}", f"{math.hypot(moon.x, moon.y):.4f}", f"{moon.z:.4f}"]
        rows.append(cells)
    rows.sort(key=lambda r: [int(v) for v in r[:5]])
    columns = ["year", "month", "day", "hour", "minute"]
    for name, _, _ in MOONS:
        columns += [name + s for s in ("_angle_deg", "_offset_radii", "_z")]
    write_table("mars_moons_pyephem.csv", header, columns, rows,
                source="PyEphem %s and python3-erfa %s" % (ephem.__version__, erfa.__version__))


if __name__ == "__main__":
    main()
