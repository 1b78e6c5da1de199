#!/usr/bin/python3
"""Writes tests/reference/planet_events.csv and tests/reference/planet_year_chart.csv.

planet_events.csv, events from 2024-02-01 to 2026-04-01 (UT):
  opposition  greatest elongation from the Sun (above 150 degrees) of Mars .. Pluto;
  crossing    the heliocentric longitude of Mercury or Venus passing the Earth's on the
              near side (inferior conjunction), value the geocentric separation from the Sun;
  minimum     geocentric minimum below 3.5 degrees of the separation of every pair of
              Mercury .. Pluto, and of Mercury and Venus with the Sun (body2 0).
Bodies by the program's body numbers (0 Sun, 2 Mercury .. 9 Pluto); places are PyEphem's
apparent geocentric places of date; instants found by golden-section search to 10 s.

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

EVENTS = "tests/reference/planet_events.csv"
CHART = "tests/reference/planet_year_chart.csv"
START, END = ephem.Date("2024/2/1"), ephem.Date("2026/4/1")
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


def golden(f, a, b, tol=10.0 / 86400):
    r = (math.sqrt(5) - 1) / 2
    c, d = b - r * (b - a), a + r * (b - a)
    fc, fd = f(c), f(d)
    while b - a > tol:
        if fc < fd:
            b, d, fd = d, c, fc
            c = b - r * (b - a)
            fc = f(c)
        else:
            a, c, fc = c, d, fd
            d = a + r * (b - a)
            fd = f(d)
    return (a + b) / 2


def minima(f, step, limit):
    """Instants of the local minima of f below limit, sampled every `step` days."""
    found = []
    t, prev2, prev1 = START + step, f(START), f(START + step)
    while t + step < END:
        now = f(t + step)
        if prev1 <= prev2 and prev1 < now and prev1 < limit + 1.0:
            when = golden(f, t - step, t + step)
            if f(when) < limit:
                found.append((when, f(when)))
        prev2, prev1, t = prev1, now, t + step
    return found


def row(kind, b1, b2, when, value):
    y, mo, d, h, mi, s = ephem.Date(when).tuple()
    return "%s,%d,%d,%d,%d,%d,%d,%d,%.6f,%.4f" % (kind, b1, b2, y, mo, d, h, mi, when + 2415020.0, value)


def heliocentric_gap(n, when):
    """Planet's heliocentric longitude less the Earth's, degrees in -180..180."""
    earth = body(0, when).hlon  # PyEphem gives the Earth's heliocentric longitude for the Sun
    return (math.degrees(body(n, when).hlon - earth) + 180.0) % 360.0 - 180.0


def crossings(n):
    out, t = [], START
    while t < END:
        g0, g1 = heliocentric_gap(n, t), heliocentric_gap(n, t + 1)
        if g0 < 0 <= g1 or g1 < 0 <= g0:
            if abs(g0) < 90 and abs(g1) < 90:
                a, b = t, t + 1
                for _ in range(40):
                    m = (a + b) / 2
                    if (heliocentric_gap(n, a) < 0) == (heliocentric_gap(n, m) < 0):
                        a = m
                    else:
                        b = m
                out.append(((a + b) / 2, separation(n, 0, (a + b) / 2)))
        t += 1
    return out


def events():
    rows = []
    for n in range(4, 10):
        for when, v in minima(lambda t, n=n: -abs(math.degrees(body(n, t).elong)), 1.0, -150.0):
            rows.append(row("opposition", n, 0, when, -v))
    for n in (2, 3):
        for when, v in crossings(n):
            rows.append(row("crossing", n, 0, when, v))
        for when, v in minima(lambda t, n=n: separation(n, 0, t), 0.25, 3.5):
            rows.append(row("minimum", n, 0, when, v))
    for i in range(2, 10):
        for j in range(i + 1, 10):
            for when, v in minima(lambda t, i=i, j=j: separation(i, j, t), 0.25, 3.5):
                rows.append(row("minimum", i, j, when, v))
    with open(EVENTS, "w") as f:
        f.write("# Oppositions, inferior conjunctions and geocentric minima of separation, UT,\n")
        f.write("# 2024-02-01 .. 2026-04-01, by PyEphem %s; written by\n" % ephem.__version__)
        f.write("# scripts/reference/planet_events.py\n")
        f.write("kind,body1,body2,year,month,day,hour,minute,jd,value\n")
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
