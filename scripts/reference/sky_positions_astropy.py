#!/usr/bin/python3
"""Writes tests/reference/sky_positions_astropy.csv: the Sun's geocentric and
the Moon's topocentric right ascension, declination (mean equator and equinox
of date; the few arcseconds of nutation and aberration do not matter at the
accuracy tested) and the Moon's distance from the site in Earth radii, for random instants
of 1950-2050 and random sites at sea level.

Source: astropy's built-in ephemeris (ERFA epv00 for the Earth, ERFA moon98
for the Moon) with astropy's GCRS -> mean-of-date (precessed geocentric)
transformation; the Moon seen from the site's place on the ellipsoid.
Sidereal time: ERFA gmst82 at the universal Julian day, less the site's
west-positive longitude. The cases are drawn from a fixed seed.

Run from the top folder:  /usr/bin/python3 scripts/reference/sky_positions_astropy.py
"""
import math
import random
import warnings

import erfa
import astropy.units as u
from astropy.coordinates import (EarthLocation, PrecessedGeocentric, get_body, solar_system_ephemeris)
from astropy.time import Time
from astropy.utils import iers

iers.conf.auto_download = False
iers.conf.iers_degraded_accuracy = "ignore"

OUT = "tests/reference/sky_positions_astropy.csv"


def main():
    warnings.filterwarnings("ignore")
    rng = random.Random(19980501)
    solar_system_ephemeris.set("builtin")
    rows = []
    for _ in range(40):
        jd = 2433282.5 + rng.uniform(0.0, 36525.0)  # 1950 .. 2050, UT
        lat = rng.uniform(-60.0, 65.0)
        lon_west = rng.uniform(-180.0, 180.0)
        t = Time(jd, format="jd", scale="utc")
        lst = (math.degrees(erfa.gmst82(jd, 0.0)) / 15.0 - lon_west / 15.0) % 24.0
        frame = PrecessedGeocentric(equinox=t, obstime=t)
        sun = get_body("sun", t).transform_to(frame)
        loc = EarthLocation.from_geodetic(-lon_west * u.deg, lat * u.deg, 0 * u.m)
        obs_pos, obs_vel = loc.get_gcrs_posvel(t)
        moon_topo = get_body("moon", t, location=loc).transform_to(
            PrecessedGeocentric(equinox=t, obstime=t, obsgeoloc=obs_pos, obsgeovel=obs_vel))
        rows.append(f"{jd:.6f},{lat:.6f},{lon_west:.6f},{lst:.9f},"
                    f"{sun.ra.hour:.8f},{sun.dec.deg:.8f},"
                    f"{moon_topo.ra.hour:.8f},{moon_topo.dec.deg:.8f},"
                    f"{moon_topo.distance.to(u.km).value / 6378.14:.6f}")
    header = "jd_ut,latitude,longitude_west,lst_h,sun_ra_h,sun_dec_deg,moon_ra_h,moon_dec_deg,moon_distance_er"
    with open(OUT, "w") as f:
        f.write(header + "\n" + "\n".join(rows) + "\n")


if __name__ == "__main__":
    main()
