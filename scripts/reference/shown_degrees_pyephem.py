#!/usr/bin/python3
"""Writes the tables of the values the screens show in whole degrees, and of the days on
which an event they belong to does not happen.

tests/reference/moon_transit_days_pyephem.csv: every local day of 2027 at Tokyo (+9 h),
71 17' N 156 47' W (-9 h) and Fairbanks (-8 h, daylight time): the Moon's upper transit
within the local day in hours after 0 h (-1: the day has none), the altitude of its centre
then as seen from the site (topocentric, no refraction; nan without a transit), and its
apparent geocentric declination at 0 h of the local day.

tests/reference/pole_places_pyephem.csv: places at declination +-90, +-89.9999 and +-89.999
seen from every whole degree of latitude from -89 to +89 on 2027-03-20 at longitude 0, with
the horizon preferences 0 and 10 degrees: whether the place is up all day (1), down all day
(0) or rises and sets (2) at the altitude the fixed-place rise and set engine tests (the
horizon less 0.61 degree for refraction and semi-diameter, height 0 so no dip; PyEphem's
altitudes every 10 minutes and at both culminations), for the place given as of date
(`up_of_date`) and as of J2000.0 (`up_j2000`, precessed by PyEphem); the altitude of the J2000
place at its upper transit that day.

tests/reference/star_transit_altitudes_pyephem.csv: stars from their J2000 places at 51 N 0 E
on 2024-01-15 and 2026-12-15: the altitude at the upper transit.

tests/reference/sun_declinations_pyephem.csv: the Sun's apparent geocentric declination at
0 h UT on the 1st and 15th of each month of 2027, and at the minute of 2027 March 15 when it
is nearest -1.98 degrees.

tests/reference/log_sun_altitudes_pyephem.csv: the Sun's altitude (topocentric, no
refraction) at 51 N 0 E, zone 0, at the whole minute of the evening of 2006 March 14 when it
is nearest -4.6 degrees.

tests/reference/lunar_contact_places_pyephem.csv: the total lunar eclipse of 2025-09-07 at
two places: 40 N where the Moon sets, 0.7 degree below the horizon at 16:28 UT (the program's
minute of the umbra's start), and 45 S where it stands at azimuth 359.8 at 18:12 UT (its minute
of greatest eclipse), just past its culmination in the north; for every whole minute of
15:20 .. 21:05 UT the geocentric altitude (no refraction) and azimuth (from north through
east) of the Moon's centre there, from its apparent geocentric place and the apparent sidereal
time.

Source: PyEphem (Debian python3-ephem, libastro), height 0 m, pressure 0.

Run from the top folder:  /usr/bin/python3 scripts/reference/shown_degrees_pyephem.py
"""
import math

import ephem

from common import write_table

SOURCE = "PyEphem %s (libastro)" % ephem.__version__
# (name, latitude, longitude west-positive, zone minutes with the daylight hour)
TOKYO = ("Tokyo", 35.6895, -139.6917, 540)
NORTH_SLOPE = ("71N", 71 + 17 / 60, 156 + 47 / 60, -540)
FAIRBANKS = ("Fairbanks", 64 + 50 / 60, 147 + 43 / 60, -480)
POLE_DECLINATIONS = [90.0, -90.0, 89.9999, -89.9999, 89.999, -89.999]
HORIZONS = [0.0, 10.0]
ENGINE_ALLOWANCE = 0.61  # degrees: refraction and semi-diameter the fixed-place engine takes off
POLE_DATE = "2027/3/20"
STARS = [("Canopus", 6.399197, -52.695661, "2026/12/15"), ("Vega", 18.6200, 38.8, "2024/1/15")]


def observer(latitude, west_longitude):
    site = ephem.Observer()
    site.lat, site.lon = str(latitude), str(-west_longitude)
    site.elevation, site.pressure = 0, 0
    return site


def moon_day(place, year, month, day):
    site = observer(place[1], place[2])
    start = ephem.Date(ephem.Date((year, month, day)) - place[3] / 1440.0)
    site.date = start
    moon = ephem.Moon()
    transit = site.next_transit(moon, start=start)
    site.date = start
    moon.compute(site)
    declination = math.degrees(moon.g_dec)
    if transit >= start + 1:
        return -1.0, float("nan"), declination
    site.date = transit
    moon.compute(site)
    return (transit - start) * 24, math.degrees(moon.alt), declination


def moon_rows():
    rows = []
    for place in (TOKYO, NORTH_SLOPE, FAIRBANKS):
        day = ephem.Date("2027/1/1")
        while day < ephem.Date("2028/1/1"):
            y, m, d = day.triple()
            transit, altitude, declination = moon_day(place, y, m, int(d))
            rows.append([place[0], repr(place[1]), repr(place[2]), str(place[3]), str(y), str(m), str(int(d)),
                         "%.4f" % transit, "%.3f" % altitude, "%.3f" % declination])
            day = ephem.Date(day + 1)
    return rows


def up_all_day(site, body, horizon):
    """1 when the body's altitude stays above horizon less the engine's allowance all day, 0 when
    it stays below, 2 when it passes it: from its altitudes every 10 minutes and at its two
    culminations (PyEphem's rising search does not end for a place of date at -90)."""
    start = ephem.Date(POLE_DATE)
    instants = [ephem.Date(start + k * 10 * ephem.minute) for k in range(145)]
    site.horizon = "0"
    instants += [site.next_transit(body, start=start), site.next_antitransit(body, start=start)]
    altitudes = []
    for when in instants:
        site.date = when
        body.compute(site)
        altitudes.append(math.degrees(body.alt))
    limit = horizon - ENGINE_ALLOWANCE
    return 1 if min(altitudes) > limit else 0 if max(altitudes) < limit else 2


def pole_place(declination, epoch):
    body = ephem.FixedBody()
    body._ra, body._dec, body._epoch = 0.0, math.radians(declination), epoch
    return body


def pole_rows():
    rows = []
    for declination in POLE_DECLINATIONS:
        for latitude in range(-89, 90):
            for horizon in HORIZONS:
                site = observer(latitude, 0.0)
                site.date = site.epoch = ephem.Date(POLE_DATE)
                of_date = up_all_day(site, pole_place(declination, site.date), horizon)
                j2000 = pole_place(declination, ephem.J2000)
                up = up_all_day(site, j2000, horizon)
                site.horizon = "0"
                site.date = site.next_transit(j2000, start=ephem.Date(POLE_DATE))
                j2000.compute(site)
                rows.append([repr(declination), str(latitude), repr(horizon), str(of_date), str(up),
                             "%.4f" % math.degrees(j2000.alt)])
    return rows


def star_rows():
    rows = []
    for name, ra, dec, date in STARS:
        star = ephem.FixedBody()
        star._ra, star._dec, star._epoch = math.radians(ra * 15), math.radians(dec), ephem.J2000
        site = observer(51.0, 0.0)
        site.date = site.epoch = ephem.Date(date)
        site.date = site.next_transit(star, start=ephem.Date(date))
        star.compute(site)
        y, m, d = ephem.Date(date).triple()
        rows.append([name, repr(ra), repr(dec), str(y), str(m), str(int(d)), "%.4f" % math.degrees(star.alt)])
    return rows


def sun_declination(when):
    return math.degrees(ephem.Sun(ephem.Date(when)).dec)


def nearest_minute(value, target, first, minutes):
    best = min(range(minutes), key=lambda k: abs(value(ephem.Date(first + k * ephem.minute)) - target))
    return ephem.Date(first + best * ephem.minute)


def minute_fields(when):
    y, m, d, h, mi, s = ephem.Date(when + 0.5 * ephem.second).tuple()
    return [str(y), str(m), str(d), str(h), str(mi)]


def sun_rows():
    instants = [ephem.Date((2027, m, d)) for m in range(1, 13) for d in (1, 15)]
    instants.append(nearest_minute(sun_declination, -1.98, ephem.Date("2027/3/15"), 2 * 1440))
    return [minute_fields(t) + ["%.4f" % sun_declination(t)] for t in instants]


def log_rows():
    site = observer(51.0, 0.0)

    def altitude(when):
        site.date = when
        return math.degrees(ephem.Sun(site).alt)
    t = nearest_minute(altitude, -4.6, ephem.Date("2006/3/14 17:00"), 180)
    return [minute_fields(t) + ["%.4f" % altitude(t)]]


def geocentric_moon(latitude, west_longitude, when):
    """Altitude and azimuth (degrees) of the Moon's apparent geocentric place at a UT instant."""
    greenwich = observer(0.0, 0.0)
    greenwich.date = when
    moon = ephem.Moon(greenwich)
    h = float(greenwich.sidereal_time()) - moon.g_ra - math.radians(west_longitude)
    phi, dec = math.radians(latitude), moon.g_dec
    altitude = math.asin(math.sin(phi) * math.sin(dec) + math.cos(phi) * math.cos(dec) * math.cos(h))
    azimuth = math.atan2(-math.sin(h) * math.cos(dec),
                         math.sin(dec) * math.cos(phi) - math.cos(dec) * math.cos(h) * math.sin(phi))
    return math.degrees(altitude), math.degrees(azimuth) % 360.0


def solve_longitude(f, target, low, high):
    """The west longitude in low..high at which f(longitude) = target (f monotonic there), by halving."""
    for _ in range(60):
        middle = (low + high) / 2
        if (f(middle) - target) * (f(low) - target) > 0:
            low = middle
        else:
            high = middle
    return (low + high) / 2


def contact_place_rows():
    setting_at = ephem.Date("2025/9/7 16:28")
    # The sub-lunar point is near 86 E then; some 110 degrees east of 40 N 163 W the Moon sets.
    setting = solve_longitude(lambda w: geocentric_moon(40.0, w, setting_at)[0], -0.7, 150.0, 190.0)
    culmination_at = ephem.Date("2025/9/7 18:12")
    north = solve_longitude(lambda w: (geocentric_moon(-45.0, w, culmination_at)[1] + 180.0) % 360.0, 179.8,
                            -95.0, -78.0)
    start = round(float(ephem.Date("2025/9/7 15:20")) * 1440.0)
    rows = []
    for name, latitude, west in (("setting", 40.0, setting), ("north", -45.0, north)):
        for m in range(start, start + 346):
            when = ephem.Date(m / 1440.0)
            altitude, azimuth = geocentric_moon(latitude, west, when)
            _, _, _, hour, minute = minute_fields(when)
            rows.append([name, repr(latitude), "%.5f" % west, hour, minute, "%.4f" % altitude, "%.4f" % azimuth])
    return rows


def main():
    write_table("moon_transit_days_pyephem.csv",
                ["The Moon's upper transit within each local day of 2027 (hours after 0 h; -1: none), its",
                 "topocentric airless altitude then (degrees) and its geocentric declination at 0 h local"],
                ["site", "latitude", "longitude_west", "zone_min", "year", "month", "day", "transit_h", "alt_deg",
                 "dec0_deg"], moon_rows(), source=SOURCE)
    write_table("pole_places_pyephem.csv",
                ["Places at the poles of the sky and near them on %s, longitude 0: up all day (1), down all" % POLE_DATE,
                 "day (0) or rising and setting (2) at the horizon less 0.61 degree, of date and of J2000;",
                 "the J2000 place's airless altitude at its upper transit (degrees)"],
                ["dec_deg", "latitude", "horizon_deg", "up_of_date", "up_j2000", "transit_alt_deg"], pole_rows(),
                source=SOURCE)
    write_table("star_transit_altitudes_pyephem.csv",
                ["Stars from their J2000 places at 51 N 0 E: the airless altitude at the upper transit (degrees)"],
                ["star", "ra2000_h", "dec2000_deg", "year", "month", "day", "transit_alt_deg"], star_rows(),
                source=SOURCE)
    write_table("sun_declinations_pyephem.csv",
                ["The Sun's apparent geocentric declination (degrees) at instants of 2027 (UT)"],
                ["year", "month", "day", "hour", "minute", "dec_deg"], sun_rows(), source=SOURCE)
    write_table("lunar_contact_places_pyephem.csv",
                ["The total lunar eclipse of 2025-09-07 at two places (west longitude): the Moon's geocentric",
                 "airless altitude and azimuth (degrees) at each whole minute of UT"],
                ["site", "latitude", "longitude_west", "hour", "minute", "moon_alt", "moon_az"],
                contact_place_rows(), source=SOURCE)
    write_table("log_sun_altitudes_pyephem.csv",
                ["The Sun's airless topocentric altitude (degrees) at 51 N 0 E at a minute of UT"],
                ["year", "month", "day", "hour", "minute", "sun_alt_deg"], log_rows(), source=SOURCE)


if __name__ == "__main__":
    main()
