#!/usr/bin/python3
"""Writes tests/reference/chart_scope_clock_pyephem.csv: what a telescope is
sent to from the sky chart while the chart shows a date 10 days after the
device clock, seen from 51 N, 0 E (height 0 m, zone 0: local civil time is
universal time).

Each row: a case, a body (1 the Moon, 5 Jupiter; -1 a fixed point of the sky),
the device clock and the chart's time (10 days later, same clock time), the
right ascension (hours) and declination (degrees), the altitude at the device
clock and at the chart's time (degrees) and how far the place moved between
the two (degrees). A body's place is its apparent topocentric place of date at
the device clock; a point's is its J2000 place (the place of date precessed
back, mean equinox: the tens of arcseconds of nutation and aberration do not
matter to an altitude rule with degrees to spare).

- "clock": the first whole hour of 2026 at which the Moon and Jupiter both
  stand above 20 degrees at the device clock and above 15 degrees at the
  chart's time (the chart centres on them there), each having moved more than
  10 arcminutes.
- "horizon": the first whole minute of 2026 at which the Moon stands within
  half a degree of -10 degrees at the device clock and above 15 degrees at the
  chart's time; then, at that device clock, the points due south at altitudes
  -10, 1 and 20 degrees.

Source: PyEphem (Debian python3-ephem, libastro): its Moon, VSOP87 Jupiter,
its own Delta T, Earth figure, sidereal time and precession; no refraction
(pressure 0).

Run from the top folder:  /usr/bin/python3 scripts/reference/chart_scope_clock_pyephem.py
(needs python3-ephem and python3-erfa)
"""
import math

import ephem

from common import pyephem_site, write_table

LATITUDE, EAST_LONGITUDE = 51.0, 0.0
BODIES = {1: ephem.Moon, 5: ephem.Jupiter}
CHART_DAYS = 10
START = ephem.Date((2026, 1, 1, 0, 0, 0))
POINT_ALTITUDES = [-10.0, 1.0, 20.0]


def site(date):
    return pyephem_site(LATITUDE, EAST_LONGITUDE, ephem.Date(date))


def seen(body, date):
    b = BODIES[body]()
    b.compute(site(date))
    return b


def altitude(body, date):
    return math.degrees(seen(body, date).alt)


def stamps(device):
    return ["%d" % v for d in (device, device + CHART_DAYS) for v in ephem.Date(d + 1e-7).tuple()[:5]]


def body_row(case, body, device):
    now, later = seen(body, device), seen(body, device + CHART_DAYS)
    moved = math.degrees(ephem.separation((now.ra, now.dec), (later.ra, later.dec)))
    return [case, "%d" % body] + stamps(device) + [
        "%.9f" % (math.degrees(now.ra) / 15.0), "%.8f" % math.degrees(now.dec), "%.6f" % math.degrees(now.alt),
        "%.6f" % math.degrees(later.alt), "%.6f" % moved]


def point_row(device, alt):
    ra, dec = site(device).radec_of(math.radians(180.0), math.radians(alt))
    j2000 = ephem.Equatorial(ephem.Equatorial(ra, dec, epoch=ephem.Date(device)), epoch=ephem.J2000)
    return ["horizon", "-1"] + stamps(device) + [
        "%.9f" % (math.degrees(j2000.ra) / 15.0), "%.8f" % math.degrees(j2000.dec), "%.6f" % alt, "0", "0"]


def clock_rows():
    for hour in range(366 * 24):
        device = START + hour / 24.0
        if all(altitude(b, device) > 20.0 and altitude(b, device + CHART_DAYS) > 15.0 for b in BODIES):
            rows = [body_row("clock", b, device) for b in BODIES]
            assert all(float(r[-1]) > 10.0 / 60.0 for r in rows)
            return rows
    raise SystemExit("no hour found for the clock case")


def horizon_rows():
    for minute in range(366 * 24 * 60):
        device = START + minute / 1440.0
        if abs(altitude(1, device) + 10.0) < 0.5 and altitude(1, device + CHART_DAYS) > 15.0:
            return [body_row("horizon", 1, device)] + [point_row(device, alt) for alt in POINT_ALTITUDES]
    raise SystemExit("no minute found for the horizon case")


def main():
    write_table("chart_scope_clock_pyephem.csv",
                ["The Moon, Jupiter and points of the sky at the device clock, the chart 10 days on, seen",
                 "from 51 N, 0 E, 0 m, zone 0, no refraction: a body's apparent topocentric place of date,",
                 "a point's J2000 place"],
                ["case", "body", "year", "month", "day", "hour", "minute", "chart_year", "chart_month", "chart_day",
                 "chart_hour", "chart_minute", "ra_h", "dec_deg", "alt_deg", "chart_alt_deg", "moved_deg"],
                clock_rows() + horizon_rows(), "PyEphem %s (libastro)" % ephem.__version__)


if __name__ == "__main__":
    main()
