#!/usr/bin/python3
"""Writes the reference tables of the rise, transit and set accuracy tests:

tests/reference/moon_geocentric_2024_pyephem.csv
    The Moon's apparent geocentric right ascension (hours) and declination
    (degrees) of date and the Greenwich apparent sidereal time (hours) every
    6 hours of universal time from 2023 December 31 to 2025 January 2, from
    PyEphem. Four-point interpolation of the table gives the Moon's place to
    0.2" (checked against PyEphem at random instants); the test finds the
    Moon's altitude from it at any instant of 2024.
tests/reference/fixed_rise_set_pyephem.csv
    Rising, transit and setting of the 20 brightest named stars of the IAU
    list (J2000 places from bright_star_names.csv of the shared data, taken as
    the places of the date) at three sites, in hours of local civil time after
    0 h of the date: the first event after local midnight, from PyEphem (the
    program's stand-in rise and set where the star never sets or never rises,
    with its transit, the upper culmination, in either case). The
    horizon is the program's for a fixed place: h0 less 0.61 degree less the
    dip of a horizon seen from the site's height on a sphere of 6378140 m, with
    no refraction (pressure 0). PyEphem adds aberration and nutation to the
    place (under 40"): a few seconds of time at most.
tests/reference/catalogue_rise_set_pyephem.csv
    Rising, transit and setting of ten catalogue objects from their J2000.0
    places (PyEphem precesses them to the date and adds nutation and
    aberration) at Munich (520 m), Cape Town (0 m) and Denver (1609 m) on a
    date of 2025, 2030 and 2035, hours of local civil time after 0 h of the
    date, with the program's horizon for a fixed place as above (horizon
    preference 0). The transit is the first after 0 h; where an object rises
    or sets twice in the date, the rising before that transit and the setting
    after it are taken when they fall in the date (the other one otherwise).
tests/reference/rise_set_linear_body_erfa.csv
    A body whose right ascension grows by exactly 1 h a day at a fixed
    declination: its rising, transit and setting through h0 in closed form,
    hours of local civil time after 0 h of the date. Its right ascension at
    0 h local is ra2; the hour angle is ERFA's IAU 1982 Greenwich mean sidereal
    time (gmst82, universal time taken as UT1) less the longitude and the
    right ascension, so each event solves a linear equation in time.

Run from the top folder:  /usr/bin/python3 scripts/reference/rise_set_accuracy.py
(needs python3-ephem and python3-erfa). The star list is read from
../shared/data/bright_star_names.csv from the repository top (the shared data folder beside
the checkout, found from the script's own place).
"""
import csv
import math
import os

import ephem
import erfa

from common import SHARED_DATA

OUT = "tests/reference/"
STARS = os.path.join(SHARED_DATA, "bright_star_names.csv")
DUBLIN_JD = 2415020.0


def moon_table():
    start, days = 2460309.5, 368  # 2023-12-31 0h UT
    lines = ["# The Moon's apparent geocentric place of date and the Greenwich apparent sidereal",
             "# time, every 6 h of UT, from PyEphem %s; scripts/reference/rise_set_accuracy.py"
             % ephem.__version__,
             "jd_ut,ra_h,dec,gast_h"]
    greenwich = ephem.Observer()
    greenwich.lat, greenwich.lon, greenwich.pressure = "0", "0", 0
    for k in range(days * 4 + 1):
        jd = start + k * 0.25
        greenwich.date = ephem.Date(jd - DUBLIN_JD)
        moon = ephem.Moon()
        moon.compute(greenwich.date)
        lines.append("%.2f,%.9f,%.8f,%.9f" % (jd, math.degrees(moon.g_ra) / 15, math.degrees(moon.g_dec),
                                               math.degrees(greenwich.sidereal_time()) / 15))
    return lines


# latitude, longitude (degrees, west positive), zone minutes, height (m), date
SITES = [(40.0, 75.0, -300, 0, (2024, 1, 15)),
         (-34.0, -151.2, 600, 50, (2025, 9, 1)),
         (60.2, -24.9, 120, 1000, (2024, 11, 20))]
FIXED_H0 = 0.0


def brightest_stars(count=20):
    with open(STARS) as f:
        rows = [r for r in csv.reader(line for line in f if not line.startswith("#"))]
    header, rows = rows[0], rows[1:]
    col = {name: i for i, name in enumerate(header)}
    rows.sort(key=lambda r: float(r[col["vmag"]]))
    return [(r[col["name"]], float(r[col["ra_deg"]]) / 15, float(r[col["dec_deg"]])) for r in rows[:count]]



def fixed_events(ra_h, dec, site, when):
    lat, lon_west, zone, height, _ = site
    start = ephem.Date(ephem.Date(when) - zone / 1440.0)
    observer = ephem.Observer()
    observer.lat, observer.lon = str(lat), str(-lon_west)
    observer.elevation, observer.pressure = height, 0
    dip = math.acos(6378140.0 / (height + 6378140.0)) if height > 0 else 0.0
    observer.horizon = math.radians(FIXED_H0) - (dip + 0.010646508)
    star = ephem.FixedBody()
    star._ra, star._dec = math.radians(ra_h * 15), math.radians(dec)
    star._epoch = start
    observer.date = start
    transit = (observer.next_transit(star) - start) * 24.0
    try:
        observer.date = start
        rise = (observer.next_rising(star) - start) * 24.0
        observer.date = start
        setting = (observer.next_setting(star) - start) * 24.0
    except ephem.AlwaysUpError:
        return 0.0, transit, 23.99  # the program's stand-ins of a star that never sets, its transit
    except ephem.NeverUpError:
        return 0.0, transit, 0.0  # and of one that never rises, its transit (below the horizon)
    return rise, transit, setting


def fixed_table():
    lines = ["# Rising, transit and setting of bright stars at a fixed place of date, hours of local",
             "# time after 0 h, from PyEphem %s; horizon h0 - 0.61 deg - dip, no refraction;"
             % ephem.__version__,
             "# scripts/reference/rise_set_accuracy.py",
             "year,month,day,latitude,longitude_west,zone_min,height_m,h0,ra_h,dec,rise_h,transit_h,set_h"]
    for site in SITES:
        for name, ra_h, dec in brightest_stars():
            times = fixed_events(ra_h, dec, site, site[4])
            lines.append("%d,%d,%d,%s,%s,%d,%d,%s,%.6f,%.6f,%.6f,%.6f,%.6f"
                         % (*site[4], *site[:4], FIXED_H0, ra_h, dec, *times))
    return lines


# J2000.0 places: SIMBAD's for the stars and the clusters, the nuclei of the galaxies
CATALOGUE = [("M31", 0.712306, 41.269167), ("Antares", 16.490128, -26.432003), ("M42", 5.588139, -5.391111),
             ("Vega", 18.615649, 38.783689), ("M13", 16.694778, 36.459722), ("Canopus", 6.399197, -52.695661),
             ("M57", 18.893083, 33.029167), ("Betelgeuse", 5.919529, 7.407064), ("M104", 12.666500, -11.623056),
             ("Fomalhaut", 22.960847, -29.622236)]
# latitude, longitude (degrees, west positive), zone minutes, height (m)
CATALOGUE_SITES = [(48.137, -11.575, 60, 520), (-33.925, -18.424, 120, 0), (39.739, 104.990, -420, 1609)]
CATALOGUE_DATES = [(2025, 3, 15), (2030, 12, 1), (2035, 8, 10)]


def catalogue_events(ra_h, dec, site, when):
    lat, lon_west, zone, height = site
    start = ephem.Date(ephem.Date(when) - zone / 1440.0)
    observer = ephem.Observer()
    observer.lat, observer.lon = str(lat), str(-lon_west)
    observer.elevation, observer.pressure = height, 0
    dip = math.acos(6378140.0 / (height + 6378140.0)) if height > 0 else 0.0
    observer.horizon = -(dip + 0.010646508)
    star = ephem.FixedBody()
    star._ra, star._dec, star._epoch = math.radians(ra_h * 15), math.radians(dec), ephem.J2000
    observer.date = start
    transit = observer.next_transit(star)
    try:
        observer.date = transit
        rise = observer.previous_rising(star)
        if rise < start:
            rise = observer.next_rising(star)
        observer.date = transit
        setting = observer.next_setting(star)
        if setting >= start + 1:
            setting = observer.previous_setting(star)
    except ephem.AlwaysUpError:
        return 0.0, (transit - start) * 24.0, 23.99  # the program's stand-ins of a star that never sets
    except ephem.NeverUpError:
        return 0.0, (transit - start) * 24.0, 0.0  # and of one that never rises, with its transit
    return tuple((t - start) * 24.0 for t in (rise, transit, setting))


def catalogue_table():
    lines = ["# Rising, transit and setting of catalogue objects from their J2000.0 places, hours of",
             "# local time after 0 h, from PyEphem %s (precession, nutation and aberration to the date);"
             % ephem.__version__,
             "# horizon h0 - 0.61 deg - dip, no refraction; scripts/reference/rise_set_accuracy.py",
             "name,year,month,day,latitude,longitude_west,zone_min,height_m,ra_j2000_h,dec_j2000,rise_h,transit_h,set_h"]
    for lat, lon_west, zone, height in CATALOGUE_SITES:
        for date in CATALOGUE_DATES:
            for name, ra_h, dec in CATALOGUE:
                times = catalogue_events(ra_h, dec, (lat, lon_west, zone, height), date)
                lines.append("%s,%d,%d,%d,%s,%s,%d,%d,%.6f,%.6f,%.6f,%.6f,%.6f"
                             % (name, *date, lat, lon_west, zone, height, ra_h, dec, *times))
    return lines


# date, latitude, longitude west, zone minutes, ra2 (h), dec, h0
LINEAR_CASES = [((2190, 6, 15), 40.0, 75.0, -300, 6.0, 10.0, -0.5667),
                ((2190, 11, 3), -33.9, -18.4, 120, 22.0, -25.0, 0.125),
                ((2024, 6, 15), 40.0, 75.0, -300, 6.0, 10.0, -0.5667)]
SIDEREAL_DEGREES_PER_DAY = 360.98564736629


def linear_events(date, lat, lon_west, zone, ra2, dec, h0):
    j1, j2 = erfa.cal2jd(*date)
    jd_ut = j1 + j2 - zone / 1440.0  # 0 h local
    theta0 = math.degrees(erfa.gmst82(jd_ut, 0.0))
    rate = SIDEREAL_DEGREES_PER_DAY - 15.0  # the hour angle's rate, degrees a day
    phi, d = math.radians(lat), math.radians(dec)
    h_0 = math.degrees(math.acos((math.sin(math.radians(h0)) - math.sin(phi) * math.sin(d))
                                 / (math.cos(phi) * math.cos(d))))
    events = []
    for hour_angle in (-h_0, 0.0, h_0):
        m = ((hour_angle - theta0 + lon_west + 15 * ra2) / rate) % (360.0 / rate)
        if not 0.05 < m < 0.95:
            raise SystemExit("event too near the day's edge: %s %.3f" % (date, m))
        events.append(24.0 * m)
    return events


def linear_table():
    lines = ["# A body moving +1 h of right ascension a day at a fixed declination: closed-form",
             "# rising, transit and setting, hours of local time after 0 h; ERFA %s gmst82;"
             % erfa.version.erfa_version,
             "# scripts/reference/rise_set_accuracy.py",
             "year,month,day,latitude,longitude_west,zone_min,ra2_h,dec,h0,rise_h,transit_h,set_h"]
    for date, lat, lon_west, zone, ra2, dec, h0 in LINEAR_CASES:
        rise, transit, setting = linear_events(date, lat, lon_west, zone, ra2, dec, h0)
        lines.append("%d,%d,%d,%s,%s,%d,%s,%s,%s,%.7f,%.7f,%.7f"
                     % (*date, lat, lon_west, zone, ra2, dec, h0, rise, transit, setting))
    return lines


def write(name, lines):
    with open(OUT + name, "w") as f:
        f.write("\n".join(lines) + "\n")
    print("wrote", OUT + name, sum(1 for line in lines if not line.startswith("#")) - 1, "rows")


def main():
    write("moon_geocentric_2024_pyephem.csv", moon_table())
    write("fixed_rise_set_pyephem.csv", fixed_table())
    write("rise_set_linear_body_erfa.csv", linear_table())
    write("catalogue_rise_set_pyephem.csv", catalogue_table())


if __name__ == "__main__":
    main()
