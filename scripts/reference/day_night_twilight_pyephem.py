#!/usr/bin/python3
"""Writes tests/reference/day_night_twilight_pyephem.csv: the day and night
panel's times for a few sites and dates, in hours of local civil time after
0 h of the date: the Sun's rising and setting (its centre at -0.8333 degree,
34' of refraction and the semi-diameter) of the date and of the day before,
and the mornings and evenings of civil, nautical and astronomical twilight
(the centre at -6, -12 and -18 degrees).

Source: PyEphem (Debian python3-ephem, libastro), an independent almanac
computation (its own VSOP87 Sun, events found by iteration on the altitude),
with no atmosphere model (pressure 0) and the horizon set explicitly.
A Sun that stays above the altitude all day gives rise 0 and set 23.99 (the
program's never-sets values), one that stays below gives 0 and 0.

Run from the top folder:  /usr/bin/python3 scripts/reference/day_night_twilight_pyephem.py
"""
import math

import ephem

from common import write_table

# (name, date, latitude, longitude west-positive, zone minutes)
CASES = [
    ("Greenwich", (2006, 6, 21), 51.4769, 0.0, 60),
    ("Greenwich", (2006, 6, 24), 51.4769, 0.0, 60),
    ("60N", (2006, 6, 15), 60.0, 0.0, 0),
    ("Sydney", (2006, 6, 21), -33.8688, -151.2093, 600),
    ("Quito", (2006, 3, 20), 0.0, 78.5, -300),
    ("Rome", (2006, 12, 21), 41.9, -12.5, 60),
]
ALTITUDES = [-0.8333, -6.0, -12.0, -18.0]


def events(date, lat, lon_west, zone, altitude):
    """Rise and set of the Sun's centre through `altitude` within the local day."""
    obs = ephem.Observer()
    obs.lat = str(lat)
    obs.lon = str(-lon_west)
    obs.elevation = 0
    obs.pressure = 0
    obs.horizon = str(altitude)
    start = ephem.Date(ephem.Date(date) - zone / 1440.0)
    obs.date = start
    sun = ephem.Sun()
    out = []
    for find in (obs.next_rising, obs.next_setting):
        try:
            t = find(sun, start=start, use_center=True)
        except ephem.AlwaysUpError:
            return 0.0, 23.99
        except ephem.NeverUpError:
            return 0.0, 0.0
        out.append((t - start) * 24.0)
    return out[0], out[1]


def main():
    rows = []
    for name, (y, m, d), lat, lon, zone in CASES:
        before = ephem.Date(ephem.Date((y, m, d)) - 1).tuple()[:3]
        row = [name, str(y), str(m), str(d), lat, lon, str(zone)]
        row += list(events(before, lat, lon, zone, ALTITUDES[0]))
        for altitude in ALTITUDES:
            row += list(events((y, m, d), lat, lon, zone, altitude))
        rows.append(row)
    columns = ["site", "year", "month", "day", "latitude", "longitude_west", "zone_min",
               "previous_rise_h", "previous_set_h", "rise_h", "set_h", "civil_rise_h", "civil_set_h",
               "nautical_rise_h", "nautical_set_h", "astronomical_rise_h", "astronomical_set_h"]
    write_table("day_night_twilight_pyephem.csv",
                ["The day and night panel's rise, set and twilight times, local hours (see the script)."],
                columns, rows, source="python3-ephem %s" % ephem.__version__)


main()
