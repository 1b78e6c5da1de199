#!/usr/bin/python3
"""Writes tests/reference/galilean_moons.csv: the Galilean moons around Jupiter
at random universal times of 2000-2039.

Source, independent of the program: PyEphem (Debian python3-ephem; libastro's
Jupiter moon theory). PyEphem gives each moon's offset from Jupiter's centre
in the sky (x east, y south, z towards the Earth, Jupiter radii). The offsets
are turned into Jupiter's equator frame (X west, Y north) by the position
angle of Jupiter's north pole: the IAU pole alpha0 = 268.00 + 0.1061 T,
delta0 = 64.50 - 0.0164 T (J2000 equator, T Julian centuries from J2000) with
Meeus, Astronomical Algorithms, ch. 43's formula (common.py).

Per moon: X, Y, z; transit = 1 when the moon is on the near side (z > 0)
inside the flattened disk (sqrt(X^2 + (1.071374 Y)^2) < 1); hidden = 1 when
PyEphem reports it not visible from the Earth (behind the disk); stable = 1
when transit and hidden keep their values at every 5 minutes within 30 minutes
either side.

Run from the top folder:  /usr/bin/python3 scripts/reference/galilean_moons.py

With --events it writes tests/reference/galilean_events.csv instead: the
moons' events around eight days of 2000-2039 (UT, zone 0), from a scan of
PyEphem's states every minute from 6 h before the day to 6 h after it. A
transit is the moon on the near side inside the flattened disk (as above),
an occultation PyEphem's moon not visible from the Earth, an eclipse the
moon not lit by the Sun while visible from the Earth. Each event that
overlaps the day gets its first minute in the state (start) and the first
minute after it (end), as minutes from the day's 0h, and the least distance
from the disk's centre, sqrt(X^2 + (1.071374 Y)^2), while it lasts.
"""
import math
import random
import sys

import ephem

from common import pole_position_angle, sky_to_equator, write_table

MOONS = (("io", ephem.Io), ("europa", ephem.Europa), ("ganymede", ephem.Ganymede), ("callisto", ephem.Callisto))
FLATTENING = 1.071374


def position_angle(date):
    return pole_position_angle(ephem.Jupiter(date), ephem.julian_date(date),
                               lambda t: 268.00 + 0.1061 * t, lambda t: 64.50 - 0.0164 * t)


def moon_state(body, date, p):
    m = body(date)
    big_x, big_y = sky_to_equator(m.x, m.y, p)
    transit = int(m.z > 0 and math.hypot(big_x, FLATTENING * big_y) < 1.0)
    return big_x, big_y, m.z, transit, int(not m.earth_visible)


def stable(body, date, transit, hidden):
    for k in range(-6, 7):
        when = ephem.Date(date + k * 5 * ephem.minute)
        if moon_state(body, when, position_angle(when))[3:] != (transit, hidden):
            return 0
    return 1


def main():
    rng = random.Random(4404)
    rows = []
    for _ in range(400):
        y, mo, d = rng.randint(2000, 2039), rng.randint(1, 12), rng.randint(1, 28)
        h, mi = rng.randint(0, 23), rng.randint(0, 59)
        date = ephem.Date((y, mo, d, h, mi, 0))
        p = position_angle(date)
        cells = [str(v) for v in (y, mo, d, h, mi)]
        for _, body in MOONS:
            big_x, big_y, z, t, hid = moon_state(body, date, p)
            cells += [f"{big_x:.4f}", f"{big_y:.4f}", f"{z:.4f}", str(t), str(hid), str(stable(body, date, t, hid))]
        rows.append(cells)
    rows.sort(key=lambda r: [int(v) for v in r[:5]])
    columns = ["year", "month", "day", "hour", "minute"]
    for name, _ in MOONS:
        columns += [name + s for s in ("_x", "_y", "_z", "_transit", "_hidden", "_stable")]
    write_table("galilean_moons.csv",
                ["Galilean moons in Jupiter's equator frame (X west, Y north, z towards the Earth, Jupiter radii):",
                 "PyEphem offsets turned by the IAU pole's position angle (Meeus ch. 43); times UT"],
                columns, rows, source="PyEphem %s" % ephem.__version__)


def event_states(body, date):
    m = body(date)
    big_x, big_y = sky_to_equator(m.x, m.y, position_angle(date))
    distance = math.hypot(big_x, FLATTENING * big_y)
    transit = m.z > 0 and distance < 1.0
    return {"transit": transit, "occultation": not m.earth_visible,
            "eclipse": m.earth_visible and not m.sun_visible}, distance


def day_events(year, month, day):
    start = ephem.Date((year, month, day, 0, 0, 0))
    rows = []
    for name, body in MOONS:
        open_events = {}
        for k in range(-360, 1440 + 360 + 1):
            states, distance = event_states(body, ephem.Date(start + k * ephem.minute))
            for kind, on in states.items():
                if on and kind not in open_events:
                    open_events[kind] = [k, distance]
                elif on:
                    open_events[kind][1] = min(open_events[kind][1], distance)
                elif kind in open_events:
                    first, least = open_events.pop(kind)
                    if k > 0 and first < 1440 and first > -360:
                        rows.append([str(year), str(month), str(day), name, kind, str(first), str(k), f"{least:.3f}"])
    return rows


def events():
    rng = random.Random(4414)
    rows = []
    for _ in range(8):
        rows += day_events(rng.randint(2000, 2039), rng.randint(1, 12), rng.randint(1, 28))
    write_table("galilean_events.csv",
                ["Galilean moon events overlapping eight days (UT): PyEphem's states scanned every minute;",
                 "start = first minute in the state, end = first minute after it, both from the day's 0h;",
                 "least_distance = least sqrt(X^2 + (1.071374 Y)^2) during the event, Jupiter radii"],
                ["year", "month", "day", "moon", "kind", "start_minute", "end_minute", "least_distance"], rows,
                source="PyEphem %s" % ephem.__version__)


if __name__ == "__main__":
    if len(sys.argv) == 2 and sys.argv[1] == "--events":
        events()
    else:
        main()
