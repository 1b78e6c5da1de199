#!/usr/bin/python3
"""Writes tests/reference/rise_set_pyephem.csv: rising, transit and setting of
the Sun and the Moon, and the end of the evening astronomical twilight, in
hours of local civil time after 0 h of the date, at sites from 34 S to 65 N.

Source: PyEphem (Debian python3-ephem, libastro), an independent almanac
computation: its own VSOP87 Sun and ELP Moon, topocentric places, events found
by iteration on the true altitude. Definitions as the program's:
  - Sun: rising and setting of the upper limb with 34' of refraction (the centre
    at -0.8333 degree); twilight end: the centre setting through -18 degrees
    (23.99 when the Sun stays above -18 all night);
  - Moon: the upper limb of the topocentric Moon with 34' of refraction;
  - transit: the upper culmination.
No atmosphere model (pressure 0), the horizon set explicitly.

Also tests/reference/moon_rise_set_month_pyephem.csv: for every day of April
2024 at Boston, the first moonrise and moonset after 0 h local, in hours after
it (above 24 when the day has none).

And tests/reference/rise_set_date_line_pyephem.csv: the Sun and the Moon at
sites near the date line whose zone puts local midnight far from their own
(Auckland in summer time, +13 h at 174.8 E; Suva, +12 h at 178.4 E), on days
when the day's events were once reported as those of the day before.

And, for the Moon assistant's day tables at sites on the Greenwich meridian
in zone 0:
  - tests/reference/moon_rise_set_jan2024_51n_pyephem.csv: for the 34 days
    from 2024-01-01 at 51 N, the Moon's rising and setting within the day, in
    hours after 0 h (-1 when the day has none);
  - tests/reference/dark_hours_sep2024_45n_pyephem.csv: for the 34 nights
    from 2024-09-01 at 45 N, the dark windows found by a one-minute scan from
    12 h of the day to 12 h of the next: the Sun's centre below -18 degrees
    and the Moon's upper limb below the horizon with 34' of refraction; the
    number of windows and the first one's start and end as clock hours.

And tests/reference/never_events_pyephem.csv: days on which a body never
rises or never sets, with their neighbours and a mid-latitude site, for the
screens that show rise, transit and set: each event that falls within the
local day [0 h, 24 h) in hours after 0 h, -1 where PyEphem has none that day
(always or never up, or the next one after 24 h); the transit is the upper
culmination, below the horizon for a body that never rises. Groups: "home"
(the Sun, its twilight end and the Moon at 71 17' N 156 47' W in polar night,
the pole in December and June, Fairbanks in June, a Moon day up and one down
at 71 17' N, Tokyo); "moon" (the Moon at 71 17' N on five days up and five
down in March 2027, Tokyo); "planets" (the Sun, the Moon and the eight
planets at Fairbanks on 2026-12-15 with the horizon preference at 10
degrees, Tokyo with 0); "star" (Canopus and Capella from their J2000 places
at 51 N and Tokyo). Fixed-place bodies (planets, stars) take the program's
horizon for a fixed place: the preference less 0.61 degree, no refraction;
the planets' places move with time as PyEphem computes them.

And tests/reference/limit_days_pyephem.csv, in the same columns: local days
at the day's limits, the events found by scanning the altitude (4-minute
steps, then bisection) rather than by PyEphem's rising and setting search,
which misses some crossings of a body near its limit. Groups: "moon" (days
on which the Moon has no upper transit, its culmination falling just after
midnight, and the days after, at Tokyo, 71 17' N (-9 h), Fairbanks and
179 59' E (+12 h)); "home" (the Sun's row then the Moon's: a sunset and an
end of the night just after midnight, and days whose moonrise falls just
after midnight, at 71 17' N, Fairbanks, Tokyo and 179 59' E); "engine" (the
Sun's and the Moon's crossings at the pole, a Moon that dips below the
horizon for 52 minutes and one up for 44, a Sun that stops 0.01 degree short
of rising, at 71 17' N and Fairbanks); "short" (the Sun up or down for minutes at either end of
the polar night and of the midnight sun, between 67 and 72 degrees of either latitude).

Run from the top folder:  /usr/bin/python3 scripts/reference/rise_set_pyephem.py
"""
import math

import ephem

from common import write_table

OUT = "tests/reference/rise_set_pyephem.csv"

# (body 0 Sun / 1 Moon, date, latitude, longitude west-positive, zone minutes)
CASES = [
    (0, (2024, 4, 15), 42.3601, 71.0589, -240),    # Boston, spring
    (0, (2024, 7, 10), -33.8688, -151.2093, 600),  # Sydney, winter
    (0, (2024, 6, 1), 64.8378, 147.7164, -480),    # Fairbanks, early summer: no astronomical night
    (0, (2024, 12, 15), 64.8378, 147.7164, -540),  # Fairbanks, four hours of day
    (0, (2030, 9, 22), 48.85, -2.35, 120),         # Paris, equinox
    (1, (2024, 4, 8), 42.3601, 71.0589, -240),
    (1, (2024, 9, 4), 48.85, -2.35, 120),
    (1, (2025, 1, 3), -33.8688, -151.2093, 660),
    (1, (2024, 3, 9), 64.8378, 147.7164, -480),      # rising steeply
    (1, (2024, 10, 3), 64.8378, 147.7164, -480),     # a low Moon, slow to rise and set
]

DATE_LINE_CASES = [
    (0, (2024, 3, 22), -36.8485, -174.7633, 780),  # Auckland, summer time
    (0, (2024, 3, 28), -36.8485, -174.7633, 780),
    (0, (2024, 4, 4), -36.8485, -174.7633, 780),
    (0, (2024, 3, 22), -18.1416, -178.4419, 720),  # Suva
    (1, (2024, 3, 13), -36.8485, -174.7633, 780),
    (1, (2024, 3, 15), -36.8485, -174.7633, 780),
]


def hours_after(start, when):
    return (ephem.Date(when) - start) * 24.0


def next_events(body_kind, date, lat, lon_west, zone):
    """Hours from 0 h local of the date to the next rising, transit and setting."""
    y, m, d = date
    start = ephem.Date(ephem.Date((y, m, d)) - zone / 1440.0)  # 0 h local, in UT
    site = ephem.Observer()
    site.lat, site.lon = str(lat), str(-lon_west)
    site.elevation = 0
    site.pressure = 0
    site.horizon = "-0:34"
    site.date = start
    body = ephem.Sun() if body_kind == 0 else ephem.Moon()
    rise = hours_after(start, site.next_rising(body))
    site.date = start
    transit = hours_after(start, site.next_transit(body))
    site.date = start
    setting = hours_after(start, site.next_setting(body))
    return start, site, body, rise, transit, setting


def event_times(body_kind, date, lat, lon_west, zone):
    start, site, body, rise, transit, setting = next_events(body_kind, date, lat, lon_west, zone)
    twilight = 0.0
    if body_kind == 0:
        site.horizon = "-18"
        site.date = start
        try:
            twilight = hours_after(start, site.next_setting(body, use_center=True))
        except ephem.AlwaysUpError:
            twilight = 23.99
    for value in (rise, transit, setting):
        if not 0 <= value < 24:
            raise SystemExit(f"event outside the day: {body_kind} {date} {value}")
    return rise, transit, setting, twilight


def write_cases(path, cases):
    lines = ["body,year,month,day,latitude,longitude_west,zone_min,rise_h,transit_h,set_h,twilight_end_h"]
    for body, date, lat, lon, zone in cases:
        rise, transit, setting, twilight = event_times(body, date, lat, lon, zone)
        lines.append(f"{body},{date[0]},{date[1]},{date[2]},{lat},{lon},{zone},"
                     f"{rise:.6f},{transit:.6f},{setting:.6f},{twilight:.6f}")
    with open(path, "w") as f:
        f.write("\n".join(lines) + "\n")


def main():
    write_cases(OUT, CASES)
    write_cases("tests/reference/rise_set_date_line_pyephem.csv", DATE_LINE_CASES)
    lines = ["year,month,day,latitude,longitude_west,zone_min,rise_h,set_h"]
    for day in range(1, 31):
        _, _, _, rise, _, setting = next_events(1, (2024, 4, day), 42.3601, 71.0589, -240)
        lines.append(f"2024,4,{day},42.3601,71.0589,-240,{rise:.6f},{setting:.6f}")
    with open("tests/reference/moon_rise_set_month_pyephem.csv", "w") as f:
        f.write("\n".join(lines) + "\n")
    moon_days_51n()
    dark_windows_45n()
    never_events()
    limit_days()


def day_events(site, body, start):
    """First rising and setting of the body in [start, start + 1 day), hours after start, -1 for none."""
    def first(finder):
        site.date = start
        when = finder(body)
        hours = hours_after(start, when)
        return hours if hours < 24 else -1.0
    return first(site.next_rising), first(site.next_setting)


def greenwich_site(lat):
    site = ephem.Observer()
    site.lat, site.lon = str(lat), "0"
    site.elevation = 0
    site.pressure = 0
    site.horizon = "-0:34"
    return site


def moon_days_51n():
    site = greenwich_site(51.0)
    lines = ["year,month,day,rise_h,set_h"]
    for k in range(34):
        start = ephem.Date(ephem.Date((2024, 1, 1)) + k)
        y, m, d = start.tuple()[:3]
        rise, setting = day_events(site, ephem.Moon(), start)
        lines.append(f"{y},{m},{d},{rise:.6f},{setting:.6f}")
    with open("tests/reference/moon_rise_set_jan2024_51n_pyephem.csv", "w") as f:
        f.write("\n".join(lines) + "\n")


def is_dark(site, sun, moon, when):
    site.date = when
    sun.compute(site)
    moon.compute(site)
    moon_up = float(moon.alt) + float(moon.radius) > -34.0 / 60.0 * ephem.degree
    return float(sun.alt) < -18.0 * ephem.degree and not moon_up


def dark_windows_45n():
    site = greenwich_site(45.0)
    sun, moon = ephem.Sun(), ephem.Moon()
    lines = ["year,month,day,windows,start_h,end_h"]
    for k in range(34):
        noon = ephem.Date(ephem.Date((2024, 9, 1, 12)) + k)
        y, m, d = noon.tuple()[:3]
        windows, current = [], None
        for minute in range(24 * 60 + 1):
            when = ephem.Date(noon + minute * ephem.minute)
            if is_dark(site, sun, moon, when):
                if current is None:
                    current = [minute, minute]
                current[1] = minute
            elif current is not None:
                windows.append(current)
                current = None
        if current is not None:
            windows.append(current)
        # A crossing lies between the last minute on one side and the first on the other.
        start, end = (-1.0, -1.0)
        if windows:
            start = (12 + (windows[0][0] - 0.5) / 60.0) % 24
            end = (12 + (windows[0][1] + 0.5) / 60.0) % 24
        lines.append(f"{y},{m},{d},{len(windows)},{start:.4f},{end:.4f}")
    with open("tests/reference/dark_hours_sep2024_45n_pyephem.csv", "w") as f:
        f.write("\n".join(lines) + "\n")


# Sites: latitude, longitude west-positive, zone minutes (daylight saving included)
NORTH_SLOPE = (71 + 17 / 60, 156 + 47 / 60, -540)
POLE = (90.0, 0.0, 0)
FAIRBANKS = (64 + 50 / 60, 147 + 43 / 60, -480)  # zone -9 h with the DayLight box ticked
TOKYO = (35.6895, -139.6917, 540)
GREENWICH_51N = (51.0, 0.0, 0)
PLANETS = [ephem.Mercury, ephem.Venus, ephem.Mars, ephem.Jupiter, ephem.Saturn, ephem.Uranus, ephem.Neptune,
           ephem.Pluto]
# J2000 places (hours, degrees), SIMBAD
STARS = {10: ("Canopus", 6.399197, -52.695661), 11: ("Capella", 5.278155, 45.998029)}
SUN_MOON_DAYS = [(NORTH_SLOPE, (2026, 12, 15)), (POLE, (2026, 12, 15)), (POLE, (2027, 6, 20)),
                 (FAIRBANKS, (2027, 6, 15)), (NORTH_SLOPE, (2027, 3, 15)), (NORTH_SLOPE, (2027, 3, 28)),
                 (TOKYO, (2026, 12, 15))]
MOON_DAYS = [(NORTH_SLOPE, (2027, 3, d)) for d in (13, 14, 15, 16, 17, 26, 27, 28, 29, 30)] + [(TOKYO, (2027, 3, 15))]


def within_day(site, start, finder, body, **kwargs):
    """Hours after start of the next event found by finder, -1 when none falls within the day."""
    site.date = start
    try:
        hours = (finder(body, **kwargs) - start) * 24.0
    except (ephem.AlwaysUpError, ephem.NeverUpError):
        return -1.0
    return hours if hours < 24.0 else -1.0


def day_row(group, body_code, place, date, horizon=0.0):
    """One row: the body's rising, transit and setting within the local day (and the Sun's twilight end)."""
    lat, lon_west, zone = place
    start = ephem.Date(ephem.Date(date) - zone / 1440.0)
    site = ephem.Observer()
    site.lat, site.lon, site.elevation, site.pressure = str(lat), str(-lon_west), 0, 0
    centre = body_code >= 2
    if body_code == 0:
        body = ephem.Sun()
    elif body_code == 1:
        body = ephem.Moon()
    elif body_code in STARS:
        body = ephem.FixedBody()
        body._ra, body._dec = math.radians(STARS[body_code][1] * 15), math.radians(STARS[body_code][2])
        body._epoch = ephem.J2000
    else:
        body = PLANETS[body_code - 2]()
    site.horizon = math.radians(horizon - 0.61) if centre else "-0:34"
    rise = within_day(site, start, site.next_rising, body, use_center=centre)
    setting = within_day(site, start, site.next_setting, body, use_center=centre)
    transit = within_day(site, start, site.next_transit, body)
    night = -1.0
    if body_code == 0:
        site.horizon = "-18"
        night = within_day(site, start, site.next_setting, body, use_center=True)
    return [group, str(body_code), str(date[0]), str(date[1]), str(date[2]), repr(lat), repr(lon_west), str(zone),
            repr(horizon), "%.5f" % rise, "%.5f" % transit, "%.5f" % setting, "%.5f" % night]


def never_events():
    rows = []
    for place, date in SUN_MOON_DAYS:
        rows += [day_row("home", 0, place, date), day_row("home", 1, place, date)]
    rows += [day_row("moon", 1, place, date) for place, date in MOON_DAYS]
    for place, horizon in ((FAIRBANKS, 10.0), (TOKYO, 0.0)):
        rows += [day_row("planets", body, place, (2026, 12, 15), horizon) for body in range(10)]
    for place in (GREENWICH_51N, TOKYO):
        rows += [day_row("star", body, place, (2026, 12, 15)) for body in STARS]
    write_table("never_events_pyephem.csv",
                ["Rising, transit and setting within the local day (hours after 0 h, -1: none that day) of days",
                 "on which a body never rises or never sets, and of Tokyo; body 0 Sun (night_h: the end of the",
                 "astronomical twilight), 1 Moon, 2 Mercury .. 9 Pluto, 10 Canopus, 11 Capella; horizon: the",
                 "horizon preference of a fixed place (its events at the preference less 0.61 degree)"],
                ["group", "body", "year", "month", "day", "latitude", "longitude_west", "zone_min", "horizon",
                 "rise_h", "transit_h", "set_h", "night_h"], rows, source="PyEphem %s (libastro)" % ephem.__version__)


DATE_LINE_EAST = (-16.0, -(179 + 59 / 60), 720)
LIMIT_MOON_DAYS = [(TOKYO, (2027, 1, 22)), (TOKYO, (2027, 1, 23)), (NORTH_SLOPE, (2027, 3, 20)),
                   (NORTH_SLOPE, (2027, 3, 21)), (FAIRBANKS, (2027, 7, 15)), (DATE_LINE_EAST, (2027, 7, 18)),
                   (DATE_LINE_EAST, (2027, 7, 19))]
# (place, body 0 Sun / 1 Moon, date): crossings at the pole, a Moon that dips below the horizon for 52
# minutes, a Sun that stops 0.01 degree short of it, a Moon up for 44 minutes
LIMIT_ENGINE_DAYS = [(POLE, 1, (2027, 1, 13)), (POLE, 1, (2027, 1, 25)), (POLE, 0, (2027, 3, 18)),
                     (POLE, 0, (2027, 9, 25)), (NORTH_SLOPE, 1, (2027, 3, 18)), (NORTH_SLOPE, 0, (2027, 1, 22)),
                     (FAIRBANKS, 1, (2027, 6, 20))]
# (place, date): a Sun up for minutes about noon on the first days after the polar night, or down for
# minutes about midnight on the last days of the midnight sun, where one of its two crossings was missed;
# on the last day it stops just short of rising (none that day)
LIMIT_SHORT_DAYS = [((71 + 17 / 60, -(179 + 59 / 60), 720), (2027, 1, 23)), ((68.0, 70.0, -300), (2027, 1, 3)),
                    ((-68.0, -170.0, 660), (2027, 7, 5)), ((-70.0, 0.0, 0), (2027, 7, 19)),
                    ((67.0, 10.0, -60), (2027, 7, 10)), ((72.0, -110.0, 420), (2027, 8, 4)),
                    ((68.0, -70.0, 300), (2027, 1, 3))]
LIMIT_HOME_DAYS = [(NORTH_SLOPE, (2027, 5, 6)), (FAIRBANKS, (2027, 3, 30)), (TOKYO, (2027, 1, 29)),
                   (DATE_LINE_EAST, (2027, 3, 30))]


def first_crossings(site, body, start, centre):
    """Hours after start of the first rising and setting within the day (-1: none), from the altitude of the
    upper limb (or the centre) against the site's horizon, sampled every 4 minutes and bisected."""
    def above(when):
        site.date = when
        body.compute(site)
        return float(body.alt) + (0.0 if centre else float(body.radius)) - float(site.horizon)
    found = {True: -1.0, False: -1.0}  # rising, setting
    previous = above(start)
    for k in range(1, 361):
        when = ephem.Date(start + k * 4 * ephem.minute)
        now = above(when)
        rising = previous < 0 <= now
        if (previous < 0) != (now < 0) and found[rising] < 0:
            low, high = ephem.Date(when - 4 * ephem.minute), when
            for _ in range(24):
                middle = ephem.Date((low + high) / 2)
                if (above(middle) < 0) == (previous < 0):
                    low = middle
                else:
                    high = middle
            found[rising] = ((low + high) / 2 - start) * 24.0
        previous = now
    return found[True], found[False]


def limit_row(group, body_code, place, date):
    lat, lon_west, zone = place
    start = ephem.Date(ephem.Date(date) - zone / 1440.0)
    site = ephem.Observer()
    site.lat, site.lon, site.elevation, site.pressure = str(lat), str(-lon_west), 0, 0
    site.horizon = "-0:34"
    body = ephem.Sun() if body_code == 0 else ephem.Moon()
    rise, setting = first_crossings(site, body, start, False)
    transit = within_day(site, start, site.next_transit, body)
    night = -1.0
    if body_code == 0:
        site.horizon = "-18"
        night = first_crossings(site, body, start, True)[1]
    return [group, str(body_code), str(date[0]), str(date[1]), str(date[2]), repr(lat), repr(lon_west), str(zone),
            "0.0", "%.5f" % rise, "%.5f" % transit, "%.5f" % setting, "%.5f" % night]


def limit_days():
    rows = [limit_row("moon", 1, place, date) for place, date in LIMIT_MOON_DAYS]
    for place, date in LIMIT_HOME_DAYS:
        rows += [limit_row("home", 0, place, date), limit_row("home", 1, place, date)]
    rows += [limit_row("engine", body, place, date) for place, body, date in LIMIT_ENGINE_DAYS]
    rows += [limit_row("short", 0, place, date) for place, date in LIMIT_SHORT_DAYS]
    write_table("limit_days_pyephem.csv",
                ["Rising, transit and setting within the local day (hours after 0 h, -1: none that day) on days",
                 "at the day's limits: the Moon's culmination or rising just after midnight, a sunset or the",
                 "end of the night just after it; found by scanning the altitude (the upper limb, 34' below the",
                 "horizon; the Sun's centre at -18 degrees for night_h); body 0 Sun, 1 Moon"],
                ["group", "body", "year", "month", "day", "latitude", "longitude_west", "zone_min", "horizon",
                 "rise_h", "transit_h", "set_h", "night_h"], rows, source="PyEphem %s (libastro)" % ephem.__version__)


if __name__ == "__main__":
    main()
