#!/usr/bin/python3
"""Moon transits over whole passes, for the tests of the transit search's peak.

Satellites: 28129 of the verification set of Vallado et al. (AIAA 2006-6753, a 12-hour orbit
whose passes last some 8 hours) at 40 N 105 W (height 0) over 60 days from its epoch, and the
element sets of satellite_aged_sets.csv at the sites of satellite_aged_sites.csv over 30 days
from the start of their passes. Positions come from Debian's python3-skyfield 1.45 (SGP4 with
WGS-72, topocentric right ascension and declination of date), the Moon from Debian's
python3-ephem (apparent topocentric place, no refraction).

satellite_transits_skyfield.csv: for every complete pass (rise and set on the geometric horizon,
as satellite_passes_skyfield.py finds them) each local minimum of the separation of the satellite
from the Moon's centre of 2 degrees or less (the separation sampled every second, every 20 s for
28129, with the Moon's place every minute between; each minimum refined to 1 ms with the Moon's
place at every step), with the satellite's altitude then.

Julian days are UTC. Run from the top folder:
    /usr/bin/python3 scripts/reference/satellite_transits_skyfield.py
(needs: apt-get install python3-skyfield python3-sgp4 python3-ephem python3-erfa)
"""
import csv
import math
import os
import sys

import ephem
import numpy as np
import skyfield
from skyfield.api import EarthSatellite, wgs84

sys.path.insert(0, os.path.dirname(__file__))
from common import REPO, golden, write_table  # noqa: E402
from satellite_passes_skyfield import DAY_SECONDS, TS, passes, read_sets, separation, time_of, utc_jd  # noqa: E402

SOURCE = "python3-skyfield %s and python3-ephem %s" % (skyfield.__version__, ephem.__version__)
LIMIT = 2.0  # degrees
GPS_SITE = ("40N105W", 40.0, -105.0, 0.0)


def moon_radec(lat, lon, height, jd):
    obs = ephem.Observer()
    obs.lat, obs.lon = str(lat), str(lon)
    obs.elevation, obs.pressure = height, 0.0
    obs.date = jd - 2415020.0  # Dublin Julian day
    moon = ephem.Moon(obs)
    return float(moon.ra), float(moon.dec)


def unit_vectors(ra, dec):
    return np.stack([np.cos(dec) * np.cos(ra), np.cos(dec) * np.sin(ra), np.sin(dec)], axis=-1)


def separations(sat, site, lat, lon, height, times):
    """Separations (degrees) at the UTC Julian days `times`, the Moon's place every minute between."""
    tai = times + (time_of(times[0]).tai - times[0])  # no leap second within a pass
    ra, dec, _ = (sat - site).at(TS.tai_jd(tai)).radec(epoch="date")
    grid = np.arange(times[0], times[-1] + 2.0 / 1440.0, 1.0 / 1440.0)
    moon = unit_vectors(*np.array([moon_radec(lat, lon, height, jd) for jd in grid]).T)
    k = np.clip(((times - grid[0]) * 1440.0).astype(int), 0, len(grid) - 2)
    w = ((times - grid[k]) * 1440.0)[:, None]
    m = moon[k] * (1.0 - w) + moon[k + 1] * w
    m /= np.linalg.norm(m, axis=1)[:, None]
    s = unit_vectors(ra.radians, dec.radians)
    return np.degrees(np.arccos(np.clip(np.sum(s * m, axis=1), -1.0, 1.0)))


def exact_separation(sat, site, lat, lon, height, jd):
    ra, dec, _ = (sat - site).at(time_of(jd)).radec(epoch="date")
    return math.degrees(separation(ra.radians, dec.radians, *moon_radec(lat, lon, height, jd)))


def transits(name, sat, site_name, lat, lon, height, start, days, step_s):
    site = wgs84.latlon(lat, lon, elevation_m=height)
    rows = []
    for rise, set_, _, _ in passes(sat, lat, lon, days, height, time_of(start)):
        times = np.arange(rise, set_, step_s / DAY_SECONDS)
        angles = separations(sat, site, lat, lon, height, times)
        for k in range(1, len(times) - 1):
            if angles[k] <= angles[k - 1] and angles[k] < angles[k + 1] and angles[k] < LIMIT + 0.5:
                f = lambda x: exact_separation(sat, site, lat, lon, height, x)  # noqa: E731
                jd = golden(f, times[k - 1], times[k + 1], 0.001 / DAY_SECONDS)
                angle = f(jd)
                if angle <= LIMIT:
                    altitude = (sat - site).at(time_of(jd)).altaz()[0].degrees
                    rows.append((name, site_name, rise, set_, jd, angle, altitude))
    return rows


def aged_sets_and_sites():
    def read(name):
        with open(os.path.join(REPO, "tests", "reference", name)) as f:
            return list(csv.DictReader(line for line in f if not line.startswith("#")))
    sets = [(r["name"], r["line1"], r["line2"]) for r in read("satellite_aged_sets.csv")]
    sites = [(r["site"], float(r["latitude"]), float(r["longitude"]), float(r["height"]), float(r["passes_from_jd"]))
             for r in read("satellite_aged_sites.csv")]
    return sets, sites


def main():
    rows = []
    line1, line2 = read_sets()[28129]
    gps = EarthSatellite(line1, line2, "28129", TS)
    rows += transits("28129", gps, *GPS_SITE, utc_jd(gps.epoch), 60.0, 20.0)
    sets, sites = aged_sets_and_sites()
    for name, l1, l2 in sets:
        sat = EarthSatellite(l1, l2, name, TS)
        for site_name, lat, lon, height, start in sites:
            rows += transits(name, sat, site_name, lat, lon, height, start, 30.0, 1.0)
    write_table("satellite_transits_skyfield.csv",
                ["Moon transits of 2 degrees or less: every local minimum of the separation within a pass",
                 "(rise and set on the geometric horizon), of 28129 at 40 N 105 W (height 0) over 60 days",
                 "from its epoch and of the sets of satellite_aged_sets.csv at the sites of",
                 "satellite_aged_sites.csv over 30 days; Julian days UTC, angle and altitude in degrees"],
                ["name", "site", "rise_jd", "set_jd", "peak_jd", "angle", "altitude"], rows, SOURCE)


if __name__ == "__main__":
    main()
