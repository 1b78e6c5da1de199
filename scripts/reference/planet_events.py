#!/usr/bin/python3
"""Writes tests/reference/planet_events.csv and tests/reference/planet_year_chart.csv.

planet_events.csv, events from 2024-01-01 to 2031-02-01 (UT):
  opposition  opposition in longitude of Mars .. Pluto: the apparent geocentric ecliptic
              longitude (of date) 180 degrees from the Sun's; value the elongation;
  inferior    inferior conjunction in longitude of Mercury or Venus (the planet nearer
              than the Sun); value the geocentric separation from the Sun;
  minimum     geocentric minimum below 3.5 degrees of the separation of every pair of
              Mercury .. Pluto, and of Mercury and Venus with the Sun (body2 0), with both
              bodies' apparent geocentric places of date at the minimum (ra1, dec1, ra2, dec2)
              and the curvature of the separation there (arcseconds a day squared);
  new, full   new and full Moons (PyEphem's next_new_moon and next_full_moon);
  lunar, solar  eclipses, greatest eclipse from tests/reference/eclipses_2000_2030_erfa.csv
              (dynamical time, made by scripts/reference/lunation_eclipse_erfa.py) less
              PyEphem's Delta T; value the kind (1 penumbral, 2 partial, 3 annular, 4 total);
              lunar_marginal a penumbral eclipse of penumbral magnitude below 0.05, which
              the published criteria may or may not count;
Bodies by the program's body numbers (0 Sun, 2 Mercury .. 9 Pluto); places are PyEphem's
apparent geocentric places of date; instants found by golden-section search or bisection
to 10 s.

planet_year_chart.csv, the chart that starts on 2024-03-01 (day 0) at 0 h UT, every day
0..382: elongation from the Sun (degrees) of Venus, Mars and Jupiter from PyEphem, and the
visual magnitudes of Mercury .. Saturn by the laws of Meeus, Astronomical Algorithms (2nd
ed.), ch. 41 (the Astronomical Almanac from 1984), on PyEphem's distances and phase angle;
Saturn without the ring terms, as the chart plots it.

Source: PyEphem (Debian python3-ephem, libastro).

Run from the top folder:  /usr/bin/python3 scripts/reference/planet_events.py
"""
import math

import ephem

from common import golden

EVENTS = "tests/reference/planet_events.csv"
CHART = "tests/reference/planet_year_chart.csv"
START, END = ephem.Date("2024/1/1"), ephem.Date("2031/2/1")
ECLIPSES = "tests/reference/eclipses_2000_2030_erfa.csv"
DUBLIN_JD = 2415020.0
MARGINAL = 0.05  # penumbral magnitude below which the shadow models disagree on an eclipse
CHART_START = ephem.Date("2024/3/1")

BODIES = {0: ephem.Sun, 2: ephem.Mercury, 3: ephem.Venus, 4: ephem.Mars, 5: ephem.Jupiter,
          6: ephem.Saturn, 7: ephem.Uranus, 8: ephem.Neptune, 9: ephem.Pluto}


def body(n, when):
    b = BODIES[n]()
    b.compute(ephem.Date(when))
    return b


def separation(n1, n2, when):
    a, b = body(n1, when), body(n2, when)
    return math.degrees(ephem.separation((a.ra, a.dec), (b.ra, b.dec)))


def minima(f, step, limit):
    """Instants of the local minima of f below limit, sampled every `step` days."""
    found = []
    t, prev2, prev1 = START + step, f(START), f(START + step)
    while t + step < END:
        now = f(t + step)
        if prev1 <= prev2 and prev1 < now and prev1 < limit + 1.0:
            when = golden(f, t - step, t + step, 10.0 / 86400)
            if f(when) < limit:
                found.append((when, f(when)))
        prev2, prev1, t = prev1, now, t + step
    return found


def row(kind, b1, b2, when, value, places=(0.0, 0.0, 0.0, 0.0), curvature=0.0):
    y, mo, d, h, mi, s = ephem.Date(when).tuple()
    return "%s,%d,%d,%d,%d,%d,%d,%d,%.6f,%.4f,%.7f,%.6f,%.7f,%.6f,%.1f" % (
        kind, b1, b2, y, mo, d, h, mi, when + DUBLIN_JD, value, *places, curvature)


def curvature(n1, n2, when, h=0.25):
    """Second derivative of the separation at `when`, arcseconds a day squared."""
    s = [separation(n1, n2, when + k * h) * 3600 for k in (-1, 0, 1)]
    return (s[0] - 2 * s[1] + s[2]) / (h * h)


def places(n1, n2, when):
    """Apparent geocentric places of date (RA hours, Dec degrees) of two bodies."""
    a, b = body(n1, when), body(n2, when)
    return (math.degrees(a.g_ra) / 15, math.degrees(a.g_dec), math.degrees(b.g_ra) / 15, math.degrees(b.g_dec))


def longitude_gap(n, when, offset):
    """Apparent geocentric ecliptic longitude of body n less the Sun's less offset, in -180..180."""
    lon = [ephem.Ecliptic(ephem.Equatorial(b.g_ra, b.g_dec, epoch=when), epoch=when).lon
           for b in (body(n, when), body(0, when))]
    return (math.degrees(lon[0] - lon[1]) - offset + 180.0) % 360.0 - 180.0


def zeros(f, near=lambda t: True):
    """Instants where f (degrees, continuous near 0) passes 0 from day to day."""
    out, t = [], START
    while t < END:
        g0, g1 = f(t), f(t + 1)
        if (g0 < 0 <= g1 or g1 < 0 <= g0) and abs(g0) < 90 and abs(g1) < 90 and near(t):
            a, b = t, t + 1
            while b - a > 10.0 / 86400:
                m = (a + b) / 2
                if (f(a) < 0) == (f(m) < 0):
                    a = m
                else:
                    b = m
            out.append((a + b) / 2)
        t += 1
    return out


def lunations():
    rows = []
    for kind, step in (("new", ephem.next_new_moon), ("full", ephem.next_full_moon)):
        t = step(START)
        while t < END:
            rows.append(row(kind, 0, 0, t, 0.0 if kind == "new" else 100.0))
            t = step(t + 1)
    with open(ECLIPSES) as f:
        lines = [line.strip().split(",") for line in f if not line.startswith("#")]
    header = lines[0]
    for cells in lines[1:]:
        r = dict(zip(header, cells))
        tt = float(r["greatest_jde_tt"])
        ut = tt - ephem.delta_t(ephem.Date(tt - DUBLIN_JD)) / 86400.0 - DUBLIN_JD
        if START <= ut < END:
            kind = "lunar" if float(r["phase"]) == 0.5 else "solar"
            if kind == "lunar" and float(r["penumbral_magnitude"]) < MARGINAL:
                kind = "lunar_marginal"
            rows.append(row(kind, 0, 0, ut, float(r["kind"])))
    return rows
def events():
    rows = lunations()
    for n in range(4, 10):
        for when in zeros(lambda t, n=n: longitude_gap(n, t, 180.0)):
            rows.append(row("opposition", n, 0, when, abs(math.degrees(body(n, when).elong))))
    for n in (2, 3):
        nearer = lambda t, n=n: body(n, t).earth_distance < body(0, t).earth_distance  # noqa: E731
        for when in zeros(lambda t, n=n: longitude_gap(n, t, 0.0), nearer):
            rows.append(row("inferior", n, 0, when, separation(n, 0, when)))
        for when, v in minima(lambda t, n=n: separation(n, 0, t), 0.25, 3.5):
            rows.append(row("minimum", n, 0, when, v, places(n, 0, when), curvature(n, 0, when)))
    for i in range(2, 10):
        for j in range(i + 1, 10):
            for when, v in minima(lambda t, i=i, j=j: separation(i, j, t), 0.25, 3.5):
                rows.append(row("minimum", i, j, when, v, places(i, j, when), curvature(i, j, when)))
    with open(EVENTS, "w") as f:
        f.write("# Lunations, eclipses, oppositions, inferior conjunctions and geocentric minima of\n")
        f.write("# separation, UT, 2024-01-01 .. 2031-02-01, by PyEphem %s (eclipses from\n" % ephem.__version__)
        f.write("# eclipses_2000_2030_erfa.csv); written by scripts/reference/planet_events.py\n")
        f.write("kind,body1,body2,year,month,day,hour,minute,jd,value,ra1,dec1,ra2,dec2,curvature\n")
        for r in rows:
            f.write(r + "\n")
    print("wrote", EVENTS, len(rows), "rows")


# Meeus ch. 41: H and the phase-angle terms (i in degrees) of the planets.
def magnitude(n, r, delta, i):
    law = {2: -0.42 + 0.0380 * i - 0.000273 * i ** 2 + 0.000002 * i ** 3,
           3: -4.40 + 0.0009 * i + 0.000239 * i ** 2 - 0.00000065 * i ** 3,
           4: -1.52 + 0.016 * i,
           5: -9.40 + 0.005 * i,
           6: -8.88 + 0.044 * i}[n]
    return law + 5 * math.log10(r * delta)


def phase_angle(r, delta, big_r):
    return math.degrees(math.acos((r * r + delta * delta - big_r * big_r) / (2 * r * delta)))


def chart():
    with open(CHART, "w") as f:
        f.write("# Year chart from 2024-03-01 0h UT (day 0): elongations of Venus, Mars, Jupiter (degrees)\n")
        f.write("# by PyEphem %s; magnitudes of Mercury .. Saturn by Meeus ch. 41 on PyEphem's\n" % ephem.__version__)
        f.write("# distances (Saturn without its rings); written by scripts/reference/planet_events.py\n")
        f.write("day,elong_venus,elong_mars,elong_jupiter,mag_mercury,mag_venus,mag_mars,mag_jupiter,mag_saturn\n")
        for d in range(383):
            when = CHART_START + d
            big_r = body(0, when).earth_distance
            elong = [abs(math.degrees(body(n, when).elong)) for n in (3, 4, 5)]
            mags = []
            for n in range(2, 7):
                b = body(n, when)
                mags.append(magnitude(n, b.sun_distance, b.earth_distance,
                                      phase_angle(b.sun_distance, b.earth_distance, big_r)))
            f.write("%d,%s\n" % (d, ",".join("%.4f" % v for v in elong + mags)))
    print("wrote", CHART)


if __name__ == "__main__":
    events()
    chart()
