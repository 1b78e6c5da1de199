#!/usr/bin/python3
"""Writes the reference tables of the solar eclipse tests (tests/reference/solar_*.csv) from an
independent computation of the Sun, the Moon and the Moon's shadow.

Sources, none of them the program's code:
- the Sun: ERFA (python3-erfa) epv00, with light time and the annual aberration (erfa.ab);
- the Moon: the Swiss Ephemeris file semo_18.se1 (Debian packages libswe2.0 and swe-basic-data;
  a compression of JPL DE431), geometric geocentric ICRS, taken at the retarded time;
- both rotated to the true equator and equinox of date by erfa.pnm80 (IAU 1976/1980); the
  Earth's rotation by the apparent sidereal time erfa.gmst82 + erfa.eqeq94 (UT1 = UT, no polar
  motion); sites on the WGS84 ellipsoid by erfa.gd2gc / erfa.gc2gd.

Geometry, written here from the definitions and not from the program:
- Besselian elements (Explanatory Supplement to the Astronomical Almanac, ch. 8): the shadow
  axis is the line through the Moon parallel to the Moon-Sun vector; x, y, z are the Moon's
  coordinates on the axes of the fundamental plane (unit: the equatorial radius 6378.137 km);
  sin f = (Sun radius +- Moon radius) / Moon-Sun distance; l1 = z tan f1 + k / cos f1 and
  l2 = z tan f2 - k / cos f2 with one k = 0.2725076 for both cones; mu = apparent sidereal time
  at the instant taken as universal time minus the axis right ascension (the ephemeris
  meridian). Nine hourly samples at t0 - 4 h .. t0 + 4 h (dynamical time) are fitted by least
  squares (numpy.polyfit) with the degrees x 3, y 3, d 2, mu 1, l1 3, l2 3; tan f at t0.
- The central line: the axis intersected with the ellipsoid (the nearer root), turned into
  geodetic latitude and west longitude; the ground speed from the Earth-fixed point 10 s apart.
- Local circumstances at a site (height 0): topocentric Sun and Moon, their separation and
  semidiameters (Sun 959.63" at 1 AU, Moon 0.2725076 x 6378.137 km); greatest eclipse at the
  least separation; the contacts where the separation equals the sum (1st, 4th) or the
  difference (2nd, 3rd) of the semidiameters, by bisection to a millisecond; magnitude as the
  fraction of the Sun's diameter covered, obscuration as the fraction of its area. The same
  greatest eclipse over a grid of places around three eclipses' central points.
- Central duration on the central line: the local 2nd to 3rd contact at the central point.
  Path width: the distance between the two sites on the ground perpendicular to the track
  whose greatest eclipse just touches the inner tangency.

Delta T is 66.184 s for every eclipse here (2006-2049): the program's default preference for
those years, an input of the computation and not a result of it.

Run from the top folder (needs python3-erfa, python3-numpy, libswe2.0, swe-basic-data):
    /usr/bin/python3 scripts/reference/solar_eclipse_reference.py
"""
import ctypes
import math
import os
import sys

import erfa
import numpy as np

sys.path.insert(0, os.path.dirname(__file__))
from common import golden, write_table  # noqa: E402

AU_KM = 149597870.7
EARTH_KM = 6378.137
K_MOON = 0.2725076
SUN_RADIUS_KM = 959.63 / 206264.80624709636 * AU_KM
MOON_RADIUS_KM = K_MOON * EARTH_KM
C_AU_PER_DAY = 173.1446326846693
DELTA_T = 66.184
SECOND = 1 / 86400

# Swiss Ephemeris file, geometric, J2000, no nutation, deflection or aberration, equatorial,
# rectangular, ICRS.
SWE_MOON_FLAGS = 2 | 16 | 32 | 64 | 512 | 1024 | 2048 | 4096 | 128 * 1024
_swe = []

# Eclipses: date, kind, and an instant near greatest eclipse (UT hours) to start from.
ECLIPSES = [
    ((2006, 3, 29), "total", 10.2),
    ((2006, 9, 22), "annular", 11.7),
    ((2017, 8, 21), "total", 18.4),
    ((2023, 10, 14), "annular", 18.0),
    ((2024, 4, 8), "total", 18.3),
]
# Sites for the local circumstances: date, search start (hour, minute UT), latitude (degrees
# north), longitude (degrees west), and a name for the comment column. Sites given as None
# are the central point at the search start, rounded to 0.01 degree.
SITES = [
    ((2006, 3, 29), (10, 11), 5.55, 0.20, "Accra"),
    ((2006, 3, 29), (10, 11), 6.45, -3.40, "Lagos"),
    ((2006, 3, 29), (10, 11), -33.87, -151.21, "Sydney"),
    ((2006, 3, 29), (10, 11), 36.0, -30.0, "central 36N 30E"),
    ((2006, 9, 22), (11, 40), None, None, "annular centre"),
    ((2017, 8, 21), (18, 0), None, None, "total centre"),
    ((2017, 8, 21), (18, 0), 43.0, 95.0, "partial 43N 95W"),
    ((2023, 10, 14), (17, 0), None, None, "annular centre"),
    ((2024, 4, 8), (18, 30), None, None, "total centre"),
]
# Grid of places for the greatest eclipse: date and an instant near greatest eclipse (UT hours);
# the places lie every 4 degrees of latitude and 6 of longitude within 32 and 48 degrees of the
# central point then (whole degrees), and are kept where the magnitude exceeds 0.02 and the Sun
# stands more than 1 degree high at greatest.
GRID = [((2006, 3, 29), 10.19), ((2023, 10, 14), 18.0), ((2024, 4, 8), 18.3)]
# Central line samples: date and universal times (hours).
CENTRAL = [
    ((2006, 3, 29), [10 + 11 / 60 + 18 / 3600, 9 + 21 / 60, 8 + 50 / 60, 11 + 20 / 60]),
    ((2006, 9, 22), [11 + 40 / 60, 10.5, 12.6]),
    ((2017, 8, 21), [18 + 26 / 60, 17.5, 19.2]),
    ((2023, 10, 14), [18.0, 17.0, 19.0]),
    ((2024, 4, 8), [18 + 17 / 60, 17.2, 19.3]),
]


def jd0(date):
    d1, d2 = erfa.cal2jd(*date)
    return d1 + d2


def swiss_ephemeris():
    """The Swiss Ephemeris library, loaded at its first use (scripts that import the geometry
    with another Moon do without it)."""
    if not _swe:
        swe = ctypes.CDLL("libswe.so.2.0")
        swe.swe_set_ephe_path(b"/usr/share/libswe/ephe")
        swe.swe_calc.argtypes = [ctypes.c_double, ctypes.c_int, ctypes.c_int,
                                 ctypes.POINTER(ctypes.c_double), ctypes.c_char_p]
        _swe.append(swe)
    return _swe[0]


def moon_icrs_km(jd_tt):
    """The Moon's geometric geocentric ICRS position (km) at jd_tt."""
    xx = (ctypes.c_double * 6)()
    err = ctypes.create_string_buffer(256)
    assert swiss_ephemeris().swe_calc(jd_tt, 1, SWE_MOON_FLAGS, xx, err) == SWE_MOON_FLAGS, err.value
    return np.array(xx[:3]) * AU_KM


def sun_moon_km(jd_tt):
    """Apparent geocentric Sun and Moon, true equator and equinox of date, km."""
    pvh, pvb = erfa.epv00(jd_tt, 0.0)
    sun_b, sun_v = pvb[0] - pvh[0], pvb[1] - pvh[1]
    p = sun_b - pvb[0]
    for _ in range(2):
        p = sun_b - sun_v * (np.linalg.norm(p) / C_AU_PER_DAY) - pvb[0]
    v = pvb[1] / C_AU_PER_DAY
    r_sun = np.linalg.norm(pvh[0])
    sun = erfa.ab(p / np.linalg.norm(p), v, r_sun, math.sqrt(1.0 - np.dot(v, v))) * r_sun * AU_KM
    moon = moon_icrs_km(jd_tt)
    moon = moon_icrs_km(jd_tt - np.linalg.norm(moon) / AU_KM / C_AU_PER_DAY)
    rot = erfa.pnm80(jd_tt, 0.0)
    return rot @ sun, rot @ moon


def sidereal(jd_ut):
    return erfa.gmst82(jd_ut, 0.0) + erfa.eqeq94(jd_ut, 0.0)


def tt_of(date, ut_h):
    return jd0(date) + ut_h / 24 + DELTA_T * SECOND


# ---- Besselian elements ------------------------------------------------------------------

def besselian_instant(jd_tt):
    sun, moon = sun_moon_km(jd_tt)
    s, m = sun / EARTH_KM, moon / EARTH_KM
    g = s - m
    dist = np.linalg.norm(g)
    g = g / dist
    d = math.asin(g[2])
    a = math.atan2(g[1], g[0])
    i = np.array([-math.sin(a), math.cos(a), 0.0])
    j = np.array([-math.sin(d) * math.cos(a), -math.sin(d) * math.sin(a), math.cos(d)])
    x, y, z = m @ i, m @ j, m @ g
    sun_r = SUN_RADIUS_KM / EARTH_KM
    f1 = math.asin((sun_r + K_MOON) / dist)
    f2 = math.asin((sun_r - K_MOON) / dist)
    l1 = z * math.tan(f1) + K_MOON / math.cos(f1)
    l2 = z * math.tan(f2) - K_MOON / math.cos(f2)
    mu = math.degrees(sidereal(jd_tt) - a)
    return dict(x=x, y=y, z=z, d=math.degrees(d), mu=mu, l1=l1, l2=l2,
                tan_f1=math.tan(f1), tan_f2=math.tan(f2))


def fit_elements(date, t0):
    taus = np.arange(-4, 5)
    samples = [besselian_instant(jd0(date) + (t0 + k) / 24) for k in taus]
    col = {key: np.array([s[key] for s in samples]) for key in samples[0]}
    col["mu"] = np.degrees(np.unwrap(np.radians(col["mu"])))

    def fit(key, degree, keep):
        return list(np.polyfit(taus, col[key], degree)[::-1][:keep])

    mu = fit("mu", 1, 2)
    mu[0] = math.fmod(mu[0], 360.0)
    return (fit("x", 3, 4) + fit("y", 3, 4) + fit("d", 2, 3) + mu + fit("l1", 3, 3)
            + fit("l2", 3, 3) + [samples[4]["tan_f1"], samples[4]["tan_f2"]])


# ---- The shadow axis on the Earth ---------------------------------------------------------

def axis_on_earth(jd_tt):
    """The Moon's position and the axis direction (Earth radii), scaled so that the ellipsoid
    is the unit sphere; returns (m, u, discriminant)."""
    sun, moon = sun_moon_km(jd_tt)
    g = (sun - moon) / np.linalg.norm(sun - moon)
    squash = np.array([1.0, 1.0, 1.0 / (1 - 1 / 298.257223563)])
    m = moon / EARTH_KM * squash
    u = -g * squash
    b = m @ u
    return m, u, b * b - (u @ u) * (m @ m - 1)


def central_point(date, ut_h):
    """Geodetic latitude, west longitude (degrees) and the Earth-fixed position (m) of the axis
    on the ellipsoid, or None when the axis misses the Earth."""
    m, u, disc = axis_on_earth(tt_of(date, ut_h))
    if disc < 0:
        return None
    s = (-(m @ u) - math.sqrt(disc)) / (u @ u)
    p = (m + s * u) / np.array([1.0, 1.0, 1.0 / (1 - 1 / 298.257223563)]) * EARTH_KM * 1000
    theta = sidereal(jd0(date) + ut_h / 24)
    fixed = np.array([p[0] * math.cos(theta) + p[1] * math.sin(theta),
                      -p[0] * math.sin(theta) + p[1] * math.cos(theta), p[2]])
    elong, phi, _ = erfa.gc2gd(1, fixed)
    return math.degrees(phi), -math.degrees(elong), fixed


def bisect(f, a, b, tol):
    fa = f(a)
    for _ in range(200):
        if abs(b - a) <= tol:
            break
        c = (a + b) / 2
        fc = f(c)
        if (fc < 0) == (fa < 0):
            a, fa = c, fc
        else:
            b = c
    return (a + b) / 2


def axis_start_end(date, near_ut):
    def disc(ut):
        return axis_on_earth(tt_of(date, ut))[2]
    start = near_ut
    while disc(start) > 0:
        start -= 1 / 60
    end = near_ut
    while disc(end) > 0:
        end += 1 / 60
    return (bisect(disc, start, start + 1 / 60, 1e-3 / 3600),
            bisect(disc, end, end - 1 / 60, 1e-3 / 3600))


def greatest_ut(date, near_ut):
    """Universal time of the least distance of the axis from the Earth's centre."""
    def gamma(ut):
        e = besselian_instant(tt_of(date, ut))
        return math.hypot(e["x"], e["y"])
    return golden(gamma, near_ut - 1, near_ut + 1, 0.01 / 3600)


def ground_speed_kmh(date, ut_h):
    p0 = central_point(date, ut_h - 5 / 3600)[2]
    p1 = central_point(date, ut_h + 5 / 3600)[2]
    return np.linalg.norm(p1 - p0) / 1000 / 10 * 3600


# ---- Local circumstances --------------------------------------------------------------------

class Site:
    def __init__(self, date, lat, lon_w):
        self.date = date
        self.lat, self.lon_w = math.radians(lat), math.radians(lon_w)
        self.fixed = erfa.gd2gc(1, math.radians(-lon_w), math.radians(lat), 0.0) / 1000

    def bodies(self, ut_h):
        """Sun, Moon and the site (km, true equator of date) and the sidereal angle."""
        sun, moon = sun_moon_km(tt_of(self.date, ut_h))
        theta = sidereal(jd0(self.date) + ut_h / 24)
        f = self.fixed
        site = np.array([f[0] * math.cos(theta) - f[1] * math.sin(theta),
                         f[0] * math.sin(theta) + f[1] * math.cos(theta), f[2]])
        return sun, moon, site, theta

    def disc_state(self, ut_h):
        """Separation, Sun and Moon semidiameters (radians) seen from the site."""
        sun, moon, site, _ = self.bodies(ut_h)
        s, m = sun - site, moon - site
        sep = math.atan2(np.linalg.norm(np.cross(s, m)), s @ m)
        return (sep, math.asin(SUN_RADIUS_KM / np.linalg.norm(s)),
                math.asin(MOON_RADIUS_KM / np.linalg.norm(m)))

    def sun_altitude(self, ut_h):
        """Geometric altitude of the Sun's centre above the site's horizon (degrees)."""
        sun, _, site, theta = self.bodies(ut_h)
        up = np.array([math.cos(self.lat) * math.cos(theta - self.lon_w),
                       math.cos(self.lat) * math.sin(theta - self.lon_w), math.sin(self.lat)])
        s = sun - site
        return math.degrees(math.asin(up @ s / np.linalg.norm(s)))

    def outer(self, ut):
        sep, rs, rm = self.disc_state(ut)
        return sep - (rs + rm)

    def inner(self, ut):
        sep, rs, rm = self.disc_state(ut)
        return sep - abs(rm - rs)

    def greatest(self, near_ut):
        times = [near_ut + k / 60 for k in range(-180, 181)]
        best = min(times, key=lambda t: self.disc_state(t)[0])
        return golden(lambda t: self.disc_state(t)[0], best - 1 / 60, best + 1 / 60,
                      1e-3 / 3600)

    def contact(self, f, start, step):
        if f(start) >= 0:
            return -1.0
        t = start
        for _ in range(int(4 / abs(step))):
            if f(t + step) >= 0:
                return bisect(f, t, t + step, 1e-3 / 3600)
            t += step
        raise RuntimeError("no contact")


def obscuration(sep, rs, rm):
    if sep >= rs + rm:
        return 0.0
    if sep <= abs(rm - rs):
        return min(1.0, (rm / rs) ** 2)
    a1 = math.acos((sep * sep + rs * rs - rm * rm) / (2 * sep * rs))
    a2 = math.acos((sep * sep + rm * rm - rs * rs) / (2 * sep * rm))
    overlap = rs * rs * (a1 - math.sin(a1) * math.cos(a1)) + rm * rm * (a2 - math.sin(a2) * math.cos(a2))
    return overlap / (math.pi * rs * rs)


def local_circumstances(date, lat, lon_w, search_ut):
    site = Site(date, lat, lon_w)
    tmax = site.greatest(search_ut)
    sep, rs, rm = site.disc_state(tmax)
    magnitude = (rs + rm - sep) / (2 * rs)
    c1 = site.contact(site.outer, tmax, -30 / 3600)
    c4 = site.contact(site.outer, tmax, 30 / 3600)
    c2 = site.contact(site.inner, tmax, -2 / 3600)
    c3 = site.contact(site.inner, tmax, 2 / 3600)
    return [c1, c2, tmax, c3, c4, magnitude, 100 * obscuration(sep, rs, rm)]


def path_width_km(date, ut_h):
    """Distance between the two limits of the central phase, perpendicular to the track."""
    lat, lon_w, _ = central_point(date, ut_h)
    la0, lo0, _ = central_point(date, ut_h - 30 / 3600)
    la1, lo1, _ = central_point(date, ut_h + 30 / 3600)
    north = (la1 - la0) * 111.2
    east = -(lo1 - lo0) * 111.2 * math.cos(math.radians(lat))
    norm = math.hypot(north, east)
    across = (-east / norm, north / norm)   # unit vector to the left of the track

    def inside(offset_km):
        dlat = across[0] * offset_km / 110.95
        dlon = -across[1] * offset_km / (111.32 * math.cos(math.radians(lat)))
        site = Site(date, lat + dlat, lon_w + dlon)
        t = site.greatest(ut_h)
        return site.inner(t)

    return sum(bisect(inside, 0.0, side * 400.0, 0.01) * side for side in (1, -1))


def limit_latitude(date, lon_w, ut_h, central_lat, inner, side):
    """Latitude on the meridian where the greatest eclipse just touches the inner (central
    limit) or outer (partial limit) tangency; +-90 when the whole meridian side is inside."""
    def inside(lat):
        site = Site(date, lat, lon_w)
        t = site.greatest(ut_h)
        return site.inner(t) if inner else site.outer(t)
    pole = side * 89.9
    if inside(pole) < 0:
        return side * 90.0
    return bisect(inside, central_lat, pole, 1e-4)


def limit_rows():
    rows = []
    for date, times in CENTRAL:
        for ut in times[:2]:
            lat, lon_w, _ = central_point(date, ut)
            lon_w = round(lon_w, 2)
            row = list(date) + [ut, lon_w, lat]
            for inner in (True, False):
                row += [limit_latitude(date, lon_w, ut, lat, inner, side) for side in (-1, 1)]
            rows.append(row)
            print("limits", date, ["%.4f" % v for v in row[4:]])
    return rows


def central_rows():
    rows = []
    for date, times in CENTRAL:
        for ut in times:
            lat, lon_w, _ = central_point(date, ut)
            c = local_circumstances(date, lat, lon_w, ut)
            rows.append(list(date) + [ut, lat, lon_w, (c[3] - c[1]) * 3600,
                                      path_width_km(date, ut), ground_speed_kmh(date, ut)])
            print("central", date, "%.4f" % ut, ["%.4f" % v for v in rows[-1][4:]])
    return rows


def besselian_rows():
    rows = []
    for date, kind, near in ECLIPSES:
        g = greatest_ut(date, near)
        hour = int(g)
        minute = int((g - hour) * 60)
        t0 = hour + (minute + 30) // 60
        start, end = axis_start_end(date, g)
        rows.append(list(date) + [t0, g, start, end] + fit_elements(date, t0))
        print("elements", date, kind, "greatest %.5f start %.5f end %.5f" % (g, start, end))
    return rows


def site_rows():
    rows = []
    for date, (hour, minute), lat, lon_w, name in SITES:
        ut = hour + minute / 60
        if lat is None:
            lat, lon_w, _ = central_point(date, ut)
            lat, lon_w = round(lat, 2), round(lon_w, 2)
        rows.append([name] + list(date) + [hour, minute, lat, lon_w]
                    + local_circumstances(date, lat, lon_w, ut))
        print("site", name, ["%.5f" % v for v in rows[-1][8:]])
    return rows


def grid_rows():
    rows = []
    for date, near in GRID:
        g = greatest_ut(date, near)
        lat0, lon0, _ = central_point(date, g)
        hour, minute = int(g), int((g - int(g)) * 60)
        for lat in range(round(lat0) - 32, round(lat0) + 33, 4):
            for lon in range(round(lon0) - 48, round(lon0) + 49, 6):
                lon_w = (lon + 180) % 360 - 180
                site = Site(date, lat, lon_w)
                tmax = site.greatest(g)
                sep, rs, rm = site.disc_state(tmax)
                magnitude = (rs + rm - sep) / (2 * rs)
                if magnitude > 0.02 and site.sun_altitude(tmax) > 1:
                    rows.append(list(date) + [hour, minute, lat, lon_w, tmax, magnitude])
        print("grid", date, len(rows), "places so far")
    return rows


def main():
    common = ["Delta T 66.184 s. Sun: ERFA epv00 (light time, aberration); Moon: Swiss Ephemeris "
              "semo_18.se1 (JPL DE431) at the retarded time;",
              "true equator and equinox of date by erfa.pnm80. See the script for the geometry."]
    write_table("solar_besselian_reference.csv",
                ["Besselian elements fitted over t0 - 4 h .. t0 + 4 h (TT), one k = 0.2725076;",
                 "greatest (least axis distance), axis start and end on the ellipsoid, UT hours."]
                + common,
                ["year", "month", "day", "t0", "greatest_ut", "axis_start_ut", "axis_end_ut",
                 "x0", "x1", "x2", "x3", "y0", "y1", "y2", "y3", "d0", "d1", "d2", "mu0", "mu1",
                 "l1_0", "l1_1", "l1_2", "l2_0", "l2_1", "l2_2", "tan_f1", "tan_f2"],
                besselian_rows())
    write_table("solar_central_line_reference.csv",
                ["Central line at UT: geodetic latitude, west longitude (degrees), central",
                 "duration (s) and path width (km) there, ground speed of the axis point (km/h)."]
                + common,
                ["year", "month", "day", "ut", "latitude", "longitude_w", "duration_s",
                 "width_km", "speed_kmh"], central_rows())
    write_table("solar_limits_reference.csv",
                ["Limits on the meridian of a central point (west longitude, degrees): latitudes of",
                 "the southern and northern limits of the central and of the partial eclipse",
                 "(+-90: no limit on that side), at height 0."] + common,
                ["year", "month", "day", "ut", "longitude_w", "central_latitude", "central_south",
                 "central_north", "partial_south", "partial_north"], limit_rows())
    write_table("solar_local_reference.csv",
                ["Local circumstances at height 0 searched from hour:minute UT; contacts and",
                 "greatest in UT hours (-1: none), magnitude (negative: no eclipse), obscuration %."]
                + common,
                ["site", "year", "month", "day", "hour", "minute", "latitude", "longitude_w",
                 "c1", "c2", "greatest", "c3", "c4", "magnitude", "obscuration"], site_rows())
    write_table("solar_greatest_grid_reference.csv",
                ["Greatest eclipse at a grid of places (height 0) around each eclipse's central point,",
                 "where the magnitude exceeds 0.02 and the Sun is more than 1 degree high then:",
                 "UT hours of the least separation; hour and minute: greatest eclipse on the axis."]
                + common,
                ["year", "month", "day", "hour", "minute", "latitude", "longitude_w", "greatest",
                 "magnitude"], grid_rows())


if __name__ == "__main__":
    main()
