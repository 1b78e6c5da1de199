#!/usr/bin/python3
"""Writes tests/reference/flare_daylight_pyephem.csv: the spans of daylight
over the two days of a Flare search (from 0 h of the local date to 0 h two
days later) at sites in polar night, in the midnight sun, where the Sun sets
after local midnight, on a date that holds two sunsets (the night before's
just after midnight, its own just before the next), on a date that holds two
sunrises and on the day after it (at Vardo, 31 degrees east in zone +1 h,
where the short night falls before midnight), and at ordinary
latitudes: one row per span, in hours
after 0 h of the date, cut to the two days; a case without daylight has one
row with start_h = end_h = -1.

Source: PyEphem (Debian python3-ephem, libastro): the Sun's upper limb
against 34' below the horizon (pressure 0), its altitude scanned every 4
minutes and each crossing bisected to a second.

Run from the top folder:  /usr/bin/python3 scripts/reference/flare_daylight_pyephem.py
"""
import ephem

from common import write_table

NORTH_SLOPE = (71 + 17 / 60, 156 + 47 / 60, -540)
FAIRBANKS_SUMMER = (64 + 50 / 60, 147 + 43 / 60, -480)  # zone -9 h with the DayLight box ticked
FAIRBANKS_WINTER = (64 + 50 / 60, 147 + 43 / 60, -540)
BOULDER = (40.015, 105.27, -420)
DATE_LINE_EAST = (-16.0, -(179 + 59 / 60), 720)
VARDO = (70 + 22 / 60, -(31 + 6 / 60), 60)
CASES = [("polar night", NORTH_SLOPE, (2026, 12, 15)), ("midnight sun", NORTH_SLOPE, (2027, 6, 20)),
         ("sets after midnight", NORTH_SLOPE, (2027, 5, 9)), ("sets after midnight", FAIRBANKS_SUMMER, (2027, 6, 20)),
         ("short day", FAIRBANKS_WINTER, (2026, 12, 15)), ("first sunset", NORTH_SLOPE, (2027, 8, 1)),
         ("equinox", BOULDER, (2027, 3, 20)), ("year end", DATE_LINE_EAST, (2027, 12, 31)),
         ("two sunsets", NORTH_SLOPE, (2027, 8, 6)), ("two sunrises", VARDO, (2027, 5, 11)),
         ("two sunrises", VARDO, (2027, 5, 12))]


def daylight(place, date):
    """The spans of daylight within two days from 0 h local of the date, hours after it."""
    lat, lon_west, zone = place
    start = ephem.Date(ephem.Date(date) - zone / 1440.0)
    site = ephem.Observer()
    site.lat, site.lon, site.elevation, site.pressure = str(lat), str(-lon_west), 0, 0
    sun = ephem.Sun()

    def above(hours):
        site.date = ephem.Date(start + hours / 24.0)
        sun.compute(site)
        return float(sun.alt) + float(sun.radius) + 34 / 60 * ephem.degree > 0

    spans, begin, previous = [], (0.0 if above(0.0) else None), above(0.0)
    for k in range(1, 48 * 15 + 1):
        hours = k / 15.0
        now = above(hours)
        if now != previous:
            low, high = hours - 1 / 15.0, hours
            while high - low > 1 / 3600.0:
                middle = (low + high) / 2
                low, high = (middle, high) if above(middle) == previous else (low, middle)
            crossing = (low + high) / 2
            if now:
                begin = crossing
            else:
                spans.append((begin, crossing))
        previous = now
    if begin is not None and previous:
        spans.append((begin, 48.0))
    return spans or [(-1.0, -1.0)]


def main():
    rows = []
    for name, place, date in CASES:
        for start, end in daylight(place, date):
            rows.append([name, repr(place[0]), repr(place[1]), str(place[2]), str(date[0]), str(date[1]),
                         str(date[2]), "%.5f" % start, "%.5f" % end])
    write_table("flare_daylight_pyephem.csv",
                ["Spans of daylight (the Sun's upper limb above 34' below the horizon) within the two days from",
                 "0 h local of the date, in hours after it (48: to the end of the second day); -1 and -1: none"],
                ["case", "latitude", "longitude_west", "zone_min", "year", "month", "day", "start_h", "end_h"],
                rows, source="PyEphem %s (libastro)" % ephem.__version__)


if __name__ == "__main__":
    main()
