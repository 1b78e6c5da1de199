#!/usr/bin/python3
"""Writes tests/reference/solar_eclipse_night_side_pyephem.csv: the partial phase of the
solar eclipse of 2027 August 2 at places on both sides of the Earth. For each place
(latitude degrees north, longitude degrees west): the UT (hours) of the first and the last
contact, the greatest magnitude (the part of the Sun's diameter covered) and its UT, and the
Sun's altitude (degrees, no refraction) at the first and the last contact and its highest
between them. The contacts are geometric: on the night side the limbs meet behind the Earth.

Source: PyEphem (Debian python3-ephem, libastro): VSOP87 Sun, its Moon theory, apparent
topocentric places at height 0 m, no refraction; 20-second steps from 5 h before to 5 h
after the eclipse's greatest (NASA's eclipse pages: 10:07 UT).

Run from the top folder:  /usr/bin/python3 scripts/reference/solar_eclipse_night_side_pyephem.py
(needs python3-ephem and python3-erfa)
"""
import math

import ephem

from common import pyephem_site, sun_moon_steps

OUT = "tests/reference/solar_eclipse_night_side_pyephem.csv"
GREATEST = 10 + 7 / 60
# place, latitude, east longitude
# (the Sun sets during the eclipse at Padang and rises during it at 60W 50N)
PLACES = [("London", 51.5074, -0.1278), ("Padang", -0.95, 100.35), ("60W 50N", 50.0, -60.0),
          ("150E 30S", -30.0, 150.0), ("160E 10S", -10.0, 160.0), ("130E 35S", -35.0, 130.0)]


def partial_phase(lat, lon):
    day = float(ephem.Date((2027, 8, 2, 0, 0, 0)))
    inside = []
    for when, sun, moon in sun_moon_steps(pyephem_site(lat, lon), day + GREATEST / 24.0, range(-900, 901), 20):
        magnitude = (sun.radius + moon.radius - ephem.separation(sun, moon)) / (2 * sun.radius)
        if magnitude > 0:
            inside.append(((when - day) * 24, magnitude, math.degrees(sun.alt)))
    greatest = max(inside, key=lambda s: s[1])
    return (inside[0][0], inside[-1][0], greatest[1], greatest[0], inside[0][2], inside[-1][2],
            max(s[2] for s in inside))


def main():
    with open(OUT, "w") as f:
        f.write("# Partial phase of the solar eclipse of 2027-08-02: contacts (UT hours), greatest magnitude\n")
        f.write("# and its UT, the Sun's altitude (deg) at the contacts and its highest between them,\n")
        f.write("# PyEphem %s (libastro), topocentric, height 0 m, no refraction, 20-second steps;\n"
                % ephem.__version__)
        f.write("# written by scripts/reference/solar_eclipse_night_side_pyephem.py\n")
        f.write("year,month,day,place,latitude,longitude_west,first_contact_ut,last_contact_ut,magnitude,greatest_ut,"
                "sun_alt_first,sun_alt_last,sun_alt_highest\n")
        for place, lat, lon in PLACES:
            f.write("2027,8,2,%s,%.4f,%.4f,%.4f,%.4f,%.4f,%.4f,%.1f,%.1f,%.1f\n"
                    % (place, lat, -lon, *partial_phase(lat, lon)))


if __name__ == "__main__":
    main()
