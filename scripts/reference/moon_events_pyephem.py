#!/usr/bin/python3
"""Writes tests/reference/moon_events_pyephem.csv: every transit, shadow on the disk, eclipse and
occultation of Jupiter's four Galilean moons and of five moons of Saturn (Enceladus, Tethys, Dione,
Rhea, Titan) from 2026-12-31 05:00 to 2027-01-31 21:00 UT and from 2027-02-28 07:00 to
2027-05-01 15:00 UT: the local days of January 2027 at +11 h, March at +9 h and April at -7 h with
eight hours to spare on each side; and of Saturn's from 2025-03-11 04:00 to 2025-03-30 16:00 UT,
when Titan's transits and eclipses near the ring-plane crossing last up to six hours: local days
12 to 29 March 2025 at -9 h to +12 h with seven hours to spare.

Source, independent of the program: PyEphem (Debian python3-ephem; libastro's moon theories) for
each moon's offset from its planet (x east, y south, z towards the Earth, planet radii) and for the
planet's and the Sun's astrometric geocentric J2000 places. The geometry is the script's own: the
offset becomes a vector in the J2000 equatorial frame at the planet's place; the planet is the
oblate spheroid of its IAU equatorial and polar radii (Jupiter 71492 and 66854 km, Saturn 60268 and
54364 km) about the IAU pole (Jupiter alpha0 = 268.056595 - 0.006499 T, delta0 = 64.495303 +
0.002413 T; Saturn alpha0 = 40.589 - 0.036 T, delta0 = 83.537 - 0.004 T; T Julian centuries from
J2000). Seen along a direction v (the Earth's line of sight to the planet, or the Sun's), the moon is
in front of the planet when the line through it along v meets the spheroid beyond it, behind when
before it. From the Earth in front is a transit and behind an occultation; from the Sun in front is
the moon's shadow on the planet and behind the moon in the planet's shadow (eclipse). The states are
named as the program's moon theories name them: a transit with its shadow on the disk
"transit_shadow", the shadow alone "shadow"; a moon both occulted and eclipsed is "occultation"
for Jupiter and "eclipse" for Saturn.

Every minute is scanned; each change of a moon's state is found to the second by bisection. One row
per event (a run of one state): start and end in minutes from 2027-01-01 00:00 UT (the instants the
state begins and ends), and at each end the view that sets it (Earth or Sun: the one whose rho is
nearer 1 then) and the rate (radii per minute) at which its rho changes there: rho = the offset
from the centre, across the line of sight, measured in the spheroid's outline (rho = 1 on the
limb). A theory's position error divided by that rate is the time by which
its edge may differ.

Run from the top folder:  /usr/bin/python3 scripts/reference/moon_events_pyephem.py
"""
import math
import os
import sys

import ephem

sys.path.insert(0, os.path.dirname(__file__))
from common import write_table  # noqa: E402

EPOCH = ephem.Date("2027/1/1 00:00:00")
SPANS = ((ephem.Date("2026/12/31 05:00:00"), ephem.Date("2027/1/31 21:00:00")),
         (ephem.Date("2027/2/28 07:00:00"), ephem.Date("2027/5/1 15:00:00")))
SATURN_SPANS = ((ephem.Date("2025/3/11 04:00:00"), ephem.Date("2025/3/30 16:00:00")),)

PLANETS = {
    "jupiter": dict(body=ephem.Jupiter, flattening=71492.0 / 66854.0, eclipse_first=False,
                    pole=(lambda t: 268.056595 - 0.006499 * t, lambda t: 64.495303 + 0.002413 * t),
                    moons=(("io", ephem.Io), ("europa", ephem.Europa), ("ganymede", ephem.Ganymede),
                           ("callisto", ephem.Callisto))),
    "saturn": dict(body=ephem.Saturn, flattening=60268.0 / 54364.0, eclipse_first=True,
                   pole=(lambda t: 40.589 - 0.036 * t, lambda t: 83.537 - 0.004 * t),
                   moons=(("enceladus", ephem.Enceladus), ("tethys", ephem.Tethys), ("dione", ephem.Dione),
                          ("rhea", ephem.Rhea), ("titan", ephem.Titan))),
}


def unit(ra, dec):
    return (math.cos(dec) * math.cos(ra), math.cos(dec) * math.sin(ra), math.sin(dec))


def dot(a, b):
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]


def combine(*terms):
    return tuple(sum(c * v[i] for c, v in terms) for i in range(3))


def normalised(v):
    n = math.sqrt(dot(v, v))
    return tuple(x / n for x in v)


class Scene:
    """The planet at one instant: its place, pole and the Earth's and the Sun's lines of sight."""

    def __init__(self, planet, date):
        p = PLANETS[planet]
        body, sun = p["body"](date), ephem.Sun(date)
        ra, dec = float(body.a_ra), float(body.a_dec)
        self.toward = unit(ra, dec)
        self.east = (-math.sin(ra), math.cos(ra), 0.0)
        self.north = (-math.sin(dec) * math.cos(ra), -math.sin(dec) * math.sin(ra), math.cos(dec))
        t = (ephem.julian_date(date) - 2451545.0) / 36525.0
        self.pole = unit(math.radians(p["pole"][0](t)), math.radians(p["pole"][1](t)))
        planet_at = tuple(float(body.earth_distance) * c for c in self.toward)
        sun_at = tuple(float(sun.earth_distance) * c for c in unit(float(sun.a_ra), float(sun.a_dec)))
        self.sunward = normalised(combine((1.0, planet_at), (-1.0, sun_at)))
        self.k = p["flattening"] ** 2 - 1.0

    def offset(self, moon):
        """The moon's offset from the planet's centre, J2000 equatorial frame, planet radii."""
        return combine((moon.x, self.east), (-moon.y, self.north), (-moon.z, self.toward))

    def view(self, m, v):
        """(rho, side) of offset m seen along v: rho the outline-measured distance from the centre
        across v, side +1 in front of the planet, -1 behind, 0 clear of it."""
        q = lambda a, b: dot(a, b) + self.k * dot(a, self.pole) * dot(b, self.pole)  # noqa: E731
        a, b, c = q(v, v), q(m, v), q(m, m) - 1.0
        rho = math.sqrt(max(0.0, c + 1.0 - b * b / a))
        if rho >= 1.0:
            return rho, 0
        return rho, 1 if b < 0 else -1


def states(planet, date):
    """Per moon: (state, rho seen from the Earth, rho seen from the Sun)."""
    scene, p = Scene(planet, date), PLANETS[planet]
    out = []
    for _, body in p["moons"]:
        m = scene.offset(body(date))
        rho_e, earth = scene.view(m, scene.toward)
        rho_s, sun = scene.view(m, scene.sunward)
        transit, occulted = earth > 0, earth < 0
        shadow, eclipsed = sun > 0, sun < 0
        if shadow:
            state = "transit_shadow" if transit else "shadow"
        elif transit:
            state = "transit"
        elif occulted and eclipsed:
            state = "eclipse" if p["eclipse_first"] else "occultation"
        elif occulted:
            state = "occultation"
        elif eclipsed:
            state = "eclipse"
        else:
            state = ""
        out.append((state, rho_e, rho_s))
    return out


def edge(planet, moon, before, after):
    """The instant (ephem date) to a second at which the moon's state changes between two minutes."""
    want = states(planet, after)[moon][0]
    while after - before > 0.5 * ephem.second:
        middle = ephem.Date((before + after) / 2)
        if states(planet, middle)[moon][0] == want:
            after = middle
        else:
            before = middle
    return ephem.Date((before + after) / 2)


def edge_rate(planet, moon, when):
    """The view that sets the edge (the one whose rho is nearer 1), "earth" or "sun", and the rate
    (radii a minute) at which its rho changes."""
    _, rho_e, rho_s = states(planet, when)[moon]
    column = 1 if abs(rho_e - 1.0) <= abs(rho_s - 1.0) else 2
    before = states(planet, ephem.Date(when - ephem.minute))[moon][column]
    after = states(planet, ephem.Date(when + ephem.minute))[moon][column]
    return ("earth" if column == 1 else "sun"), f"{abs(after - before) / 2.0:.5f}"


def minutes(date):
    return (date - EPOCH) / ephem.minute


def span_events(planet, first, last):
    names = [name for name, _ in PLANETS[planet]["moons"]]
    count = int(round((last - first) / ephem.minute))
    previous = states(planet, first)
    open_at = [None] * len(names)
    rows = []
    for k in range(1, count + 1):
        date = ephem.Date(first + k * ephem.minute)
        now = states(planet, date)
        for moon, name in enumerate(names):
            if now[moon][0] == previous[moon][0]:
                continue
            when = edge(planet, moon, ephem.Date(date - ephem.minute), date)
            view_rate = edge_rate(planet, moon, when)
            if previous[moon][0] and open_at[moon] is not None:
                start, start_view_rate = open_at[moon]
                rows.append([planet, name, previous[moon][0], f"{minutes(start):.3f}", f"{minutes(when):.3f}",
                             *start_view_rate, *view_rate])
            open_at[moon] = (when, view_rate) if now[moon][0] else None
        previous = now
    return rows


def main():
    rows = []
    for planet in PLANETS:
        for first, last in SPANS:
            rows += span_events(planet, first, last)
    for first, last in SATURN_SPANS:
        rows += span_events("saturn", first, last)
    write_table("moon_events_pyephem.csv",
                ["Events of Jupiter's and Saturn's moons (PyEphem moon offsets; the planet's IAU spheroid and",
                 "pole, the Earth's and the Sun's lines of sight): kind transit, transit_shadow, shadow, eclipse,",
                 "occultation; start and end in minutes from 2027-01-01 00:00 UT; at each end the view that sets",
                 "it (earth or sun) and the rate (radii a minute) at which the moon's distance from the disk's",
                 "centre in that view changes"],
                ["planet", "moon", "kind", "start_ut_min", "end_ut_min", "start_view", "start_rate", "end_view",
                 "end_rate"], rows,
                source="PyEphem %s" % ephem.__version__)


if __name__ == "__main__":
    main()
