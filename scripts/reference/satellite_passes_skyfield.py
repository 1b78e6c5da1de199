#!/usr/bin/python3
"""Reference passes, a Moon transit and a flare for the satellite search tests.

Satellites: the near-Earth element sets 06251 and 28057 of the verification set
of Vallado et al., "Revisiting Spacetrack Report #3" (AIAA 2006-6753), as
committed in tests/reference/sgp4_verification_sets.csv. Positions come from
Debian's python3-skyfield 1.45 (EarthSatellite: SGP4 with WGS-72, frames with
UT1, nutation and polar motion of its built-in timescale; no download), the
Sun and the Moon from Debian's python3-ephem (apparent topocentric places,
no refraction).

satellite_passes_skyfield.csv: every complete pass (rise and set, geometric
horizon: find_events, each crossing then bisected to 1 ms) over 3 days from the
epoch, for 51.5 N 0 E and 35 S 150 E at height 0.

satellite_pass_sets.csv and satellite_passes_ten_days_skyfield.csv: the sets of
the pass benchmark (bench/satellite_passes.cpp) and the other near-Earth sets of
the verification set (period below 225 minutes), with the benchmark's variants
5, 10 and 15 of its five base sets (node turned by 18 degrees and mean anomaly
by 47 degrees per variant, written as the benchmark writes them); each set is
cut at the first whole minute from its epoch where python3-sgp4 reports an
error (or after 10 days). Every complete pass between the epoch and the cut
(found and bisected as above), for 51.5 N 0 E and 35 S 150 E at height 0, with
its highest altitude.

satellite_events_skyfield.csv: one close approach of 06251 to the Moon and one
flare of 28057, each with the site from which it is seen (height 0), the time
of the least angle and that angle. The site of the transit lies on the line
from the Moon's centre through the satellite, moved 0.05 degree north so that
the approach is not central. The flare uses the panel model of the program:
three flat mirrors fixed to the satellite, normals N = sin t R + cos t (cos z A
- sin z H) with A along the velocity, H = unit(P x V), R = unit(A x H), tilt
t = -40 degrees and azimuths 0, +120, -120; its site lies where the reflected
sunlight of the panel at azimuth 0 meets the ground where the Sun stands 4 to
10 degrees below the horizon. The angle is the separation of the mirror image of the line of
sight from the Sun.

Julian days are UTC. Run from the top folder:
    /usr/bin/python3 scripts/reference/satellite_passes_skyfield.py
(needs: apt-get install python3-skyfield python3-sgp4 python3-ephem python3-erfa)
"""
import csv
import math
import os
import sys

import ephem
import erfa
import numpy as np
import skyfield
from sgp4.api import Satrec
from skyfield import framelib
from skyfield.api import EarthSatellite, load, wgs84

sys.path.insert(0, os.path.dirname(__file__))
from common import REPO, golden, write_table  # noqa: E402

SOURCE = "python3-skyfield %s and python3-ephem %s" % (skyfield.__version__, ephem.__version__)
TS = load.timescale(builtin=True)
SITES = [(51.5, 0.0), (-35.0, 150.0)]
WGS84_A, WGS84_F = 6378.137, 1.0 / 298.257223563
DAY_SECONDS = 86400.0


def read_sets():
    path = os.path.join(REPO, "tests", "reference", "sgp4_verification_sets.csv")
    with open(path) as f:
        rows = [r for r in csv.reader(line for line in f if not line.startswith("#"))]
    header = rows[0]
    return {int(float(r[0])): (r[header.index("line1")], r[header.index("line2")]) for r in rows[1:]}


def utc_jd(t):
    c = t.utc
    jd1, jd2 = erfa.dtf2d("UTC", c.year, c.month, c.day, c.hour, c.minute, c.second)
    return float(jd1) + float(jd2)


def time_of(jd):
    y, m, d, frac = erfa.jd2cal(jd, 0.0)
    seconds = float(frac) * DAY_SECONDS
    return TS.utc(int(y), int(m), int(d), 0, 0, seconds)


def crossing(altitude_at, up, jd):
    """The horizon crossing between `up` (a UTC Julian day with the satellite above the
    horizon) and the side of it where jd lies, by bisection to 1 ms: find_events leaves some
    of its rises and sets 10 s and more off the horizon."""
    side = 1.0 if jd > up else -1.0
    for reach in (60.0, 180.0, 600.0):
        a, b = up, jd + side * reach / DAY_SECONDS
        if altitude_at(b) < 0.0:
            break
    else:
        raise RuntimeError("no horizon crossing near %r" % jd)
    while abs(b - a) * DAY_SECONDS > 1e-3:
        m = (a + b) / 2
        if altitude_at(m) < 0.0:
            b = m
        else:
            a = m
    return (a + b) / 2


def passes(sat, lat, lon, days=3.0, elevation_m=0.0, start=None):
    """Every complete pass from `start` (a Time; default the epoch) over `days`: (rise, set,
    highest altitude, time of the highest altitude), times as UTC Julian days, the rise and set
    on the geometric horizon to 1 ms, the culmination to 0.1 s."""
    site = wgs84.latlon(lat, lon, elevation_m=elevation_m)
    t0 = sat.epoch if start is None else start

    def altitude_at(jd):
        return (sat - site).at(time_of(jd)).altaz()[0].degrees

    t, events = sat.find_events(site, t0, TS.tt_jd(t0.tt + days), altitude_degrees=0.0)
    rows, rise, peak, top = [], None, None, None
    for ti, e in zip(t, events):
        if e == 0:
            rise, peak = utc_jd(ti), None
        elif e == 1 and rise is not None:
            jd = utc_jd(ti)
            jd = golden(lambda x: -altitude_at(x), jd - 30.0 / DAY_SECONDS, jd + 30.0 / DAY_SECONDS,
                        0.1 / DAY_SECONDS)
            alt = altitude_at(jd)
            if peak is None or alt > peak:
                peak, top = alt, jd
        elif e == 2 and rise is not None:
            rows.append((crossing(altitude_at, top, rise), crossing(altitude_at, top, utc_jd(ti)), peak, top))
            rise = None
    return rows


def observer(lat, lon, jd):
    obs = ephem.Observer()
    obs.lat, obs.lon = str(lat), str(lon)
    obs.elevation, obs.pressure = 0.0, 0.0
    obs.date = jd - 2415020.0  # Dublin Julian day
    return obs


def body_radec(body, lat, lon, jd):
    body.compute(observer(lat, lon, jd))
    return float(body.ra), float(body.dec)


def separation(ra1, dec1, ra2, dec2):
    return float(erfa.seps(ra1, dec1, ra2, dec2))


def refine(f, jd, half_width_s):
    """Scans jd +- half_width_s by 0.5 s, then narrows the least sample."""
    grid = np.arange(-half_width_s, half_width_s, 0.5) / DAY_SECONDS + jd
    best = min(grid, key=f)
    x = golden(f, best - 1.0 / DAY_SECONDS, best + 1.0 / DAY_SECONDS, 1e-4 / DAY_SECONDS)
    return x, f(x)


def state_of_date(sat, t):
    """Satellite position (km) and velocity (km/s) in the true equator and equinox of date."""
    p, v = sat.at(t).frame_xyz_and_velocity(framelib.true_equator_and_equinox_of_date)
    return np.array(p.km), np.array(v.km_per_s)


def ground_point(p, u, t):
    """Geodetic latitude and east longitude (degrees) where p + s u (s > 0, of-date
    frame) meets the WGS-84 ellipsoid, or None."""
    k = 1.0 / (1.0 - WGS84_F)
    ps, us = p * [1, 1, k], u * [1, 1, k]
    a, b, c = us @ us, 2 * ps @ us, ps @ ps - WGS84_A ** 2
    disc = b * b - 4 * a * c
    if disc < 0:
        return None
    s = (-b - math.sqrt(disc)) / (2 * a)
    if s <= 0:
        return None
    x = p + s * u
    gast = t.gast * 15.0 * erfa.DD2R
    lon = math.degrees(math.atan2(x[1], x[0]) - gast)
    e2 = WGS84_F * (2 - WGS84_F)
    rho, lat = math.hypot(x[0], x[1]), math.atan2(x[2], math.hypot(x[0], x[1]))
    for _ in range(20):
        n = WGS84_A / math.sqrt(1 - e2 * math.sin(lat) ** 2)
        lat = math.atan2(x[2] + e2 * n * math.sin(lat), rho)
    return math.degrees(lat), (lon + 180.0) % 360.0 - 180.0


def topocentric_radec(sat, lat, lon, t):
    ra, dec, _ = (sat - wgs84.latlon(lat, lon, elevation_m=0.0)).at(t).radec(epoch=t)
    return ra.radians, dec.radians


def altitude(sat, lat, lon, t):
    return (sat - wgs84.latlon(lat, lon, elevation_m=0.0)).at(t).altaz()[0].degrees


def moon_transit(sat):
    """The first approach seen from a site where the Moon stands above 20 degrees."""
    for minutes in range(60, 2880, 2):
        jd = utc_jd(sat.epoch) + minutes / 1440.0
        t = time_of(jd)
        moon = ephem.Moon(jd - 2415020.0)
        dist = moon.earth_distance * 149597870.7
        m = dist * erfa.s2c(float(moon.g_ra), float(moon.g_dec))
        p, _ = state_of_date(sat, t)
        u = (p - m) / np.linalg.norm(p - m)
        point = ground_point(p, u, t)
        if point is None:
            continue
        lat, lon = round(point[0] + 0.05, 3), round(point[1], 3)
        if altitude(sat, lat, lon, t) < 20.0:  # the Moon stands behind the satellite
            continue

        def angle(x, lat=lat, lon=lon):
            ra, dec = topocentric_radec(sat, lat, lon, time_of(x))
            return separation(ra, dec, *body_radec(ephem.Moon(), lat, lon, x))

        peak, least = refine(angle, jd, 60.0)
        return ("transit", 6251, lat, lon, peak, math.degrees(least), altitude(sat, lat, lon, time_of(peak)))
    raise RuntimeError("no transit found")


def panel_normal(p, v, tilt_deg, azimuth_deg):
    a = v / np.linalg.norm(v)
    h = np.cross(p, v)
    h /= np.linalg.norm(h)
    r = np.cross(a, h)
    r /= np.linalg.norm(r)
    t, z = math.radians(tilt_deg), math.radians(azimuth_deg)
    return math.sin(t) * r + math.cos(t) * (math.cos(z) * a - math.sin(z) * h)


def reflection_angle(sat, lat, lon, jd):
    """Least separation over the three panels of the mirrored line of sight from the Sun."""
    t = time_of(jd)
    p, v = state_of_date(sat, t)
    site = wgs84.latlon(lat, lon, elevation_m=0.0)
    los = np.array((sat - site).at(t).frame_xyz(framelib.true_equator_and_equinox_of_date).km)
    los /= np.linalg.norm(los)
    sun = body_radec(ephem.Sun(), lat, lon, jd)
    best = math.inf
    for azimuth in (0.0, 120.0, -120.0):
        n = panel_normal(p, v, -40.0, azimuth)
        out = los - 2.0 * (n @ los) * n
        best = min(best, separation(math.atan2(out[1], out[0]), math.asin(out[2] / np.linalg.norm(out)), *sun))
    return best


def sun_altitude(lat, lon, jd):
    sun = ephem.Sun()
    sun.compute(observer(lat, lon, jd))
    return math.degrees(float(sun.alt))


def flare(sat):
    """A flare of the panel at azimuth 0 seen where the Sun is 4 to 10 degrees down."""
    for minutes in range(60, 2880):
        jd = utc_jd(sat.epoch) + minutes / 1440.0
        t = time_of(jd)
        p, v = state_of_date(sat, t)
        sun = ephem.Sun(jd - 2415020.0)
        s = erfa.s2c(float(sun.g_ra), float(sun.g_dec))
        n = panel_normal(p, v, -40.0, 0.0)
        reflected = -s + 2.0 * (n @ s) * n
        point = ground_point(p, reflected, t)
        if point is None:
            continue
        lat, lon = round(point[0], 3), round(point[1], 3)
        if not -10.0 < sun_altitude(lat, lon, jd) < -4.0 or altitude(sat, lat, lon, t) < 20.0:
            continue
        peak, least = refine(lambda x: reflection_angle(sat, lat, lon, x), jd, 60.0)
        return ("flare", 28057, lat, lon, peak, math.degrees(least), altitude(sat, lat, lon, time_of(peak)))
    raise RuntimeError("no flare found")


BENCHMARK_BASES = (5, 6251, 28057, 88888, 29238)
TEN_DAYS_MINUTES = 14400


def shifted(line2, variant):
    """Line 2 with the node and the mean anomaly turned as the pass benchmark turns them."""
    node = "%8.4f" % math.fmod(float(line2[17:25]) + 18.0 * variant, 360.0)
    anomaly = "%8.4f" % math.fmod(float(line2[43:51]) + 47.0 * variant, 360.0)
    return line2[:17] + node + line2[25:43] + anomaly + line2[51:]


def first_error_minutes(line1, line2):
    """Whole minutes from the epoch to python3-sgp4's first error, at most 10 days."""
    satellite = Satrec.twoline2rv(line1, line2)
    for minute in range(TEN_DAYS_MINUTES + 1):
        if satellite.sgp4_tsince(float(minute))[0] != 0:
            return minute
    return TEN_DAYS_MINUTES


def ten_day_sets(sets):
    """[(name, line1, line2)]: the near-Earth verification sets, then the variants."""
    out = [("%05d" % n, l1, l2) for n, (l1, l2) in sorted(sets.items()) if 1440.0 / float(l2[52:63]) < 225.0]
    for number in BENCHMARK_BASES:
        line1, line2 = sets[number]
        out += [("%05d-%d" % (number, k), line1, shifted(line2, k)) for k in (5, 10, 15)]
    return out


def ten_day_passes(sets):
    set_rows, pass_rows = [], []
    for name, line1, line2 in ten_day_sets(sets):
        sat = EarthSatellite(line1, line2, name, TS)
        minutes = first_error_minutes(line1, line2)
        set_rows.append((name, line1, line2, minutes))
        for lat, lon in SITES:
            for rise, set_, peak, _ in passes(sat, lat, lon, minutes / 1440.0):
                pass_rows.append((name, lat, lon, rise, set_, peak))
    write_table("satellite_pass_sets.csv",
                ["Near-Earth sets of Vallado et al. (2006) and variants of the pass benchmark's sets;",
                 "span: whole minutes from the epoch to python3-sgp4's first error (14400: none in 10 days)"],
                ["name", "line1", "line2", "span_minutes"], set_rows, SOURCE)
    write_table("satellite_passes_ten_days_skyfield.csv",
                ["Passes of the sets of satellite_pass_sets.csv from the epoch to the end of the span,",
                 "geometric horizon, sites at height 0, longitude east positive, Julian days UTC,",
                 "highest altitude in degrees"],
                ["name", "latitude", "longitude", "rise_jd", "set_jd", "max_altitude"], pass_rows, SOURCE)


def main():
    sets = read_sets()
    ten_day_passes(sets)
    sats = {n: EarthSatellite(*sets[n], str(n), TS) for n in (6251, 28057)}
    rows = []
    for number, sat in sats.items():
        for lat, lon in SITES:
            for rise, set_, peak, _ in passes(sat, lat, lon):
                rows.append((str(number), lat, lon, rise, set_, peak))
    write_table("satellite_passes_skyfield.csv",
                ["Passes of 06251 and 28057 over 3 days from their epochs (Vallado et al. 2006 sets),",
                 "geometric horizon, sites at height 0, longitude east positive, Julian days UTC"],
                ["number", "latitude", "longitude", "rise_jd", "set_jd", "max_altitude"], rows, SOURCE)
    events = [moon_transit(sats[6251]), flare(sats[28057])]
    write_table("satellite_events_skyfield.csv",
                ["A Moon transit of 06251 and a flare of 28057 (panel tilt -40, azimuths 0, 120, -120):",
                 "site (height 0, longitude east positive), Julian day UTC of the least angle, the angle",
                 "(degrees) and the satellite's altitude (degrees) then"],
                ["kind", "number", "latitude", "longitude", "peak_jd", "angle", "altitude"],
                [(k, str(n), lat, lon, jd, a, alt) for k, n, lat, lon, jd, a, alt in events], SOURCE)


if __name__ == "__main__":
    main()
