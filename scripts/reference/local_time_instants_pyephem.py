#!/usr/bin/python3
"""Writes two tables for instants that come as universal time and are shown at sites with a
time zone:

tests/reference/planet_event_local_pyephem.csv: full Moons and least geocentric separations
of two planets at 40 N 105 W (zone -7 h) and Sydney (zone +10 h with one hour of daylight
saving): the event's instant (Julian day, UT) and, for each whole minute of local civil time
from two minutes before the instant to three after it, that minute's local date and time and
the altitudes (degrees) of the Sun, the Moon and Mercury .. Pluto: PyEphem's topocentric
apparent places of date, height 0 m, no refraction (pressure 0).

tests/reference/lunar_eclipse_local_pyephem.csv: the total lunar eclipse of 2025-09-07: the
instant of greatest eclipse (least geocentric distance between the Moon's centre and the
centre of the Earth's shadow, golden-section search), the sub-lunar point then (the Moon's
apparent geocentric declination, and its Greenwich hour angle from the apparent sidereal
time as a west longitude in -180..180), and for every whole minute of 15:20 .. 21:05 UT the
geocentric altitude (degrees, no refraction) of the Moon's centre seen from that point.

Source: PyEphem (Debian python3-ephem, libastro).

Run from the top folder:  /usr/bin/python3 scripts/reference/local_time_instants_pyephem.py
"""
import datetime
import math

import ephem

from common import golden, write_table

SOURCE = "PyEphem %s (libastro)" % ephem.__version__
BODIES = [ephem.Sun, ephem.Moon, ephem.Mercury, ephem.Venus, ephem.Mars, ephem.Jupiter, ephem.Saturn,
          ephem.Uranus, ephem.Neptune, ephem.Pluto]
# name, latitude, east longitude, zone minutes (daylight saving included)
DENVER = ("40N105W", 40.0, -105.0, -420)
SYDNEY = ("Sydney", -33.8688, 151.2093, 660)
# site, event, body numbers (0 Sun, 1 Moon, 2 Mercury .. 9 Pluto), a date near it
EVENTS = [(DENVER, "full", 0, 0, "2026/12/20"), (DENVER, "minimum", 3, 4, "2027/11/25"),
          (SYDNEY, "full", 0, 0, "2027/1/18"), (SYDNEY, "minimum", 3, 6, "2026/3/8 13:00")]
ECLIPSE_NEAR = ephem.Date("2025/9/7 18:12")
DUBLIN_JD = 2415020.0
DUBLIN = datetime.datetime(1899, 12, 31, 12, 0)  # PyEphem's day 0


def minute_fields(minutes):
    """Year, month, day, hour and minute of a whole number of minutes from PyEphem's day 0."""
    t = DUBLIN + datetime.timedelta(minutes=minutes)
    return [t.year, t.month, t.day, t.hour, t.minute]


def separation(n1, n2, when):
    a, b = BODIES[n1](ephem.Date(when)), BODIES[n2](ephem.Date(when))
    return ephem.separation((a.g_ra, a.g_dec), (b.g_ra, b.g_dec))


def instant(kind, n1, n2, near):
    if kind == "full":
        return ephem.next_full_moon(near)
    t = ephem.Date(near)
    return golden(lambda x: separation(n1, n2, x), t - 1.5, t + 1.5, 1.0 / 86400)


def site(latitude, east_longitude, when):
    s = ephem.Observer()
    s.lat, s.lon = str(latitude), str(east_longitude)
    s.elevation, s.pressure = 0, 0
    s.date = s.epoch = ephem.Date(when)
    return s


def event_rows():
    rows = []
    for (name, lat, lon, zone), kind, n1, n2, near in EVENTS:
        t = float(instant(kind, n1, n2, near))
        first = math.floor((t + zone / 1440.0) * 1440.0) - 2
        for m in range(first, first + 6):
            s = site(lat, lon, ephem.Date((m - zone) / 1440.0))
            alts = ["%.4f" % math.degrees(b(s).alt) for b in BODIES]
            rows.append([name, "%.4f" % lat, "%.4f" % -lon, str(zone), kind, str(n1), str(n2),
                         "%.6f" % (t + DUBLIN_JD)] + [str(v) for v in minute_fields(m)] + alts)
    return rows


def shadow_distance(t):
    sun, moon = ephem.Sun(ephem.Date(t)), ephem.Moon(ephem.Date(t))
    return ephem.separation((moon.g_ra, moon.g_dec), (sun.g_ra + math.pi, -sun.g_dec))


def geocentric_altitude(lat, west_longitude, when):
    s = site(lat, -west_longitude, when)
    moon = ephem.Moon(s)
    h = float(s.sidereal_time()) - moon.g_ra
    phi, dec = math.radians(lat), moon.g_dec
    return math.degrees(math.asin(math.sin(phi) * math.sin(dec) + math.cos(phi) * math.cos(dec) * math.cos(h)))


def eclipse_rows():
    t = golden(shadow_distance, ECLIPSE_NEAR - 1 / 24.0, ECLIPSE_NEAR + 1 / 24.0, 1.0 / 86400)
    greenwich = site(0.0, 0.0, t)
    moon = ephem.Moon(greenwich)
    lat = math.degrees(moon.g_dec)
    west = (math.degrees(float(greenwich.sidereal_time()) - moon.g_ra) + 180.0) % 360.0 - 180.0
    start = round(float(ephem.Date("2025/9/7 15:20")) * 1440.0)
    rows = []
    for m in range(start, start + 346):
        _, _, _, h, mi = minute_fields(m)
        rows.append(["%.6f" % (t + DUBLIN_JD), "%.5f" % lat, "%.5f" % west, str(h), str(mi),
                     "%.4f" % geocentric_altitude(lat, west, ephem.Date(m / 1440.0))])
    return rows


def main():
    body_columns = ["alt_%d" % n for n in range(10)]
    write_table("planet_event_local_pyephem.csv",
                ["Full Moons and least geocentric separations of two planets (UT instant) and, for each",
                 "local minute from 2 before to 3 after, the topocentric airless altitudes (degrees) of",
                 "bodies 0 Sun, 1 Moon, 2 Mercury .. 9 Pluto; zone in minutes, daylight saving included"],
                ["site", "latitude", "longitude_west", "zone_min", "kind", "body1", "body2", "jd_ut",
                 "year", "month", "day", "hour", "minute"] + body_columns, event_rows(), SOURCE)
    write_table("lunar_eclipse_local_pyephem.csv",
                ["Total lunar eclipse of 2025-09-07: greatest eclipse (JD, UT), its sub-lunar point",
                 "(degrees, west positive) and the Moon's geocentric airless altitude there each UT minute"],
                ["greatest_jd_ut", "latitude", "longitude_west", "hour", "minute", "moon_alt"],
                eclipse_rows(), SOURCE)


if __name__ == "__main__":
    main()
