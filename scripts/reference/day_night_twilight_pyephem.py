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

Also tests/reference/day_night_local_day_pyephem.csv: the panel of the local
date at the issue's sites and clock times: the Sun's day (day_h), the
daylight that holds its transit of the date, from the rising before the
transit to the setting after it (carried past midnight), at most 24 h (24
when it stays up, 0 when it stays down), the same for the day before
(previous_day_h), and the twilights' risings and settings that fall on the
date (-1 when none does). And day_night_night_before_midnight_pyephem.csv,
the same columns east of the zone's meridian in the weeks where the short
night falls wholly before midnight (the date's rising is then the evening's,
which begins the next day's daylight).

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


def sun_observer(lat, lon_west, altitude):
    obs = ephem.Observer()
    obs.lat = str(lat)
    obs.lon = str(-lon_west)
    obs.elevation = 0
    obs.pressure = 0
    obs.horizon = str(altitude)
    return obs


def events(date, lat, lon_west, zone, altitude):
    """Rise and set of the Sun's centre through `altitude` within the local day."""
    obs = sun_observer(lat, lon_west, altitude)
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


# (name, date, clock time, latitude, longitude west-positive, zone minutes)
LOCAL_DAY_CASES = [
    ("Fairbanks", (2027, 3, 20), (12, 0), 64.84, 147.72, -540),
    ("Fairbanks", (2027, 3, 20), (20, 0), 64.84, 147.72, -540),
    ("Denver", (2027, 9, 22), (10, 0), 39.74, 104.99, -420),
    ("Denver", (2027, 9, 22), (19, 30), 39.74, 104.99, -420),
    ("Sydney", (2027, 3, 5), (7, 30), -33.87, -151.21, 660),
    ("Sydney", (2027, 3, 5), (14, 0), -33.87, -151.21, 660),
    ("Fairbanks", (2027, 6, 20), (22, 2), 64.84, 147.72, -480),
    ("71N", (2027, 6, 20), (12, 0), 71.2833, 156.7833, -540),
    ("71N", (2026, 12, 15), (12, 0), 71.2833, 156.7833, -540),
    ("Denver", (2027, 6, 20), (12, 0), 39.74, 104.99, -420),
]


def daylight(date, lat, lon_west, zone):
    """Hours of the daylight that holds the Sun's transit of the local date, at most 24."""
    obs = sun_observer(lat, lon_west, ALTITUDES[0])
    start = ephem.Date(ephem.Date(date) - zone / 1440.0)
    sun = ephem.Sun()
    transit = obs.next_transit(sun, start=start)
    assert transit < start + 1, "no transit on the date"
    obs.date = transit
    sun.compute(obs)
    if math.degrees(sun.alt) < ALTITUDES[0]:
        return 0.0
    try:
        rise = obs.previous_rising(sun, start=transit, use_center=True)
        set_ = obs.next_setting(sun, start=transit, use_center=True)
    except ephem.AlwaysUpError:
        return 24.0
    return min(24.0, (set_ - rise) * 24.0)


def on_the_date(date, lat, lon_west, zone, altitude):
    """Hours after 0 h of the rising and the setting through `altitude` on the local date, -1 for none."""
    obs = sun_observer(lat, lon_west, altitude)
    start = ephem.Date(ephem.Date(date) - zone / 1440.0)
    out = []
    for find in (obs.next_rising, obs.next_setting):
        try:
            t = find(ephem.Sun(), start=start, use_center=True)
            out.append((t - start) * 24.0 if t < start + 1 else -1.0)
        except (ephem.AlwaysUpError, ephem.NeverUpError):
            out.append(-1.0)
    return out


# East of the zone's meridian, short nights wholly before midnight: 71 S 10 E
# at the end (January) and start (November) of its midnight sun, Tromso on
# standard time at the end of its midnight sun.
NIGHT_BEFORE_MIDNIGHT_CASES = [
    ("71S10E", (2027, 1, 28), (12, 0), -71.0, -10.0, 0),
    ("71S10E", (2027, 1, 29), (12, 0), -71.0, -10.0, 0),
    ("71S10E", (2027, 1, 30), (12, 0), -71.0, -10.0, 0),
    ("71S10E", (2027, 11, 13), (12, 0), -71.0, -10.0, 0),
    ("Tromso", (2027, 7, 26), (21, 0), 69.65, -18.96, 60),
    ("Tromso", (2027, 7, 27), (21, 0), 69.65, -18.96, 60),
]


def local_days(cases, name):
    rows = []
    for site, (y, m, d), (hour, minute), lat, lon, zone in cases:
        before = ephem.Date(ephem.Date((y, m, d)) - 1).tuple()[:3]
        row = [site, str(y), str(m), str(d), str(hour), str(minute), lat, lon, str(zone),
               daylight((y, m, d), lat, lon, zone), daylight(before, lat, lon, zone)]
        for altitude in ALTITUDES[1:]:
            row += on_the_date((y, m, d), lat, lon, zone, altitude)
        rows.append(row)
    columns = ["site", "year", "month", "day", "hour", "minute", "latitude", "longitude_west", "zone_min",
               "day_h", "previous_day_h", "civil_rise_h", "civil_set_h", "nautical_rise_h", "nautical_set_h",
               "astronomical_rise_h", "astronomical_set_h"]
    write_table(name,
                ["The day and night panel of the local date: day lengths and twilights, local hours (see the script)."],
                columns, rows, source="python3-ephem %s" % ephem.__version__)


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
    local_days(LOCAL_DAY_CASES, "day_night_local_day_pyephem.csv")
    local_days(NIGHT_BEFORE_MIDNIGHT_CASES, "day_night_night_before_midnight_pyephem.csv")


main()
