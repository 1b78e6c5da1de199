#!/usr/bin/python3
"""Writes tests/reference/log_places_pyephem.csv: the moving bodies of an observing list seen from
40 N 105 W (height 0 m, zone -7 h: universal time is local civil time + 7 h), where the observer
log's new entries and the list's date are tested:
- case "clock": 16 February 2027 21:10 local, the device clock, the date a new log entry takes;
- case "ahead": 21 February 2027 21:10 local, five days ahead, the date a list is planned for;
- case "edited": 18 February 2027 23:40 local, the date typed into the entry's date form.
Rows: the Moon, Mars, Jupiter (designation 45, number the body index), 4 Vesta and a comet
(designation 12, number the comet file's record), each with its apparent topocentric right
ascension (hours) and declination (degrees) of date, no refraction (pressure 0). The bodies, 4 Vesta's
elements and the comet's are those of listed_places_pyephem.py.

Source: PyEphem (Debian python3-ephem, libastro): VSOP87 and ELP 2000-82 for the bodies, two-body
orbits for Vesta and the comet, its own precession, nutation, aberration, Delta T and Earth figure.

Run from the top folder:  /usr/bin/python3 scripts/reference/log_places_pyephem.py
"""
import datetime

import ephem

from common import pyephem_site, write_table
from listed_places_pyephem import LISTED, listed_rows

LATITUDE, EAST_LONGITUDE, ZONE_HOURS = 40.0, -105.0, -7
TIMES = [("clock", (2027, 2, 16, 21, 10)), ("ahead", (2027, 2, 21, 21, 10)), ("edited", (2027, 2, 18, 23, 40))]


def main():
    rows = []
    for case, local in TIMES:
        ut = datetime.datetime(*local) - datetime.timedelta(hours=ZONE_HOURS)
        site = pyephem_site(LATITUDE, EAST_LONGITUDE, (ut.year, ut.month, ut.day, ut.hour, ut.minute, 0))
        rows += listed_rows(case, local, site, LISTED[:5])
    write_table("log_places_pyephem.csv",
                ["The Moon, Mars, Jupiter, 4 Vesta and a comet seen from 40 N 105 W (0 m, zone -7 h) at the",
                 "device clock (16 February 2027 21:10 local), five days ahead and at a date typed into the",
                 "log's date form: apparent topocentric RA (h) and Dec (deg) of date, no refraction"],
                ["case", "name", "designation", "number", "year", "month", "day", "hour", "minute", "ra_h",
                 "dec_deg"],
                rows, "PyEphem %s (libastro)" % ephem.__version__)


if __name__ == "__main__":
    main()
