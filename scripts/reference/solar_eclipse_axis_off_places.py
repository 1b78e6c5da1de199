#!/usr/bin/python3
"""Writes tests/reference/solar_axis_off_places_reference.csv: local circumstances at places whose
greatest eclipse comes while the shadow axis is off the Earth or about to leave it. Three see a
partial eclipse before the axis meets the Earth or after it has left (2027 August 2); three lie
near the end of a path of totality, where the umbra still covers the place when the axis leaves
the Earth (2027 August 2, 2024 April 8, 2030 November 25).

For each place (latitude degrees north, longitude degrees west, height 0): the universal times
(hours) at which the axis first and last meets the Earth that day, the contacts and greatest
eclipse (UT hours, -1: none) searched from the hour given, the magnitude and the obscuration (%).

Source and geometry: the functions of solar_eclipse_reference.py (ERFA Sun, Swiss Ephemeris Moon
of JPL DE431, topocentric contacts by bisection), with its Delta T of 66.184 s, the program's
default for 2006-2049.

Run from the top folder (needs python3-erfa, python3-numpy, libswe2.0, swe-basic-data):
    /usr/bin/python3 scripts/reference/solar_eclipse_axis_off_places.py
"""
import os
import sys

sys.path.insert(0, os.path.dirname(__file__))
from common import write_table  # noqa: E402
from solar_eclipse_reference import axis_start_end, local_circumstances  # noqa: E402

# Place, date, UT (hours) near greatest eclipse to search from, latitude, west longitude.
PLACES = [
    ("10N 40W", (2027, 8, 2), 10 + 7 / 60, 10.0, 40.0),
    ("20N 30W", (2027, 8, 2), 10 + 7 / 60, 20.0, 30.0),
    ("25S 70E", (2027, 8, 2), 10 + 7 / 60, -25.0, -70.0),
    ("12S 88E", (2027, 8, 2), 10 + 7 / 60, -12.0, -88.0),
    ("47.5N 23.5W", (2024, 4, 8), 18 + 17 / 60, 47.5, 23.5),
    ("27.5S 147.5E", (2030, 11, 25), 6 + 51 / 60, -27.5, -147.5),
]


def main():
    rows = []
    for name, date, near, lat, lon_w in PLACES:
        start, end = axis_start_end(date, near)
        rows.append([name] + list(date) + [lat, lon_w, start, end] + local_circumstances(date, lat, lon_w, near))
        print(name, ["%.5f" % v for v in rows[-1][6:]])
    write_table("solar_axis_off_places_reference.csv",
                ["Local circumstances at height 0 of places whose greatest eclipse comes while the shadow",
                 "axis is off the Earth or leaving it; axis start and end, contacts and greatest in UT hours",
                 "(-1: none), magnitude, obscuration %. Delta T 66.184 s. Sun: ERFA epv00; Moon: Swiss",
                 "Ephemeris semo_18.se1 (JPL DE431); geometry of solar_eclipse_reference.py."],
                ["place", "year", "month", "day", "latitude", "longitude_west", "axis_start_ut", "axis_end_ut",
                 "c1", "c2", "greatest", "c3", "c4", "magnitude", "obscuration"], rows)


if __name__ == "__main__":
    main()
