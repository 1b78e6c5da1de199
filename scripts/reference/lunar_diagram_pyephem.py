#!/usr/bin/python3
"""Writes tests/reference/lunar_diagram_pyephem.csv: for lunar eclipses, the
instant of greatest eclipse (least distance between the Moon's centre and the
centre of the Earth's shadow, UT hours of the date), the Moon's geocentric
semi-diameter there and the radii of the umbra and the penumbra (arcminutes),
and the ratios of the Moon's radius to them.

The shadow's radii follow the Explanatory Supplement to the Astronomical
Almanac (Chauvenet's enlargement by 1/50, as NASA's eclipse pages use):
umbra 1.02 (0.998340 pi_M - s_S + pi_S), penumbra 1.02 (0.998340 pi_M + s_S +
pi_S), with pi_M the Moon's horizontal parallax (Earth radius 6378.14 km),
s_S the Sun's semi-diameter and pi_S its parallax (8.794148" at 1 AU).

Source: PyEphem (Debian python3-ephem, libastro): VSOP87 Sun and its Moon
theory, apparent geocentric places; the least distance found by golden-section
search within 3 h of the given hour.

Run from the top folder:  /usr/bin/python3 scripts/reference/lunar_diagram_pyephem.py
(needs python3-ephem and python3-erfa)
"""
import math

import ephem

from common import golden

OUT = "tests/reference/lunar_diagram_pyephem.csv"
EARTH_RADIUS_KM = 6378.14
AU_KM = 149597870.7
ARCMIN = 180 * 60 / math.pi
# (year, month, day, hour UT near greatest eclipse)
EVENTS = [(2025, 3, 14, 7), (2026, 3, 3, 11.5), (2028, 1, 12, 4.2)]


def bodies(t):
    sun, moon = ephem.Sun(t), ephem.Moon(t)
    return sun, moon


def shadow_distance(t):
    sun, moon = bodies(t)
    anti = ephem.Equatorial(sun.g_ra + math.pi, -sun.g_dec)
    return ephem.separation((moon.g_ra, moon.g_dec), (anti.ra, anti.dec))


def greatest(t0):
    return golden(shadow_distance, t0 - 3 / 24.0, t0 + 3 / 24.0, 1e-9)


def main():
    with open(OUT, "w") as f:
        f.write("# Greatest lunar eclipse, the Moon's semi-diameter and the shadow's radii (arcminutes) from\n")
        f.write("# PyEphem %s (libastro), geocentric, shadow enlarged by 1/50 (Explanatory Supplement);\n" % ephem.__version__)
        f.write("# written by scripts/reference/lunar_diagram_pyephem.py\n")
        f.write("year,month,day,greatest_ut,moon_radius,umbra_radius,penumbra_radius,moon_over_umbra,moon_over_penumbra\n")
        for y, m, d, h in EVENTS:
            day = ephem.Date((y, m, d, 0, 0, 0))
            t = greatest(day + h / 24.0)
            sun, moon = bodies(t)
            pi_m = math.asin(EARTH_RADIUS_KM / (moon.earth_distance * AU_KM)) * ARCMIN
            pi_s = 8.794148 / 60 / sun.earth_distance
            s_s = sun.radius * ARCMIN
            umbra = 1.02 * (0.998340 * pi_m - s_s + pi_s)
            penumbra = 1.02 * (0.998340 * pi_m + s_s + pi_s)
            r = moon.radius * ARCMIN
            f.write("%d,%d,%d,%.5f,%.4f,%.4f,%.4f,%.5f,%.5f\n"
                    % (y, m, d, (t - day) * 24, r, umbra, penumbra, r / umbra, r / penumbra))


if __name__ == "__main__":
    main()
