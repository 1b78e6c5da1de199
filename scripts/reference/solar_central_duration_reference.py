#!/usr/bin/python3
"""Writes two reference tables of the solar eclipse tests:

tests/reference/solar_central_duration_reference.csv: the central duration on the central line,
the time between the second and the third contact seen from the point where the shadow axis
meets the Earth, at greatest eclipse (the least distance of the axis from the Earth's centre)
and near both ends of the path (within a minute after the axis first meets the Earth and before
it leaves it, where the Sun is on the horizon), for the total eclipse of 2027 August 2 and the
annular eclipse of 2023 October 14. Columns: date, UT (hours), the point (geodetic latitude,
west longitude, degrees), the second and third contacts there (UT hours) and their difference
in seconds.

tests/reference/solar_eclipse_poles_reference.csv: the local circumstances at the poles and at
89 59' 59" of latitude, longitude 0: the partial eclipse of 2026 August 12 seen from the North
Pole, and none on 2023 October 14 at the South Pole. Columns: place, date, latitude, west
longitude, the contacts and greatest eclipse (UT hours, -1: none), the magnitude (negative: no
eclipse), the obscuration (%) and the Sun's altitude at greatest (degrees, geometric, no
refraction).

Source and geometry: the functions of solar_eclipse_reference.py (Sun: ERFA epv00 with light
time and aberration; Moon: Swiss Ephemeris semo_18.se1, a compression of JPL DE431; the shadow
axis met with the WGS84 ellipsoid; topocentric contacts where the separation of the centres
equals the sum or the difference of the semidiameters, Sun 959.63" at 1 AU and Moon
k = 0.2725076 Earth radii, by bisection to a millisecond), with its Delta T of 66.184 s, the
program's default for 2006-2049. NASA's published circumstances differ by their smaller
k = 0.2722810 for the inner contacts: 6m22.6s at greatest eclipse on 2027 August 2.

Run from the top folder (needs python3-erfa, python3-numpy, libswe2.0, swe-basic-data):
    /usr/bin/python3 scripts/reference/solar_central_duration_reference.py
"""
import os
import sys

sys.path.insert(0, os.path.dirname(__file__))
from common import write_table  # noqa: E402
from solar_eclipse_reference import (Site, axis_start_end, central_point, greatest_ut,  # noqa: E402
                                     local_circumstances)

# Date, UT near greatest eclipse (hours), and the UT (hours, minutes, seconds) at which the path's
# ends are taken: within a minute of the axis's first and last contact with the Earth.
ECLIPSES = [((2027, 8, 2), 10.1, (8, 26, 0), (11, 47, 30)),
            ((2023, 10, 14), 18.0, (16, 12, 30), (19, 46, 30))]
# 89 59' 59" of latitude.
NEAR_POLE = 89 + 59 / 60 + 59 / 3600
# Place, date, latitude, west longitude, UT near greatest eclipse (hours) to search from.
POLES = [
    ("North Pole", (2026, 8, 12), 90.0, 0.0, 17 + 46 / 60),
    ("89 59' 59\" N", (2026, 8, 12), NEAR_POLE, 0.0, 17 + 46 / 60),
    ("South Pole", (2023, 10, 14), -90.0, 0.0, 17 + 59 / 60),
    ("89 59' 59\" S", (2023, 10, 14), -NEAR_POLE, 0.0, 17 + 59 / 60),
]


def whole_seconds(ut):
    return round(ut * 3600) / 3600


def duration_row(what, date, ut):
    lat, lon_w, _ = central_point(date, ut)
    c = local_circumstances(date, lat, lon_w, ut)
    row = [what] + list(date) + [ut, lat, lon_w, c[1], c[3], (c[3] - c[1]) * 3600]
    print(what, date, ["%.5f" % v for v in row[4:]])
    return row


def duration_rows():
    rows = []
    for date, near, start, end in ECLIPSES:
        first, last = axis_start_end(date, near)
        print(date, "axis on the Earth from %.5f to %.5f" % (first, last))
        rows.append(duration_row("greatest", date, whole_seconds(greatest_ut(date, near))))
        for what, (h, m, s) in (("start", start), ("end", end)):
            ut = h + m / 60 + s / 3600
            assert first < ut < last
            rows.append(duration_row(what, date, ut))
    return rows


def pole_rows():
    rows = []
    for name, date, lat, lon_w, near in POLES:
        c = local_circumstances(date, lat, lon_w, near)
        rows.append([name] + list(date) + [lat, lon_w] + c + [Site(date, lat, lon_w).sun_altitude(c[2])])
        print(name, ["%.5f" % v for v in rows[-1][6:]])
    return rows


def main():
    common = ["Delta T 66.184 s. Sun: ERFA epv00; Moon: Swiss Ephemeris semo_18.se1 (JPL DE431);",
              "geometry of solar_eclipse_reference.py (Sun 959.63\", k = 0.2725076, WGS84, height 0)."]
    write_table("solar_central_duration_reference.csv",
                ["Central duration on the central line: the second to the third contact (UT hours) at",
                 "the point where the shadow axis meets the Earth at UT (hours), at greatest eclipse and",
                 "near the path's ends; latitude and west longitude in degrees."] + common,
                ["what", "year", "month", "day", "ut", "latitude", "longitude_west", "c2", "c3", "duration_s"],
                duration_rows())
    write_table("solar_eclipse_poles_reference.csv",
                ["Local circumstances at the poles and at 89 59' 59\", longitude 0: contacts and greatest",
                 "(UT hours, -1: none), magnitude (negative: no eclipse), obscuration %, the Sun's",
                 "geometric altitude at greatest (degrees)."] + common,
                ["place", "year", "month", "day", "latitude", "longitude_west", "c1", "c2", "greatest", "c3", "c4",
                 "magnitude", "obscuration", "sun_altitude"], pole_rows())


if __name__ == "__main__":
    main()
