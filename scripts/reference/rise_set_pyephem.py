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

Run from the top folder:  /usr/bin/python3 scripts/reference/rise_set_pyephem.py
"""
import ephem

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


if __name__ == "__main__":
    main()
