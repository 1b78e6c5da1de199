#!/usr/bin/python3
"""Writes the reference tables of four solar eclipses: three whose Moon crosses 0 degrees of
ecliptic longitude near greatest eclipse (1746-03-22 annular, 1773-03-23 annular, 1811-03-24
total) and one whose contacts come before 0h UT of its date in much of the path (2013-05-10
annular, greatest at 00:25 UT).

tests/reference/solar_moon_crossing_durations_pyephem.csv: the central duration, the second to
the third contact seen from the point where the shadow axis meets the Earth, at greatest eclipse
(the least distance of the axis from the Earth's centre) of the first three, and on 2013-05-10 at
three instants before 0h UT (UT hours of the eclipse's date: negative, the day before).

tests/reference/solar_moon_crossing_sites_pyephem.csv: the local circumstances at 30 N 90 E on
1746-03-22 and at 11.596 S 149.279 E on 2013-05-10: the four contacts and greatest eclipse
(UT hours of the eclipse's date), the magnitude.

tests/reference/solar_moon_crossing_line_pyephem.csv: the central line of 1746-03-22 every whole
minute while the shadow axis meets the Earth, with the axis's first and last instant on it.

tests/reference/solar_moon_crossing_grid_pyephem.csv: 1746-03-22 and 2013-05-10 at every place
of a 2.5 degree grid (latitudes -87.5 .. 87.5, longitudes -180 .. 177.5) that the penumbra
reaches (the limbs meet): the magnitude at greatest eclipse; the Sun's highest altitude from the
first to the last contact less -0.8333 degree (the upper limb on the horizon with 34' of
refraction): above 0 the eclipse is seen; the difference of the semidiameters less the least
separation of the centres (arcseconds): above 0 there is a central phase.

Sources and geometry: the Sun of ERFA (epv00, light time, aberration) and the geometry of
solar_eclipse_reference.py (the shadow axis met with the WGS84 ellipsoid, topocentric contacts
where the separation equals the sum or the difference of the semidiameters, Sun 959.63" at 1 AU,
Moon k = 0.2725076 Earth radii, height 0), with the Moon of PyEphem (libastro's lunar theory,
astrometric geocentric J2000) in place of the Swiss Ephemeris. Delta T, an input: Meeus,
Astronomical Algorithms, table 10.A, for the eighteenth and nineteenth centuries (12.0 s in
1746, 15.0 s in 1773, 12.0 s in 1811); 66.184 s in 2013, the program's default for 2006-2049.
The grid takes the Sun and the Moon every minute over greatest eclipse +- 4 h; contacts by
linear interpolation between the minutes, the least separation from a parabola through the
three minutes around it.

Run from the top folder (needs python3-ephem, python3-erfa, python3-numpy):
    /usr/bin/python3 scripts/reference/solar_eclipse_moon_crossing_pyephem.py
"""
import math
import os
import sys

import ephem
import erfa
import numpy as np

sys.path.insert(0, os.path.dirname(__file__))
from common import unit, write_table  # noqa: E402
import solar_eclipse_reference as geo  # noqa: E402

# Date, an instant near greatest eclipse (UT hours), Delta T (s).
ECLIPSES = {
    (1746, 3, 22): (2.9, 12.0),
    (1773, 3, 23): (5.3, 15.0),
    (1811, 3, 24): (14.2, 12.0),
    (2013, 5, 10): (0.45, 66.184),
}
# 2013-05-10: instants before 0h UT of the date on the central line.
BEFORE_MIDNIGHT = [-1.25, -0.75, -0.25]
# Place name, date, latitude (degrees north), west longitude (degrees).
SITES = [("30N 90E", (1746, 3, 22), 30.0, -90.0),
         ("11.596S 149.279E", (2013, 5, 10), -11.596, -149.279)]
GRID_DATES = [(1746, 3, 22), (2013, 5, 10)]
SOURCE = "PyEphem %s (libastro Moon) and python3-erfa %s" % (ephem.__version__, erfa.__version__)
RISE_ALTITUDE = -0.8333


def pyephem_moon_icrs_km(jd_tt):
    """The Moon's astrometric geocentric J2000 place from PyEphem at the dynamical time jd_tt
    (PyEphem takes UT and adds its own Delta T)."""
    dublin = jd_tt - 2415020.0
    ut = dublin - ephem.delta_t(ephem.Date(dublin)) / 86400
    ut = dublin - ephem.delta_t(ephem.Date(ut)) / 86400
    moon = ephem.Moon()
    moon.compute(ephem.Date(ut), epoch=ephem.J2000)
    return unit(float(moon.a_ra) * 12 / math.pi, math.degrees(moon.a_dec)) * moon.earth_distance * geo.AU_KM


geo.moon_icrs_km = pyephem_moon_icrs_km


def use(date):
    """Sets the geometry's Delta T for an eclipse; returns its instant near greatest (UT hours)."""
    near, geo.DELTA_T = ECLIPSES[date]
    return near


def duration_row(what, date, ut):
    lat, lon_w, _ = geo.central_point(date, ut)
    c = geo.local_circumstances(date, lat, lon_w, ut)
    row = [what] + list(date) + [ut, lat, lon_w, c[1], c[3], (c[3] - c[1]) * 3600]
    print(what, date, ["%.5f" % v for v in row[4:]])
    return row


def duration_rows():
    rows = []
    for date in list(ECLIPSES)[:3]:
        rows.append(duration_row("greatest", date, geo.greatest_ut(date, use(date))))
    use((2013, 5, 10))
    rows += [duration_row("before 0h", (2013, 5, 10), ut) for ut in BEFORE_MIDNIGHT]
    return rows


def site_rows():
    rows = []
    for name, date, lat, lon_w in SITES:
        c = geo.local_circumstances(date, lat, lon_w, use(date))
        assert c[5] > 0 and min(c[3] - c[1], c[4] - c[0]) > 0, c
        rows.append([name] + list(date) + [lat, lon_w] + c[:6])
        print(name, ["%.5f" % v for v in rows[-1][6:]])
    return rows


def line_rows():
    date = (1746, 3, 22)
    start, end = geo.axis_start_end(date, use(date))
    rows = [["start"] + list(date) + [start, 0, 0], ["end"] + list(date) + [end, 0, 0]]
    for minute in range(math.ceil(start * 60), math.floor(end * 60) + 1):
        lat, lon_w, _ = geo.central_point(date, minute / 60)
        rows.append(["point"] + list(date) + [minute / 60, lat, lon_w])
    print("line", date, "%.5f .. %.5f" % (start, end), len(rows) - 2, "points")
    return rows


def crossings(uts, f):
    """UTs where f (sites x times) changes sign, interpolated: the first and the last."""
    inside = f < 0
    first = np.argmax(inside, axis=1)
    last = f.shape[1] - 1 - np.argmax(inside[:, ::-1], axis=1)
    rows = np.arange(f.shape[0])

    def at(i, j):
        return uts[i] + (uts[j] - uts[i]) * f[rows, i] / (f[rows, i] - f[rows, j])
    return at(np.maximum(first - 1, 0), first), at(last, np.minimum(last + 1, f.shape[1] - 1))


def grid_chunk(uts, bodies, lat, lon_w):
    """Magnitude, seen margin (degrees) and central margin (arcseconds) at sites (arrays)."""
    fixed = erfa.gd2gc(1, np.radians(-lon_w), np.radians(lat), 0.0) / 1000
    sun, moon, theta = bodies
    c, s = np.cos(theta), np.sin(theta)
    site = np.stack([fixed[:, None, 0] * c - fixed[:, None, 1] * s,
                     fixed[:, None, 0] * s + fixed[:, None, 1] * c,
                     np.broadcast_to(fixed[:, None, 2], (len(lat), len(uts)))], axis=-1)
    ts, tm = sun[None] - site, moon[None] - site
    ds, dm = np.linalg.norm(ts, axis=-1), np.linalg.norm(tm, axis=-1)
    sep = np.arctan2(np.linalg.norm(np.cross(ts, tm), axis=-1), np.sum(ts * tm, axis=-1))
    rs, rm = np.arcsin(geo.SUN_RADIUS_KM / ds), np.arcsin(geo.MOON_RADIUS_KM / dm)
    up = np.stack([np.cos(np.radians(lat))[:, None] * np.cos(theta[None] - np.radians(lon_w)[:, None]),
                   np.cos(np.radians(lat))[:, None] * np.sin(theta[None] - np.radians(lon_w)[:, None]),
                   np.broadcast_to(np.sin(np.radians(lat))[:, None], sep.shape)], axis=-1)
    altitude = np.degrees(np.arcsin(np.sum(up * ts, axis=-1) / ds))
    rows = np.arange(len(lat))
    i = np.clip(np.argmin(sep, axis=1), 1, len(uts) - 2)
    a, b, c2 = sep[rows, i - 1] ** 2, sep[rows, i] ** 2, sep[rows, i + 1] ** 2
    least = np.sqrt(np.maximum(b - (c2 - a) ** 2 / (8 * np.maximum(a + c2 - 2 * b, 1e-30)), 0))
    magnitude = (rs[rows, i] + rm[rows, i] - least) / (2 * rs[rows, i])
    central = (np.abs(rm[rows, i] - rs[rows, i]) - least) * 206264.80624709636
    with np.errstate(divide="ignore", invalid="ignore"):
        first, last = crossings(uts, sep - rs - rm)
    during = (uts[None] >= first[:, None]) & (uts[None] <= last[:, None])
    ends = [np.array([np.interp(t, uts, altitude[k]) for k, t in enumerate(x)]) for x in (first, last)]
    highest = np.maximum(np.max(np.where(during, altitude, -90), axis=1), np.maximum(*ends))
    reached = np.any(sep < rs + rm, axis=1)
    return np.where(reached, magnitude, -1), highest - RISE_ALTITUDE, central


def grid_rows():
    rows = []
    lat, lon = np.meshgrid(np.arange(-87.5, 87.6, 2.5), np.arange(-180, 180, 2.5), indexing="ij")
    lat, lon_w = lat.ravel(), -lon.ravel()
    for date in GRID_DATES:
        g = geo.greatest_ut(date, use(date))
        uts = g + np.arange(-240, 241) / 60
        pairs = [geo.sun_moon_km(geo.tt_of(date, ut)) for ut in uts]
        bodies = (np.array([p[0] for p in pairs]), np.array([p[1] for p in pairs]),
                  np.array([geo.sidereal(geo.jd0(date) + ut / 24) for ut in uts]))
        count = 0
        for k in range(0, len(lat), 500):
            m, seen, central = grid_chunk(uts, bodies, lat[k:k + 500], lon_w[k:k + 500])
            for j in np.nonzero(m > 0)[0]:
                rows.append(["%d" % date[0], "%.1f" % lat[k + j], "%.1f" % lon_w[k + j], "%.4f" % m[j],
                             "%.2f" % seen[j], "%.1f" % central[j]])
                count += 1
        print("grid", date, count, "places in the penumbra")
    return rows


def main():
    common = ["Sun: ERFA epv00 (light time, aberration); Moon: PyEphem (libastro) at the retarded time; true",
              "equator and equinox of date by erfa.pnm80; Delta T 12.0 s (1746), 15.0 (1773), 12.0 (1811),",
              "66.184 (2013). Geometry of solar_eclipse_reference.py (Sun 959.63\", k = 0.2725076,",
              "WGS84, height 0)."]
    write_table("solar_moon_crossing_durations_pyephem.csv",
                ["Central duration: the second to the third contact (UT hours of the date) at the point",
                 "where the shadow axis meets the Earth at UT (hours; negative: the day before), degrees."]
                + common,
                ["what", "year", "month", "day", "ut", "latitude", "longitude_west", "c2", "c3", "duration_s"],
                duration_rows(), SOURCE)
    write_table("solar_moon_crossing_sites_pyephem.csv",
                ["Local circumstances: contacts and greatest (UT hours of the date; negative: the day",
                 "before), magnitude (the part of the Sun's diameter covered)."] + common,
                ["place", "year", "month", "day", "latitude", "longitude_west", "c1", "c2", "greatest", "c3",
                 "c4", "magnitude"], site_rows(), SOURCE)
    write_table("solar_moon_crossing_line_pyephem.csv",
                ["Central line: the shadow axis on the Earth at UT (hours), geodetic latitude and west",
                 "longitude (degrees); 'start' and 'end': the axis's first and last instant on the Earth."]
                + common,
                ["what", "year", "month", "day", "ut", "latitude", "longitude_west"], line_rows(), SOURCE)
    write_table("solar_moon_crossing_grid_pyephem.csv",
                ["Places of a 2.5 degree grid in the penumbra on 1746-03-22 and 2013-05-10 (degrees): the",
                 "magnitude at greatest; seen: the Sun's highest altitude from the first to the last contact",
                 "+ 0.8333 (deg; above 0: the eclipse is seen); central: the difference of the semidiameters",
                 "less the least separation (arcsec; above 0: a central phase)."] + common,
                ["year", "latitude", "longitude_west", "magnitude", "seen", "central"], grid_rows(), SOURCE)


if __name__ == "__main__":
    main()
