#!/usr/bin/python3
"""Writes tests/reference/twilight_graph_pyephem.csv: the times the twilight graph
draws, in hours of local civil time from 0 h of the date.

Rows "sun": the Sun's centre going down through an altitude in the evening of
the date (set_h) and coming up through it in the morning of the same date
(rise_h). The graph's bands are the Sun's centre below -1, -6 and -18 degrees
of geometric altitude (no atmosphere). A Sun that never goes that low gives
rise 0 and set 23.99, one that never comes up gives 0 and 0.

Rows "star": the transit (transit_h) of a fixed place of date (ra_h, dec_deg).
Rows "jupiter": the transit of Jupiter (its geocentric apparent place).
Rows "comet": the transit of the comet C/2023 A3 with the elements of the test
catalogue (perihelion 2024-09-27.7 TT taken as UT, q 0.39 AU, e 1, argument of
perihelion 308.5, node 21.6, inclination 139.1 degrees, equinox J2000).

Also tests/reference/twilight_bands_pyephem.csv: the band edges at Munich,
Cape Town and Tromso on ten dates of 2025-2027, hours of the site's zone
clock from 0 h of the date: the first passage of the Sun's centre down
through the band's altitude after 12:00 of the date (set_h) and the first
passage up after that (rise_h, above 24 on the next morning), -1 when there is
none before 12:00 of the next day; and the lowest altitude of the Sun's centre
from 12:00 to 12:00 (lowest, by a two-minute scan refined to a second).

Also tests/reference/twilight_daylight_clock_pyephem.csv: the Sun Set band's
edges (-1 degree) from 13:00 of the date to 13:00 of the next day: the first
passage down after 13:00 (set_h) and the next passage up (rise_h), -1 when
there is none by 13:00 of the next day, and the lowest altitude from 12:00 to
12:00, on the 15th of every month of 2027 and 2028 at Fairbanks (zone -9 h
with its daylight hour: -8 h), Sydney (+10 h with its daylight hour: +11 h)
and Tokyo (+9 h), in hours of the site's own clock on every date.

Also tests/reference/twilight_crossings_pyephem.csv: every passage of the
Sun's centre through -1, -6 and -18 degrees of geometric altitude from
2026-12-30 to 2028-12-02 at Tokyo (35.68 N 139.69 E), Sydney (33.87 S
151.21 E), Reykjavik (64 09 N 21 57 W), Fairbanks (64 50 N 147 43 W) and
71 17 N 156 47 W: the site and band as indexes (0..4 in that order; 0, 1, 2
for -1, -6, -18), the minute of universal time from 2027-01-01 0h UT, and
down 1 or up 0. Found by a ten-minute scan of the altitude, each least and
greatest altitude within half a degree of a band refined to a second (so a
graze of minutes is seen), and each passage halved down to a second.
And tests/reference/twilight_object_events_pyephem.csv: at Tokyo through
2027, the rise, transit and set (kind r, t, s) of a fixed place (right
ascension 4.4 h, declination +20 degrees of date) and of Jupiter, their
centre passing 0.61 degree below the geometric horizon (what the rise and
set engine takes for refraction and semi-diameter), the minute of universal
time from 2027-01-01 0h UT; and the same for the Moon seen from the Earth's
centre (its geocentric apparent place against the local sidereal time, no
parallax, as the graph takes a place), each rise and set found by a
ten-minute scan halved down to half a second and each transit where its
hour angle passes 0.

Source: PyEphem (Debian python3-ephem, libastro), an independent almanac
computation (its own VSOP87 Sun and orbit code, events found by iteration).

Run from the top folder:  /usr/bin/python3 scripts/reference/twilight_graph_pyephem.py
"""
import math

import ephem

from common import golden

OUT = "tests/reference/twilight_graph_pyephem.csv"
BANDS = "tests/reference/twilight_bands_pyephem.csv"

# (name, date, latitude, longitude west-positive, zone minutes)
SUN_CASES = [
    ("Greenwich", (2024, 12, 22), 51.5, 0.0, 0),
    ("Greenwich", (2025, 3, 14), 51.5, 0.0, 0),
    ("Sydney", (2025, 6, 22), -33.87, -151.21, 600),
    ("58N", (2025, 6, 22), 58.0, 0.0, 0),
]
ALTITUDES = [-1.0, -6.0, -18.0]

# (name, date, right ascension hours, declination degrees) from 51 N 0 E, zone 0.
STAR_CASES = [
    ("star", (2025, 1, 10), 4.4, 20.0),
    ("star", (2025, 2, 9), 4.4, 20.0),
]
JUPITER_DATES = [(2025, 1, 10), (2025, 3, 10)]
COMET_DATES = [(2024, 3, 10), (2024, 4, 9), (2024, 5, 10)]


def observer(lat, lon_west, date, zone):
    obs = ephem.Observer()
    obs.lat = str(lat)
    obs.lon = str(-lon_west)
    obs.elevation = 0
    obs.pressure = 0
    obs.date = ephem.Date(ephem.Date(date) - zone / 1440.0)
    return obs


def sun_events(date, lat, lon_west, zone, altitude):
    obs = observer(lat, lon_west, date, zone)
    obs.horizon = str(altitude)
    start = obs.date
    out = []
    for find in (obs.next_rising, obs.next_setting):
        try:
            t = find(ephem.Sun(), start=start, use_center=True)
        except ephem.AlwaysUpError:
            return 0.0, 23.99
        except ephem.NeverUpError:
            return 0.0, 0.0
        out.append((t - start) * 24.0)
    return out[0], out[1]


def transit(body, date, lat, lon_west, zone):
    obs = observer(lat, lon_west, date, zone)
    start = obs.date
    return (obs.next_transit(body, start=start) - start) * 24.0


def comet():
    c = ephem.ParabolicBody()
    c._epoch = ephem.date("2000/1/1.5")
    c._epoch_p = ephem.date("2024/9/27.7")
    c._q = 0.39
    c._inc = 139.1
    c._Om = 21.6
    c._om = 308.5
    return c


BAND_SITES = [("Munich", 48.137, -11.575, 60), ("Cape Town", -33.925, -18.424, 120), ("Tromso", 69.649, -18.956, 60)]
BAND_DATES = [(2025, 1, 15), (2025, 3, 20), (2025, 6, 21), (2025, 9, 22), (2025, 12, 21), (2026, 2, 10),
              (2026, 6, 18), (2026, 8, 5), (2026, 10, 30), (2027, 4, 15)]


def crossings(obs, body, noon):
    """Hours after 0 h (noon - 12 h) of the first setting after noon and the next rising, -1 for none."""
    out = []
    start = noon
    for find in (obs.next_setting, obs.next_rising):
        try:
            t = find(body, start=start, use_center=True)
        except (ephem.AlwaysUpError, ephem.NeverUpError):
            return [-1.0, -1.0]
        if t >= noon + 1:
            return [-1.0, -1.0]
        out.append((t - noon) * 24.0 + 12.0)
        start = t
    return out


def lowest(obs, noon):
    def altitude(t):
        obs.date = ephem.Date(t)
        return math.degrees(ephem.Sun(obs).alt)
    t = min((noon + k / 720.0 for k in range(721)), key=altitude)
    a, b = t - 1 / 720.0, t + 1 / 720.0
    while b - a > 1 / 86400.0:
        m1, m2 = a + (b - a) / 3, b - (b - a) / 3
        if altitude(m1) < altitude(m2):
            b = m2
        else:
            a = m1
    return altitude((a + b) / 2)


def noon_observer(lat, lon_west, date, zone):
    """The observer at 12:00 of the date's clock and the Sun's lowest altitude in the next 24 hours."""
    obs = observer(lat, lon_west, date, zone)
    noon = ephem.Date(obs.date + 0.5)
    return obs, noon, lowest(obs, noon)


def bands():
    rows = []
    for name, lat, lon_west, zone in BAND_SITES:
        for date in BAND_DATES:
            obs, noon, low = noon_observer(lat, lon_west, date, zone)
            for altitude in ALTITUDES:
                obs.horizon = str(altitude)
                rows.append([name, lat, lon_west, zone, *date, altitude, *crossings(obs, ephem.Sun(), noon), low])
    write(BANDS, "The twilight graph's band edges at three sites, hours of the zone clock (see the script).",
          "site,latitude,longitude_west,zone_min,year,month,day,altitude,set_h,rise_h,lowest",
          rows)


CLOCK_SITES = [("Fairbanks", 64.84, 147.72, -480), ("Sydney", -33.87, -151.21, 660), ("Tokyo", 35.68, -139.69, 540)]
CLOCK = "tests/reference/twilight_daylight_clock_pyephem.csv"


def clock_bands():
    rows = []
    for name, lat, lon_west, zone in CLOCK_SITES:
        for year in (2027, 2028):
            for month in range(1, 13):
                obs, noon, low = noon_observer(lat, lon_west, (year, month, 15), zone)
                obs.horizon = str(ALTITUDES[0])
                column = crossings(obs, ephem.Sun(), ephem.Date(noon + 1 / 24.0))
                rows.append([name, lat, lon_west, zone, year, month, 15, *[h + 1 if h >= 0 else h for h in column], low])
    write(CLOCK, "The twilight graph's Sun Set band on the sites' own clocks (see the script).",
          "site,latitude,longitude_west,zone_min,year,month,day,set_h,rise_h,lowest", rows)


CROSSING_SITES = [("Tokyo", 35.68, -139.69), ("Sydney", -33.87, -151.21), ("Reykjavik", 64.15, 21.95),
                  ("Fairbanks", 64 + 50 / 60.0, 147 + 43 / 60.0), ("71N", 71 + 17 / 60.0, 156 + 47 / 60.0)]
CROSSINGS = "tests/reference/twilight_crossings_pyephem.csv"
EPOCH = ephem.Date("2027/1/1")
STEP = 10 / 1440.0


def sun_altitude(obs, t):
    obs.date = ephem.Date(t)
    return math.degrees(ephem.Sun(obs).alt)


def samples(obs, start, end):
    """Times and altitudes every ten minutes, with each extreme near a band put in."""
    ts = [start + k * STEP for k in range(int((end - start) / STEP) + 1)]
    alts = [sun_altitude(obs, t) for t in ts]
    out = [(ts[0], alts[0])]
    for k in range(1, len(ts) - 1):
        low, high = alts[k] <= min(alts[k - 1], alts[k + 1]), alts[k] >= max(alts[k - 1], alts[k + 1])
        if (low or high) and min(abs(alts[k] - a) for a in ALTITUDES) < 0.5:
            sign = 1 if low else -1
            t = golden(lambda u: sign * sun_altitude(obs, u), ts[k - 1], ts[k + 1], 1 / 86400.0)
            pair = sorted([(ts[k], alts[k]), (t, sun_altitude(obs, t))])
            out.extend(p for p in pair if p[0] > out[-1][0])
        else:
            out.append((ts[k], alts[k]))
    out.append((ts[-1], alts[-1]))
    return out


def passage(obs, a, b, altitude):
    below_a = sun_altitude(obs, a) < altitude
    while b - a > 0.5 / 86400.0:
        m = (a + b) / 2
        if (sun_altitude(obs, m) < altitude) == below_a:
            a = m
        else:
            b = m
    return (a + b) / 2


def sun_crossings():
    rows = []
    for index, (name, lat, lon_west) in enumerate(CROSSING_SITES):
        obs = observer(lat, lon_west, (2026, 12, 30), 0)
        points = samples(obs, ephem.Date("2026/12/30"), ephem.Date("2028/12/2"))
        for band, altitude in enumerate(ALTITUDES):
            for (t1, a1), (t2, a2) in zip(points, points[1:]):
                if (a1 < altitude) != (a2 < altitude):
                    t = passage(obs, t1, t2, altitude)
                    rows.append([index, band, "%.1f" % ((t - EPOCH) * 1440.0), 1 if a2 < altitude else 0])
    write(CROSSINGS, "The Sun's centre through the twilight graph's band altitudes, minutes of UT (see the script).",
          "site,band,minute,down", rows)


OBJECT_EVENTS = "tests/reference/twilight_object_events_pyephem.csv"


def object_events():
    star = ephem.FixedBody()
    star._ra, star._dec, star._epoch = ephem.hours(4.4 * math.pi / 12), ephem.degrees(math.radians(20.0)), ephem.date("2027/7/2")
    rows = []
    for name, body in (("star", star), ("jupiter", ephem.Jupiter())):
        obs = observer(35.68, -139.69, (2027, 1, 1), 0)
        obs.horizon = "-0.61"
        for kind, find in (("r", obs.next_rising), ("t", obs.next_transit), ("s", obs.next_setting)):
            t = ephem.Date("2026/12/30")
            while t < ephem.Date("2028/1/3"):
                t = find(body, start=t, use_center=True) if kind != "t" else find(body, start=t)
                rows.append([name, kind, "%.2f" % ((t - EPOCH) * 1440.0)])
                t = ephem.Date(t + 1 / 1440.0)
    rows.extend(moon_events())
    write(OBJECT_EVENTS, "Rise, transit and set of a fixed place, Jupiter and the Moon at Tokyo, minutes of UT "
          "(see the script).", "object,kind,minute", rows)


def moon_events():
    """The geocentric Moon's passages of -0.61 degree and of the meridian at Tokyo through 2027."""
    obs = observer(35.68, -139.69, (2027, 1, 1), 0)
    lat, moon = float(obs.lat), ephem.Moon()

    def hour_angle_and_altitude(t):
        obs.date = ephem.Date(t)
        moon.compute(obs)
        h = math.remainder(float(obs.sidereal_time()) - moon.g_ra, 2 * math.pi)
        d = float(moon.g_dec)
        return h, math.degrees(math.asin(math.sin(lat) * math.sin(d) + math.cos(lat) * math.cos(d) * math.cos(h)))

    def halve(a, b, value):
        below = value(a) < 0
        while b - a > 0.5 / 86400.0:
            m = (a + b) / 2
            if (value(m) < 0) == below:
                a = m
            else:
                b = m
        return (a + b) / 2

    above = lambda t: hour_angle_and_altitude(t)[1] + 0.61
    hour_angle = lambda t: hour_angle_and_altitude(t)[0]
    events = {"r": [], "t": [], "s": []}
    t, end = float(ephem.Date("2026/12/30")), float(ephem.Date("2028/1/3"))
    h1, a1 = hour_angle_and_altitude(t)
    while t < end:
        h2, a2 = hour_angle_and_altitude(t + STEP)
        if (a1 < -0.61) != (a2 < -0.61):
            events["r" if a2 > a1 else "s"].append(halve(t, t + STEP, above))
        if h1 < 0 <= h2 and h2 - h1 < 1:
            events["t"].append(halve(t, t + STEP, hour_angle))
        t, h1, a1 = t + STEP, h2, a2
    return [["moon", kind, "%.2f" % ((u - EPOCH) * 1440.0)] for kind in "rts" for u in events[kind]]


def write(path, title, columns, rows):
    with open(path, "w") as f:
        f.write("# %s\n" % title)
        f.write("# generated by scripts/reference/twilight_graph_pyephem.py with python3-ephem %s\n" % ephem.__version__)
        f.write(columns + "\n")
        for r in rows:
            f.write(",".join(str(v) if isinstance(v, (int, str)) else "%.6f" % v for v in r) + "\n")
    print("wrote", path, len(rows), "rows")


def main():
    rows = []
    for name, (y, m, d), lat, lon, zone in SUN_CASES:
        for altitude in ALTITUDES:
            rise, set_ = sun_events((y, m, d), lat, lon, zone, altitude)
            rows.append(["sun", name, y, m, d, lat, lon, zone, altitude, 0, 0, rise, set_, 0])
    for name, (y, m, d), ra, dec in STAR_CASES:
        star = ephem.FixedBody()
        star._ra, star._dec, star._epoch = ephem.hours(ra * math.pi / 12), ephem.degrees(math.radians(dec)), ephem.date((y, m, d))
        rows.append(["star", name, y, m, d, 51.0, 0.0, 0, 0, ra, dec, 0, 0, transit(star, (y, m, d), 51.0, 0.0, 0)])
    for (y, m, d) in JUPITER_DATES:
        rows.append(["jupiter", "Jupiter", y, m, d, 51.0, 0.0, 0, 0, 0, 0, 0, 0, transit(ephem.Jupiter(), (y, m, d), 51.0, 0.0, 0)])
    for (y, m, d) in COMET_DATES:
        rows.append(["comet", "C/2023 A3", y, m, d, 51.0, 0.0, 0, 0, 0, 0, 0, 0, transit(comet(), (y, m, d), 51.0, 0.0, 0)])
    write(OUT, "The twilight graph's band edges and transits, local hours (see the script).",
          "kind,site,year,month,day,latitude,longitude_west,zone_min,altitude,ra_h,dec_deg,rise_h,set_h,transit_h",
          rows)
    bands()
    clock_bands()
    sun_crossings()
    object_events()


main()
