#!/usr/bin/python3
"""Writes two tables of nights for the Moon assistant's day tables, the home screen's night line
and the Day/Night panel's astronomical pair.

tests/reference/moon_visibility_2027_pyephem.csv: for every local date of 2027 at Fairbanks,
Denver, Ushuaia, Reykjavik and Sydney (its zone with the daylight hour), and from November 2027 to
January 2028 at 71 17' N 156 47' W (its polar night), the Visibility row of the date: within the
night that follows the date's daylight (night_spans.py), the longest span during which the
Moon's centre, seen from the site (topocentric, no atmosphere), stands at least 20 degrees high;
its start and end in hours after 0 h of the date (-1 when there is none), its length in minutes,
the next longest span (-1 when none), the Moon's highest altitude in the night (-99 when the Sun
does not set), and for each edge whether another crossing of the body that sets it (the Sun at
-0 deg 50', or the Moon at 20 degrees) lies within two hours of it (1: the body is up or down for
less than two hours there).

tests/reference/dark_nights_2027_pyephem.csv: the first and last three weeks of astronomical night
in 2027 (and three dates past each end) at 60 N 25 E (+2 h and the daylight hour), Fairbanks,
71 17' N 156 47' W and 64 S 57 W: the Sun's centre crossing -18 degrees within the local date
(the earliest rising and the latest setting, hours after 0 h, -1 for none, the number of each
kind, and the two-hour flag of each), and the dark span of the night that follows the date's
daylight: the Sun's centre below -18 degrees and the Moon's upper limb below the horizon (34' of
refraction), the longest such span of the night, with which body sets each edge (1: the Moon)
and its two-hour flag, and the next longest span.

Source: PyEphem (Debian python3-ephem, libastro), pressure 0.

Run from the top folder:  /usr/bin/python3 scripts/reference/moon_nights_pyephem.py
"""
import ephem

from common import write_table
from night_spans import (crossings, highest, hours_after, local_midnight, moon_heights, near_crossing, night,
                         spans, sun_heights, SUN_DOWN)

FAIRBANKS = ("Fairbanks", 64 + 50 / 60, 147 + 43 / 60, -540)
DENVER = ("Denver", 39.74, 104.99, -420)
USHUAIA = ("Ushuaia", -(54 + 48 / 60), 68 + 18 / 60, -180)
REYKJAVIK = ("Reykjavik", 64 + 9 / 60, 21 + 57 / 60, 0)
SYDNEY = ("Sydney", -33.87, -151.21, 660)
NORTH_SLOPE = ("71N", 71 + 17 / 60, 156 + 47 / 60, -540)
HELSINKI = ("60N25E", 60.0, -25.0, 180)
ANTARCTIC = ("64S57W", -64.0, 57.0, -180)

VISIBILITY_SITES = [FAIRBANKS, DENVER, USHUAIA, REYKJAVIK, SYDNEY]
DARK_SITES = [HELSINKI, FAIRBANKS, NORTH_SLOPE, ANTARCTIC]


def dates(first, count):
    start = ephem.Date(first)
    return [ephem.Date(start + k).tuple()[:3] for k in range(count)]


def place_columns(place, date):
    return [place[0], repr(place[1]), repr(place[2]), str(place[3]), str(date[0]), str(date[1]), str(date[2])]


def hours(place, date, when):
    return "%.4f" % hours_after(place, date, when) if when is not None else "-1.0000"


def flag(value):
    return "1" if value else "0"


def edge_short(place, bound, when, body_heights):
    """Two-hour flag of a span's edge: by the Sun where it is the night's edge, else by the body."""
    by_sun = any(abs(when - b) < 2 * ephem.second for b in bound)
    heights = sun_heights(place, bound.altitude) if by_sun else body_heights
    return by_sun, near_crossing(heights, when)


class Bound(tuple):
    """A night's (start, end) with the Sun's altitude that bounds it."""

    def __new__(cls, span, altitude):
        self = super().__new__(cls, span)
        self.altitude = altitude
        return self


def longest_two(found):
    ordered = sorted(found, key=lambda s: s[1] - s[0], reverse=True)
    return (ordered + [None, None])[:2]


def span_columns(place, date, bound, span, body_heights):
    if span is None:
        return ["-1.0000", "-1.0000", "0", "0", "0", "0", "0"]
    start_by_sun, start_short = edge_short(place, bound, span[0], body_heights)
    end_by_sun, end_short = edge_short(place, bound, span[1], body_heights)
    return [hours(place, date, span[0]), hours(place, date, span[1]), "%.1f" % ((span[1] - span[0]) * 1440),
            flag(not start_by_sun), flag(not end_by_sun), flag(start_short), flag(end_short)]


def second_columns(place, date, span):
    return [hours(place, date, span[0]), hours(place, date, span[1])] if span else ["-1.0000", "-1.0000"]


def visibility_row(place, date):
    n = night(place, date)
    moon = moon_heights(place, 20.0)
    if n is None:
        return place_columns(place, date) + span_columns(place, date, None, None, moon) + \
            second_columns(place, date, None) + ["-99.00"]
    bound = Bound(n, SUN_DOWN)
    first, second = longest_two(spans(moon, n[0], n[1], up=True))
    return place_columns(place, date) + span_columns(place, date, bound, first, moon) + \
        second_columns(place, date, second) + ["%.2f" % (20.0 + highest(moon, n[0], n[1]))]


def twilight_columns(place, date):
    """The date's earliest rising and latest setting of the Sun's centre through -18 degrees."""
    sun = sun_heights(place, -18.0)
    start = local_midnight(place, date)
    found = [c for c in crossings(sun, start, ephem.Date(start + 1)) if c[0] < start + 1]
    rises = [t for t, rising in found if rising]
    sets = [t for t, rising in found if not rising]
    rise = min(rises) if rises else None
    set_ = max(sets) if sets else None
    return [hours(place, date, rise), hours(place, date, set_), str(len(rises)), str(len(sets)),
            flag(rise is not None and near_crossing(sun, rise)), flag(set_ is not None and near_crossing(sun, set_))]


def dark_row(place, date):
    n = night(place, date, -18.0)
    moon = moon_heights(place, 0.0, limb=True)
    columns = place_columns(place, date) + twilight_columns(place, date)
    if n is None:
        return columns + span_columns(place, date, None, None, moon) + second_columns(place, date, None)
    first, second = longest_two(spans(moon, n[0], n[1], up=False))
    return columns + span_columns(place, date, Bound(n, -18.0), first, moon) + second_columns(place, date, second)


def has_dark(place, date):
    """Whether the Sun's centre goes below -18 degrees at its lower culmination after the date's noon."""
    site = sun_heights(place, -18.0)
    start = local_midnight(place, date)
    anti = site.site.next_antitransit(ephem.Sun(), start=ephem.Date(start + 0.5))
    return site(anti) < 0


def season_edges(place):
    """Dates of 2027 at the ends of the astronomical night's season: the 21 dark dates on the dark
    side of each change and 3 on the other."""
    days = dates((2026, 12, 31), 367)
    dark = [has_dark(place, d) for d in days]
    chosen = set()
    for k in range(1, len(days)):
        if dark[k] == dark[k - 1]:
            continue
        inside = range(k, k + 21) if dark[k] else range(k - 21, k)
        outside = range(k - 3, k) if dark[k] else range(k, k + 3)
        chosen.update(j for j in list(inside) + list(outside) if 1 <= j < len(days) - 1)
    return [days[j] for j in sorted(chosen)]


def main():
    columns = ["site", "latitude", "longitude_west", "zone_min", "year", "month", "day"]
    span_names = ["start_h", "end_h", "length_min", "start_by_moon", "end_by_moon", "start_short", "end_short",
                  "start2_h", "end2_h"]
    rows = []
    for place in VISIBILITY_SITES:
        rows += [visibility_row(place, d) for d in dates((2027, 1, 1), 365)]
    rows += [visibility_row(NORTH_SLOPE, d) for d in dates((2027, 11, 1), 92)]
    write_table("moon_visibility_2027_pyephem.csv",
                ["The Moon assistant's Visibility rows: the longest span of the night after each date's daylight",
                 "with the Moon's centre at least 20 degrees high (topocentric), hours after 0 h of the date"],
                columns + span_names + ["highest_deg"], rows, source="PyEphem %s (libastro)" % ephem.__version__)
    rows = []
    for place in DARK_SITES:
        rows += [dark_row(place, d) for d in season_edges(place)]
    write_table("dark_nights_2027_pyephem.csv",
                ["The Sun's -18 degree crossings within each local date (earliest rising, latest setting) and the",
                 "longest dark span (Sun below -18, Moon's upper limb down) of the night after the date's daylight"],
                columns + ["astro_rise_h", "astro_set_h", "astro_rises", "astro_sets", "rise_short", "set_short"] +
                span_names, rows, source="PyEphem %s (libastro)" % ephem.__version__)


if __name__ == "__main__":
    main()
