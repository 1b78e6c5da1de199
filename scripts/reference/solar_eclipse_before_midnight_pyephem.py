#!/usr/bin/python3
"""Writes tests/reference/solar_eclipse_before_midnight_pyephem.csv: places
that see a solar eclipse whose partial phase begins before 0h UT of the
eclipse's date (the date of its greatest). For each place (latitude degrees
north, longitude degrees west): the UT of first contact in hours of the
eclipse's date (negative: the day before), the greatest magnitude (the part
of the Sun's diameter covered) and its UT.

Source: PyEphem (Debian python3-ephem, libastro): VSOP87 Sun, its Moon
theory, apparent topocentric places at height 0 m, no refraction; 20-second
steps from 5 h before to 5 h after the eclipse's greatest (NASA's eclipse
pages: 2016-03-09 01:57 UT).

Run from the top folder:  /usr/bin/python3 scripts/reference/solar_eclipse_before_midnight_pyephem.py
(needs python3-ephem and python3-erfa)
"""
import ephem

from common import pyephem_site, sun_moon_steps

OUT = "tests/reference/solar_eclipse_before_midnight_pyephem.csv"
# (year, month, day, greatest UT in hours, place, latitude, east longitude)
CASES = [
    (2016, 3, 9, 1 + 57 / 60, "Jakarta", -6.2, 106.8),
    (2016, 3, 9, 1 + 57 / 60, "Darwin", -12.46, 130.84),
]


def circumstances(y, m, d, hours, lat, lon):
    day = float(ephem.Date((y, m, d, 0, 0, 0)))
    first, best = None, None
    for when, sun, moon in sun_moon_steps(pyephem_site(lat, lon), day + hours / 24.0, range(-900, 901), 20):
        magnitude = (sun.radius + moon.radius - ephem.separation(sun, moon)) / (2 * sun.radius)
        ut = (when - day) * 24
        if magnitude > 0 and first is None:
            first = ut
        if best is None or magnitude > best[0]:
            best = (magnitude, ut)
    return first, best[0], best[1]


def main():
    with open(OUT, "w") as f:
        f.write("# First contact (UT hours of the eclipse's date, negative: the day before) and greatest\n")
        f.write("# magnitude, PyEphem %s (libastro), topocentric, height 0 m, 20-second steps;\n" % ephem.__version__)
        f.write("# written by scripts/reference/solar_eclipse_before_midnight_pyephem.py\n")
        f.write("year,month,day,place,latitude,longitude_west,first_contact_ut,magnitude,greatest_ut\n")
        for y, m, d, hours, place, lat, lon in CASES:
            first, magnitude, greatest = circumstances(y, m, d, hours, lat, lon)
            f.write("%d,%d,%d,%s,%.4f,%.4f,%.4f,%.4f,%.4f\n" % (y, m, d, place, lat, -lon, first, magnitude, greatest))


if __name__ == "__main__":
    main()
