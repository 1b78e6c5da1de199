#!/usr/bin/python3
"""Writes tests/reference/approx_planets.csv for the approximate planet positions.

For each case (local date, time and zone; 50 dates of 1800-2050) and body
(2 Mercury .. 9 Pluto, 10 the Sun seen from the Earth) two independent sets of
values are written:

- "kep": the two-body orbit from the linearly varying Keplerian elements of the
  JPL table "Keplerian elements for approximate positions of the major planets"
  (J2000 ecliptic; rates per day as the program stores them, Pluto's mean
  longitude at the published 522747.90" a century), with the day number taken
  from the Julian day and Kepler's equation solved to 1e-15 rad here,
  heliocentric ecliptic X, Y, Z (AU) and the geocentric right ascension and
  declination after turning the ecliptic by the program's obliquity
  0.4089182868111674 rad;
- "ref": ERFA plan94 (Simon et al. 1994) planets and epv00 Earth, heliocentric
  J2000 ecliptic X, Y, Z and the geometric geocentric J2000 right ascension and
  declination (no light time). Pluto, which plan94 does not have, from PyEphem
  (Chapront's theory): its heliocentric place of the mean ecliptic of date
  turned to the J2000 ecliptic with ERFA's ecm06.

Run from the top folder:  /usr/bin/python3 scripts/reference/approx_planets_reference.py
(needs python3-erfa and python3-ephem)
"""
import math
import random
import warnings

import ephem
import erfa

# plan94 and epv00 warn outside 1900-2100; their accuracy there is still far better than the
# approximate elements'.
warnings.filterwarnings("ignore", category=erfa.ErfaWarning)

OUT = "tests/reference/approx_planets.csv"

# a, e, i, node, longitude of perihelion, mean longitude: (value at J2000, rate per day).
ELEMENTS = {
    2: [(0.38709893, 1.80698e-11), (0.20563069, 6.91855e-10), (7.00487, -1.78797e-7),
        (48.33167, -3.3942e-6), (77.45645, 4.36208e-6), (252.25084, 4.092338796)],
    3: [(0.72333199, 2.51882e-11), (0.00677323, -1.35195e-9), (3.39471, -2.17507e-8),
        (76.68069, -7.5815e-6), (131.53298, -8.27439e-7), (181.97973, 1.602130474)],
    4: [(1.52366231, -1.977e-9), (0.09341233, -3.25859e-9), (1.85061, -1.93703e-7),
        (49.57854, -7.7587e-6), (336.04084, 1.187e-5), (355.45332, 0.524033035)],
    5: [(5.20336301, 1.66289e-8), (0.04839266, -3.52635e-9), (1.3053, -3.15613e-8),
        (100.55615, 9.25675e-6), (14.75385, 6.38779e-6), (34.40438, 0.083086762)],
    6: [(9.53707032, -8.25544e-8), (0.0541506, -1.00649e-8), (2.48446, 4.64674e-8),
        (113.71504, -1.21e-5), (92.43194, -1.48216e-5), (49.94432, 0.033470629)],
    7: [(19.19126393, 4.16222e-8), (0.04716771, -5.24298e-9), (0.76986, -1.58947e-8),
        (74.22988, 1.27873e-5), (170.96424, 9.9822e-6), (313.23218, 0.011731294)],
    8: [(30.06896348, -3.42768e-8), (0.00858587, 6.88296e-10), (1.76917, -2.76827e-8),
        (131.72169, -1.1503e-6), (44.97135, -6.42201e-6), (304.88003, 0.0059810572)],
    9: [(39.48168677, -2.10574e-8), (0.24880766, 1.77002e-9), (17.14175, 8.41889e-8),
        (110.30347, -2.839e-7), (224.06676, -1.00578e-6), (238.92881, 522747.90 / 3600 / 36525)],
    10: [(1.00000011, -1.36893e-12), (0.01671022, -1.04148e-9), (0.0, 0.0),
         (0.0, 0.0), (102.94719, 9.11309e-6), (100.46435, 0.985609101)],
}
PROGRAM_OBLIQUITY = 0.4089182868111674
ERFA_PLANET = {2: 1, 3: 2, 4: 4, 5: 5, 6: 6, 7: 7, 8: 8}


def cases():
    """year, month, day, hour, minute, zone minutes (local time = UT + zone): J2000.0 first,
    the ends of the range, the days just outside 1900-03-01 .. 2100-02-28 where the integer
    day-number formula once failed, then random instants of 1800-2050 (fixed seed)."""
    fixed = [(2000, 1, 1, 12, 0, 0), (1800, 1, 1, 0, 0, 0), (2050, 12, 31, 23, 0, 0),
             (1900, 2, 28, 12, 0, 0), (1828, 6, 15, 6, 0, 60), (1812, 9, 7, 18, 30, -300)]
    rng = random.Random(1800)
    while len(fixed) < 50:
        fixed.append((rng.randint(1800, 2050), rng.randint(1, 12), rng.randint(1, 28), rng.randint(0, 23),
                      rng.randint(0, 59), rng.choice((0, 60, 120, -300, -480, 330, 600))))
    return fixed


def kepler_orbit(body, d):
    a, e, i, node, peri, L = (c + r * d for c, r in ELEMENTS[body])
    i, node, peri, L = (math.radians(x) for x in (i, node, peri, L))
    M = math.remainder(L - peri, 2 * math.pi)
    E = M
    for _ in range(50):
        E -= (E - e * math.sin(E) - M) / (1 - e * math.cos(E))
    nu = 2 * math.atan2(math.sqrt(1 + e) * math.sin(E / 2), math.sqrt(1 - e) * math.cos(E / 2))
    r = a * (1 - e * math.cos(E))
    u = nu + peri - node
    return (r * (math.cos(u) * math.cos(node) - math.sin(u) * math.cos(i) * math.sin(node)),
            r * (math.sin(u) * math.cos(i) * math.cos(node) + math.cos(u) * math.sin(node)),
            r * math.sin(i) * math.sin(u))


def ra_dec(v, eps):
    x, y, z = v[0], v[1] * math.cos(eps) - v[2] * math.sin(eps), v[1] * math.sin(eps) + v[2] * math.cos(eps)
    return math.degrees(math.atan2(y, x)) / 15 % 24, math.degrees(math.atan2(z, math.hypot(x, y)))


def minus(a, b):
    return [p - q for p, q in zip(a, b)]


def ecliptic(v, eps):
    return [v[0], v[1] * math.cos(eps) + v[2] * math.sin(eps), -v[1] * math.sin(eps) + v[2] * math.cos(eps)]


def pluto_pyephem(jd):
    """Pluto's heliocentric J2000 ecliptic X, Y, Z (AU) from PyEphem at the Julian day jd."""
    p = ephem.Pluto()
    p.compute(ephem.Date(jd - 2415020.0))
    r = p.sun_distance
    of_date = [r * math.cos(p.hlat) * math.cos(p.hlon), r * math.cos(p.hlat) * math.sin(p.hlon),
               r * math.sin(p.hlat)]
    icrs = erfa.rxp(erfa.tr(erfa.ecm06(jd, 0.0)), of_date)
    return list(erfa.rxp(erfa.ecm06(2451545.0, 0.0), icrs))


def main():
    eps2000 = erfa.obl06(2451545.0, 0.0)
    rows = []
    for y, m, dd, h, mi, zone in cases():
        j1, j2 = erfa.cal2jd(y, m, dd)
        jd = j1 + j2 + (h * 60 + mi - zone) / 1440.0
        d = jd - 2451545.0
        earth_kep = kepler_orbit(10, d)
        earth_kep = (earth_kep[0], earth_kep[1], 0.0)
        pvh, _ = erfa.epv00(jd, 0.0)
        earth_erfa = ecliptic(pvh[0], eps2000)
        for body in range(2, 11):
            if body == 10:
                kep = earth_kep
                geo_kep = minus((0, 0, 0), earth_kep)
            else:
                kep = kepler_orbit(body, d)
                geo_kep = minus(kep, earth_kep)
            ra_k, dec_k = ra_dec(geo_kep, PROGRAM_OBLIQUITY)
            if body == 10:
                ref = earth_erfa
                ra_e, dec_e = ra_dec(minus((0, 0, 0), earth_erfa), eps2000)
            elif body in ERFA_PLANET:
                pv = erfa.plan94(jd, 0.0, ERFA_PLANET[body])
                ref = ecliptic(pv[0], eps2000)
                ra_e, dec_e = ra_dec(minus(ref, earth_erfa), eps2000)
            else:
                ref = pluto_pyephem(jd)
                ra_e, dec_e = ra_dec(minus(ref, earth_erfa), eps2000)
            vals = [*kep, ra_k, dec_k, *ref, ra_e, dec_e]
            rows.append(f"{y},{m},{dd},{h},{mi},{zone},{body}," + ",".join(f"{v:.10f}" for v in vals))
    header = ("year,month,day,hour,minute,zone,body,kep_x,kep_y,kep_z,kep_ra_h,kep_dec,"
              "ref_x,ref_y,ref_z,ref_ra_h,ref_dec")
    with open(OUT, "w") as f:
        f.write(header + "\n" + "\n".join(rows) + "\n")


if __name__ == "__main__":
    main()
