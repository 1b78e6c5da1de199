#!/usr/bin/python3
"""Writes two tables for the Moon assistant's day table and the 24-hour bar.

tests/reference/moon_table_windows_pyephem.csv: the row of a date of the
DarkHours view (mode 1: the Sun's centre below -18 degrees and the Moon's
upper limb below the horizon with 34' of refraction) or of the Visibility
view (mode 2: the Moon's centre at least 20 degrees high seen from the site,
while the Sun's centre is below -0 deg 50'): the longest such span of the
night that follows the date's daylight (night_spans.py), its start and end
as clock hours, -1 for both when the night has none. Days: the last night
with an astronomical night at 51 N and the first one (the Sun crossing -18
degrees once that day), nights whose Moon climbs above 20 degrees and stays
there past midnight, and an ordinary night of each view.

tests/reference/moon_day_up_pyephem.csv: days on which the Moon's rising or
setting found by the program's engine falls on the neighbouring day: whether
its upper limb is above the horizon (34' of refraction) at 0 h of the local
day, and the crossings within the day in hours after 0 h (-1: none), from
altitudes sampled every 2 minutes and bisected.

Source: PyEphem (Debian python3-ephem, libastro), topocentric places, no
atmosphere (pressure 0).

Run from the top folder:  /usr/bin/python3 scripts/reference/moon_windows_pyephem.py
"""
import math

import ephem

from common import write_table
from night_spans import hours_after, local_midnight, moon_heights, night, observer, spans

# (name, latitude, longitude west-positive, zone minutes with the daylight hour)
G51 = ("51N", 51.0, 0.0, 0)
TOKYO = ("Tokyo", 35.6895, -139.6917, 540)
FAIRBANKS = ("Fairbanks", 64 + 50 / 60, 147 + 43 / 60, -480)
FAIRBANKS_9 = ("Fairbanks-9", 64 + 50 / 60, 147 + 43 / 60, -540)
NORTH_SLOPE = ("71N", 71 + 17 / 60, 156 + 47 / 60, -540)
DATE_LINE_EAST = ("179E", -16.0, -(179 + 59 / 60), 720)

WINDOW_DAYS = [(1, G51, (2027, 5, 24)), (1, G51, (2027, 5, 25)), (1, G51, (2026, 7, 18)),
               (2, G51, (2027, 7, 19)), (2, G51, (2027, 7, 20)), (2, FAIRBANKS, (2027, 9, 14)),
               (2, NORTH_SLOPE, (2027, 10, 13)), (2, NORTH_SLOPE, (2027, 11, 9))]
UP_DAYS = [(TOKYO, (2027, 1, 16)), (TOKYO, (2027, 1, 29)), (NORTH_SLOPE, (2027, 9, 26)),
           (FAIRBANKS_9, (2027, 2, 11)), (FAIRBANKS_9, (2027, 2, 24)), (DATE_LINE_EAST, (2027, 1, 17)),
           (TOKYO, (2027, 1, 20))]


def moon_up(site, moon):
    return float(moon.alt) + float(moon.radius) > math.radians(-34 / 60)


def longest_window(mode, place, date):
    """The longest span of the night after the date's daylight in the mode's frame, as clock hours."""
    if mode == 1:
        bound, moon, up = night(place, date, -18.0), moon_heights(place, 0.0, limb=True), False
    else:
        bound, moon, up = night(place, date), moon_heights(place, 20.0), True
    found = spans(moon, bound[0], bound[1], up=up) if bound else []
    if not found:
        return -1.0, -1.0
    start, end = max(found, key=lambda s: s[1] - s[0])
    return hours_after(place, date, start) % 24, hours_after(place, date, end) % 24


def crossings(place, date):
    site, moon = observer(place), ephem.Moon()
    start = local_midnight(place, date)

    def up(when):
        site.date = when
        moon.compute(site)
        return moon_up(site, moon)
    found, before = [], up(start)
    for k in range(1, 721):
        now = up(ephem.Date(start + 2 * k * ephem.minute))
        if now != before:
            low, high = ephem.Date(start + 2 * (k - 1) * ephem.minute), ephem.Date(start + 2 * k * ephem.minute)
            for _ in range(20):
                middle = ephem.Date((low + high) / 2)
                low, high = (middle, high) if up(middle) == before else (low, middle)
            found.append((low - start) * 24)
        before = now
    return up(start), found


def main():
    rows = []
    for mode, place, date in WINDOW_DAYS:
        start, end = longest_window(mode, place, date)
        rows.append([str(mode), place[0], repr(place[1]), repr(place[2]), str(place[3]), str(date[0]), str(date[1]),
                     str(date[2]), "%.4f" % start, "%.4f" % end])
    write_table("moon_table_windows_pyephem.csv",
                ["The longest time frame of the night after a date's daylight of the Moon assistant's DarkHours",
                 "(mode 1) and Visibility (mode 2) views, as clock hours (-1: none)"],
                ["mode", "site", "latitude", "longitude_west", "zone_min", "year", "month", "day", "start_h",
                 "end_h"], rows, source="PyEphem %s (libastro)" % ephem.__version__)
    rows = []
    for place, date in UP_DAYS:
        up, found = crossings(place, date)
        found += [-1.0] * (2 - len(found))
        rows.append([place[0], repr(place[1]), repr(place[2]), str(place[3]), str(date[0]), str(date[1]),
                     str(date[2]), "1" if up else "0", "%.4f" % found[0], "%.4f" % found[1]])
    write_table("moon_day_up_pyephem.csv",
                ["The Moon's upper limb above the horizon (34' of refraction) at 0 h of the local day, and its",
                 "first two crossings within the day in hours after 0 h (-1: none)"],
                ["site", "latitude", "longitude_west", "zone_min", "year", "month", "day", "up_at_0h", "crossing1_h",
                 "crossing2_h"], rows, source="PyEphem %s (libastro)" % ephem.__version__)


if __name__ == "__main__":
    main()
