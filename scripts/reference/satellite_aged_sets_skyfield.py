#!/usr/bin/python3
"""Passes and flares of element sets days and weeks after their epochs, for the tests of the
satellite searches, their rows and the views.

Element sets (written for these tests, with drag terms as real sets carry them): three of a
satellite like the space station (51.6 degrees, 15.5 revolutions a day, n-dot/2 of 1.1e-4 to
1.5e-4 revolutions a day squared, B* of 2e-4 to 2.7e-4), 1, 10 and 36 days before the searches
start, and one sun-synchronous satellite of low drag (14.2 revolutions a day, B* 2.2e-5), 20 days
before. Sites: Sydney (33.8688 S 151.2093 E, 58 m) on 20 January 2027 at 19:00 local time (zone
+11 h with daylight time) and 40 N 105 W (1600 m) on 20 January 2027 at 17:00 local time (zone
-7 h).

Positions come from Debian's python3-skyfield 1.45 (EarthSatellite: SGP4 with WGS-72, frames with
UT1, nutation and polar motion of its built-in timescale; no download), the Sun from Debian's
python3-ephem (apparent topocentric place, no refraction).

satellite_aged_sets.csv: the element sets. satellite_aged_sites.csv: the sites, the start of
the searches and the span of the passes (UTC Julian days).
satellite_aged_passes_skyfield.csv: every complete pass over 7 days from 0h local time of the
start's date (rise and set on the geometric horizon to 1 ms, the culmination to 0.1 s), with the
highest altitude and the altitude half-way between rise and set.
satellite_aged_flares_skyfield.csv: flares in the 6 days from 0h local time of the start's date,
with the panel model of satellite_passes_skyfield.py (three flat mirrors, tilt -40 degrees,
azimuths 0, +120, -120): every local minimum of the separation of the mirror image of the line
of sight from the Sun, of 2 degrees or less, while the satellite is above the horizon (sampled
every 2 s, refined to 0.01 s), with the satellite's altitude and the Sun's altitude then.

December sets (satellite_december_*.csv, for the Next search past a low pass and the culmination
of eccentric orbits): a set like the space station's of 15 December 2026 12h UT (the drag terms of
the set 1 day old above, its node at 120 degrees), and an eccentric set written for these tests:
e = 0.4, mean motion 6.60550459 revolutions a day (a period of 218 minutes, below the 225 minutes
where SGP4 turns to its deep-space model, so the program's near-Earth SGP4 holds; perigee some
820 km, apogee some 10400 km up), inclination 63.4 degrees, apogee over the southern hemisphere
(argument of perigee 90 degrees), B* 1e-4, of 15 December 2026 19:12 UT (3 days before the
searches at Sydney and 40 N 105 W). Sites: Fairbanks (64.8 N 147.7 W, 136 m, zone -9 h; searches
from 16 December 2026 12h UT), 40 N 105 W (1600 m, -7 h) and Sydney (58 m, +11 h), both from 18
December 2026 19h UT. satellite_december_passes_skyfield.csv: every complete pass from 16 to 22
December 2026 0h UT, as satellite_aged_passes_skyfield.csv has them.

Julian days are UTC. Run from the top folder:
    /usr/bin/python3 scripts/reference/satellite_aged_sets_skyfield.py
(needs: apt-get install python3-skyfield python3-sgp4 python3-ephem python3-erfa)
"""
import math
import os
import sys

import ephem
import erfa
import numpy as np
import skyfield
from skyfield import framelib
from skyfield.api import EarthSatellite, wgs84

sys.path.insert(0, os.path.dirname(__file__))
from common import golden, write_table  # noqa: E402
from satellite_passes_skyfield import (DAY_SECONDS, TS, panel_normal, passes, separation,  # noqa: E402
                                       state_of_date, time_of)

SOURCE = "python3-skyfield %s and python3-ephem %s" % (skyfield.__version__, ephem.__version__)

# name, then the fields of line 1 (number, epoch, n-dot/2, B*) and of line 2 (inclination, node,
# eccentricity, argument of perigee, mean anomaly, mean motion).
SETS = [
    ("ISS 1 DAY", 90001, "27019.50000000", " .00012456", " 22437-3",
     "51.6358", "172.4410", "0005611", "58.9136", "301.2468", "15.50034815"),
    ("ISS 10 DAYS", 90002, "27010.50000000", " .00015120", " 27181-3",
     "51.6371", "216.9652", "0005398", "41.2090", "318.9433", "15.49862110"),
    ("ISS 36 DAYS", 90003, "26349.50000000", " .00010813", " 19650-3",
     "51.6402", "348.1154", "0004901", "12.8745", "347.2281", "15.49410327"),
    ("LOW DRAG 20 DAYS", 90004, "26365.50000000", " .00000042", " 21542-4",
     "98.6012", "41.3390", "0011874", "102.5567", "257.6931", "14.21539876"),
]

# name, latitude, east longitude, height (m), zone (minutes), local start (y, m, d, h, min)
SITES = [
    ("Sydney", -33.8688, 151.2093, 58.0, 660, (2027, 1, 20, 19, 0)),
    ("Denver", 40.0, -105.0, 1600.0, -420, (2027, 1, 20, 17, 0)),
]

# The December sets, written as SETS are.
DECEMBER_SETS = [
    ("ISS DEC 1 DAY", 90011, "26349.50000000", " .00012456", " 22437-3",
     "51.6358", "120.0000", "0005611", "58.9136", "301.2468", "15.50034815"),
    ("ECCENTRIC 3 DAYS", 90012, "26349.80000000", " .00000100", " 10000-3",
     "63.4000", "200.0000", "4000000", "90.0000", "10.0000", " 6.60550459"),
]

# name, latitude, east longitude, height (m), zone (minutes), UTC start (y, m, d, h, min)
DECEMBER_SITES = [
    ("Fairbanks", 64.8, -147.7, 136.0, -540, (2026, 12, 16, 12, 0)),
    ("Denver", 40.0, -105.0, 1600.0, -420, (2026, 12, 18, 19, 0)),
    ("Sydney", -33.8688, 151.2093, 58.0, 660, (2026, 12, 18, 19, 0)),
]
DECEMBER_SPAN = ((2026, 12, 16, 0, 0), 6.0)  # UTC start of the passes, days

PASS_DAYS = 7.0
FLARE_DAYS = 6.0
FLARE_LIMIT = 2.0  # degrees


def checksum(line):
    return line + str(sum(int(c) if c.isdigit() else c == "-" for c in line) % 10)


def element_lines(number, epoch, ndot, bstar, incl, node, ecc, perigee, anomaly, motion):
    line1 = "1 %05dU 27999A   %s %s  00000-0 %s 0  999" % (number, epoch, ndot, bstar)
    line2 = "2 %05d %8s %8s %7s %8s %8s %11s    1" % (number, incl, node, ecc, perigee, anomaly, motion)
    assert len(line1) == 68 and len(line2) == 68, (line1, line2)
    return checksum(line1), checksum(line2)


def local_jd(zone_minutes, y, m, d, h, mi):
    jd1, jd2 = erfa.dtf2d("UTC", y, m, d, h, mi, 0.0)
    return float(jd1) + float(jd2) - zone_minutes / 1440.0


def sun_altitude_and_place(lat, lon, height, jd):
    obs = ephem.Observer()
    obs.lat, obs.lon = str(lat), str(lon)
    obs.elevation, obs.pressure = height, 0.0
    obs.date = jd - 2415020.0  # Dublin Julian day
    sun = ephem.Sun(obs)
    return math.degrees(float(sun.alt)), (float(sun.ra), float(sun.dec))


def reflection_angle(sat, site, lat, lon, height, jd):
    """Least separation over the three panels of the mirrored line of sight from the Sun."""
    t = time_of(jd)
    p, v = state_of_date(sat, t)
    los = np.array((sat - site).at(t).frame_xyz(framelib.true_equator_and_equinox_of_date).km)
    los /= np.linalg.norm(los)
    sun = sun_altitude_and_place(lat, lon, height, jd)[1]
    best = math.inf
    for azimuth in (0.0, 120.0, -120.0):
        n = panel_normal(p, v, -40.0, azimuth)
        out = los - 2.0 * (n @ los) * n
        best = min(best, separation(math.atan2(out[1], out[0]), math.asin(out[2] / np.linalg.norm(out)), *sun))
    return math.degrees(best)


def flares(sat, lat, lon, height, start_jd, end_jd):
    site = wgs84.latlon(lat, lon, elevation_m=height)
    rows = []
    for rise, set_, _, _ in passes(sat, lat, lon, end_jd - start_jd + 0.1, height, time_of(start_jd - 0.05)):
        if set_ < start_jd or rise > end_jd:
            continue
        times = np.arange(rise, set_, 2.0 / DAY_SECONDS)
        angles = [reflection_angle(sat, site, lat, lon, height, x) for x in times]
        for k in range(1, len(times) - 1):
            if angles[k] <= angles[k - 1] and angles[k] < angles[k + 1] and angles[k] < FLARE_LIMIT + 0.5:
                jd = golden(lambda x: reflection_angle(sat, site, lat, lon, height, x),
                            times[k - 1], times[k + 1], 0.01 / DAY_SECONDS)
                angle = reflection_angle(sat, site, lat, lon, height, jd)
                if angle <= FLARE_LIMIT:
                    altitude = (sat - site).at(time_of(jd)).altaz()[0].degrees
                    rows.append((jd, angle, altitude, sun_altitude_and_place(lat, lon, height, jd)[0]))
    return rows


def local_midnight(start_jd, zone_minutes):
    """0h local time of the local date of start_jd, as a UTC Julian day."""
    return math.floor(start_jd + zone_minutes / 1440.0 - 0.5) + 0.5 - zone_minutes / 1440.0


def pass_rows_of(sets, sites):
    """Every pass of each set over each site's span, with the altitude half-way."""
    rows = []
    for name, line1, line2 in sets:
        sat = EarthSatellite(line1, line2, name, TS)
        for site_name, lat, lon, height, _, _, start, end in sites:
            location = wgs84.latlon(lat, lon, elevation_m=height)
            for rise, set_, peak, top in passes(sat, lat, lon, end - start, height, time_of(start)):
                middle = (sat - location).at(time_of((rise + set_) / 2)).altaz()[0].degrees
                rows.append((name, site_name, rise, top, set_, peak, middle))
    return rows


PASS_COLUMNS = ["name", "site", "rise_jd", "culmination_jd", "set_jd", "max_altitude", "middle_altitude"]
SITE_COLUMNS = ["site", "latitude", "longitude", "height", "zone", "start_jd", "passes_from_jd", "passes_to_jd"]


def december_tables():
    sets = [(name, *element_lines(*fields)) for name, *fields in DECEMBER_SETS]
    write_table("satellite_december_sets.csv",
                ["Element sets written for the Next and culmination tests: a set like the space",
                 "station's and an eccentric set (e = 0.4, period 218 minutes)"],
                ["name", "line1", "line2"], sets, SOURCE)
    span_from = local_jd(0, *DECEMBER_SPAN[0])
    sites = [(name, lat, lon, height, zone, local_jd(0, *start), span_from, span_from + DECEMBER_SPAN[1])
             for name, lat, lon, height, zone, start in DECEMBER_SITES]
    write_table("satellite_december_sites.csv",
                ["Sites of the Next and culmination tests, as satellite_aged_sites.csv has them"],
                SITE_COLUMNS, sites, SOURCE)
    write_table("satellite_december_passes_skyfield.csv",
                ["Passes of the sets of satellite_december_sets.csv over the sites of",
                 "satellite_december_sites.csv, as satellite_aged_passes_skyfield.csv has them"],
                PASS_COLUMNS, pass_rows_of(sets, sites), SOURCE)


def main():
    sets = [(name, *element_lines(*fields)) for name, *fields in SETS]
    write_table("satellite_aged_sets.csv",
                ["Element sets written for the satellite search tests: three of a satellite like the",
                 "space station and one sun-synchronous set of low drag"],
                ["name", "line1", "line2"], sets, SOURCE)
    sites = []
    for name, lat, lon, height, zone, start in SITES:
        start_jd = local_jd(zone, *start)
        midnight = local_midnight(start_jd, zone)
        sites.append((name, lat, lon, height, zone, start_jd, midnight, midnight + PASS_DAYS))
    write_table("satellite_aged_sites.csv",
                ["Sites of the satellite search tests: latitude, longitude (east positive), height (m),",
                 "zone (minutes, daylight time included), the start of the searches and the span of the",
                 "passes (UTC Julian days)"],
                SITE_COLUMNS, sites, SOURCE)
    flare_rows = []
    for name, line1, line2 in sets:
        sat = EarthSatellite(line1, line2, name, TS)
        for site_name, lat, lon, height, _, _, midnight, _ in sites:
            for jd, angle, altitude, sun in flares(sat, lat, lon, height, midnight, midnight + FLARE_DAYS):
                flare_rows.append((name, site_name, jd, angle, altitude, sun))
    write_table("satellite_aged_passes_skyfield.csv",
                ["Passes of the sets of satellite_aged_sets.csv over the sites of satellite_aged_sites.csv",
                 "over the span of the site: rise, culmination and set (UTC Julian days,",
                 "geometric horizon), highest altitude and the altitude half-way between rise and set",
                 "(degrees)"],
                PASS_COLUMNS, pass_rows_of(sets, sites), SOURCE)
    write_table("satellite_aged_flares_skyfield.csv",
                ["Flares of the same sets and sites in the 6 days from 0h local time of the start's date",
                 "(panel tilt -40, azimuths 0, 120, -120): Julian day UTC of each least angle of 2 degrees",
                 "or less while the satellite is up, the angle, the satellite's altitude and the Sun's",
                 "(degrees)"],
                ["name", "site", "peak_jd", "angle", "altitude", "sun_altitude"], flare_rows, SOURCE)
    december_tables()


if __name__ == "__main__":
    main()
