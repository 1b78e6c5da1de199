#!/usr/bin/python3
"""Writes tests/reference/scope_target_pyephem.csv: where a telescope is sent
from object information and the finder, and the places of the 2-star
alignment's stars chosen among the planets, at the device clock.

Sites: London (51.5074 N, 0.1278 W, zone 0) and Sydney (33.8688 S,
151.2093 E, zone +600 minutes), height 0 m. Times are local civil times
(universal time plus the zone). Each row: a case, a site, a body (1 the
Moon, 4 Mars, 5 Jupiter), the device clock, the right ascension (hours) and
declination (degrees) a telescope takes, the body's altitude at the device
clock and 2 hours earlier (degrees, unrefracted), and the refraction of the
place (arcminutes, 0 where none applies).

- "goto": the Moon at each site at the first whole hour of 2026 at which it
  stands above 25 degrees at the device clock; its apparent topocentric place
  of date, no refraction (pressure 0).
- "horizon": the Moon at each site at the first whole minute of 2026 at which
  it stands within 0.25 degree of -5 degrees at the device clock and above 10
  degrees 2 hours earlier (the form's time set back); unrefracted place.
- "align": Jupiter and Mars at London at the first whole hour from 2025 on at
  which both stand between 15 and 35 degrees high (where refraction is 1.4
  to 4.5', more than the test's tolerance) in a dark sky (the Sun below -10
  degrees): the apparent topocentric place of date
  refracted for 1013 mbar and 10 C (the program's default site), the place a
  star of the alignment takes. The refracted place is the unrefracted one
  raised along its vertical by PyEphem's refraction (its altitude at 1013
  mbar less its altitude at 0 mbar). PyEphem (libastro) refracts above 15
  degrees by 7.888888e-5 P / ((273 + T) tan h) radians and below by a
  polynomial fit; the program uses Bennett's formula scaled by
  0.28 P / (T + 273); the script checks that the two agree within 5" at each
  row's altitude.

Source: PyEphem (Debian python3-ephem, libastro): its Moon, VSOP87 planets,
its own Delta T, Earth figure, sidereal time, precession and nutation.

Run from the top folder:  /usr/bin/python3 scripts/reference/scope_target_pyephem.py
(needs python3-ephem and python3-erfa)
"""
import math

import ephem

from common import pyephem_site, write_table

SITES = {"london": (51.5074, -0.1278, 0), "sydney": (-33.8688, 151.2093, 600)}
BODIES = {1: ephem.Moon, 4: ephem.Mars, 5: ephem.Jupiter}
PRESSURE, TEMPERATURE = 1013.0, 10.0
HOUR = 1.0 / 24.0


def seen(site, body, date, pressure=0.0):
    latitude, east, _ = SITES[site]
    observer = pyephem_site(latitude, east, ephem.Date(date))
    observer.pressure, observer.temp = pressure, TEMPERATURE
    b = BODIES[body]()
    b.compute(observer)
    return b


def altitude(site, body, date):
    return math.degrees(seen(site, body, date).alt)


def local_stamp(site, date):
    zone = SITES[site][2]
    return ["%d" % v for v in ephem.Date(date + zone / 1440.0 + 1e-7).tuple()[:5]]


def bennett_arcmin(h):
    """The program's refraction at an observed altitude h (degrees), arcminutes."""
    return 0.016667 * 60 / math.tan(math.radians(h + 7.31 / (h + 4.4))) * 0.28 * PRESSURE / (TEMPERATURE + 273.0)


def raised(body, latitude, lift):
    """(RA hours, Dec degrees) of the body's unrefracted place of date moved `lift` degrees towards the zenith."""
    phi, dec, ha = math.radians(latitude), float(body.dec), float(body.ha)
    alt = math.asin(math.sin(phi) * math.sin(dec) + math.cos(phi) * math.cos(dec) * math.cos(ha))
    az = math.atan2(-math.cos(dec) * math.sin(ha), math.sin(dec) * math.cos(phi) - math.cos(dec) * math.sin(phi) * math.cos(ha))
    alt += math.radians(lift)
    dec2 = math.asin(math.sin(phi) * math.sin(alt) + math.cos(phi) * math.cos(alt) * math.cos(az))
    ha2 = math.atan2(-math.sin(az) * math.cos(alt), math.sin(alt) * math.cos(phi) - math.cos(alt) * math.sin(phi) * math.cos(az))
    ra = (math.degrees(float(body.ra) + ha - ha2) / 15.0) % 24.0
    return ra, math.degrees(dec2)


def row(case, site, body, device, refracted=False):
    now = seen(site, body, device)
    ra, dec, refraction = math.degrees(now.ra) / 15.0, math.degrees(now.dec), 0.0
    if refracted:
        lift = math.degrees(seen(site, body, device, PRESSURE).alt - now.alt)
        refraction = lift * 60
        assert abs(refraction - bennett_arcmin(math.degrees(now.alt) + lift)) < 5 / 60.0, (refraction, now.alt)
        ra, dec = raised(now, SITES[site][0], lift)
    return [case, site, "%d" % body] + local_stamp(site, device) + [
        "%.9f" % ra, "%.8f" % dec, "%.6f" % math.degrees(now.alt),
        "%.6f" % altitude(site, body, device - 2 * HOUR), "%.4f" % refraction]


def dark(date):
    latitude, east, _ = SITES["london"]
    return math.degrees(ephem.Sun(pyephem_site(latitude, east, ephem.Date(date))).alt) < -10.0


def first(start, step, count, test):
    for k in range(count):
        if test(start + k * step):
            return start + k * step
    raise SystemExit("no time found")


def main():
    start = ephem.Date((2026, 1, 1, 0, 0, 0))
    rows = []
    for site in SITES:
        device = first(start, HOUR, 366 * 24, lambda d: altitude(site, 1, d) > 25.0)
        rows.append(row("goto", site, 1, device))
    for site in SITES:
        device = first(start, HOUR / 60, 366 * 1440,
                       lambda d: abs(altitude(site, 1, d) + 5.0) < 0.25 and altitude(site, 1, d - 2 * HOUR) > 10.0)
        rows.append(row("horizon", site, 1, device))
    device = first(ephem.Date((2025, 1, 1, 0, 0, 0)), HOUR, 3 * 366 * 24,
                   lambda d: all(15.0 < altitude("london", b, d) < 35.0 for b in (5, 4)) and dark(d))
    rows += [row("align", "london", b, device, refracted=True) for b in (5, 4)]
    write_table("scope_target_pyephem.csv",
                ["The Moon at London (51.5074 N, 0.1278 W, zone 0) and Sydney (33.8688 S, 151.2093 E, zone",
                 "+600), Jupiter and Mars at London, height 0: apparent topocentric places of date at the",
                 "device clock (local civil time), refracted for 1013 mbar and 10 C in the align rows"],
                ["case", "site", "body", "year", "month", "day", "hour", "minute", "ra_h", "dec_deg", "alt_deg",
                 "earlier_alt_deg", "refraction_arcmin"],
                rows, "PyEphem %s (libastro)" % ephem.__version__)


if __name__ == "__main__":
    main()
