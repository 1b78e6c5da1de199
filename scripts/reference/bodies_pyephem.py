#!/usr/bin/python3
"""Writes the reference tables of the body-position tests:

tests/reference/pluto_heliocentric_pyephem.csv
    Pluto's heliocentric ecliptic longitude, latitude (degrees, ecliptic and
    equinox J2000.0) and radius vector (AU) at instants of 1890-2099.
tests/reference/bodies_pyephem.csv
    For instants of 1950-2049 given in dynamical time (TT) and each body of
    the program's numbering (0 Sun, 1 Moon, 2..8 Mercury..Neptune, 9 Pluto,
    13 the centre of the Earth's shadow): apparent geocentric right ascension
    (hours) and declination (degrees) of date, distance from the Earth (AU),
    heliocentric distances of the body and of the Earth (AU), elongation from
    the Sun (degrees) and illuminated fraction; and the apparent topocentric
    place, altitude and azimuth seen from a site given on each row (no
    refraction); the universal-time Julian day that PyEphem used; last, the
    body's geocentric ecliptic longitude and latitude of date (degrees).
tests/reference/moon_phase_pyephem.csv
    The Moon's illuminated fraction and its elongation from the Sun (degrees,
    0..360 eastward in ecliptic longitude) at random universal times of
    1900-2099, from a fixed seed.

Source: PyEphem (Debian python3-ephem, libastro): VSOP87 for the Sun and the
planets, Chapront's theory for Pluto, Meeus' truncated ELP for the Moon;
libastro's own Delta T turns the TT instants into its UT. The shadow's centre
is the antisolar point: the Sun's place turned by 12 h and its declination
negated, at the Moon's distance. Pluto's heliocentric place of date is taken
to the J2000.0 ecliptic by astropy's HeliocentricMeanEcliptic frames.

Run from the top folder:  /usr/bin/python3 scripts/reference/bodies_pyephem.py
(needs python3-ephem and python3-astropy)
"""
import math
import random

import ephem
import astropy.units as u
from astropy.coordinates import HeliocentricMeanEcliptic, SkyCoord
from astropy.time import Time

OUT = "tests/reference/"
DUBLIN_JD = 2415020.0

BODIES = {0: ephem.Sun, 1: ephem.Moon, 2: ephem.Mercury, 3: ephem.Venus, 4: ephem.Mars,
          5: ephem.Jupiter, 6: ephem.Saturn, 7: ephem.Uranus, 8: ephem.Neptune, 9: ephem.Pluto}

# TT instants (year, month, day, hour, minute, second) and a site each
# (latitude, longitude west-positive, height in metres).
INSTANTS = [
    ((1951, 3, 14, 6, 30, 0), (51.48, 0.0, 50)),
    ((1968, 11, 2, 21, 15, 0), (-33.9, -18.4, 10)),
    ((1987, 7, 25, 3, 0, 0), (40.0, 105.3, 1650)),
    ((1999, 12, 31, 23, 59, 0), (64.8, 147.7, 130)),
    ((2004, 6, 8, 8, 20, 0), (35.7, -139.7, 40)),
    ((2017, 8, 21, 18, 25, 0), (44.0, 121.0, 1000)),
    ((2024, 4, 8, 18, 18, 0), (-23.5, 46.6, 760)),
    ((2043, 10, 3, 1, 0, 0), (19.8, 155.5, 4200)),
]


def jd_of(y, mo, d, h, mi, s):
    return ephem.julian_date(ephem.Date((y, mo, d, h, mi, s)))


def ut_date_of_tt(jd_tt):
    """PyEphem's UT date of a TT Julian day, by its own Delta T."""
    date = jd_tt - DUBLIN_JD
    for _ in range(3):
        date = jd_tt - DUBLIN_JD - ephem.delta_t(ephem.Date(date)) / 86400.0
    return ephem.Date(date)


def pluto_table():
    rows = []
    for year in range(1890, 2100, 15):
        jd_tt = jd_of(year, 7, 1, 0, 0, 0)
        p = ephem.Pluto()
        p.compute(ut_date_of_tt(jd_tt))
        t = Time(jd_tt, format="jd", scale="tt")
        c = SkyCoord(lon=math.degrees(p.hlon) * u.deg, lat=math.degrees(p.hlat) * u.deg,
                     distance=p.sun_distance * u.au,
                     frame=HeliocentricMeanEcliptic(equinox=t, obstime=t))
        j = c.transform_to(HeliocentricMeanEcliptic(equinox=Time("J2000"), obstime=t))
        rows.append(f"{(jd_tt - 2451545.0) / 36525.0:.10f},{j.lon.deg:.7f},{j.lat.deg:.7f},"
                    f"{p.sun_distance:.7f}")
    return "t_centuries,longitude_deg,latitude_deg,radius_au\n" + "\n".join(rows) + "\n"


def bodies_table():
    rows = []
    for when, (lat, lon_west, height) in INSTANTS:
        date = ut_date_of_tt(jd_of(*when))
        site = ephem.Observer()
        site.lat, site.lon = math.radians(lat), math.radians(-lon_west)
        site.elevation = height
        site.pressure = 0  # no refraction
        site.date = date
        site.epoch = date  # places of date
        sun = ephem.Sun(date)
        earth_r = sun.earth_distance
        geo = {}
        for body, cls in BODIES.items():
            b = cls()
            b.compute(date, epoch=date)
            topo = cls()
            topo.compute(site)
            r = 0.0 if body in (0, 1) else b.sun_distance
            geo[body] = (b.g_ra, b.g_dec, b.earth_distance)
            ecl = ephem.Ecliptic(ephem.Equatorial(b.g_ra, b.g_dec, epoch=date), epoch=date)
            rows.append((when, body, b.g_ra, b.g_dec, b.earth_distance, r, earth_r,
                         abs(math.degrees(b.elong)), b.phase / 100.0, lat, lon_west, height,
                         topo.ra, topo.dec, topo.alt, topo.az, ephem.julian_date(date),
                         ecl.lon, ecl.lat))
        # The Earth's shadow: antisolar point at the Moon's distance.
        ra = (geo[0][0] + math.pi) % (2 * math.pi)
        ecl = ephem.Ecliptic(ephem.Equatorial(ra, -geo[0][1], epoch=date), epoch=date)
        rows.append((when, 13, ra, -geo[0][1], geo[1][2], 0.0, earth_r, 180.0, 1.0,
                     lat, lon_west, height, float("nan"), float("nan"), float("nan"), float("nan"),
                     ephem.julian_date(date), ecl.lon, ecl.lat))
    lines = []
    for (y, mo, d, h, mi, s), body, ra, dec, dist, r, big_r, el, fr, lat, lon, ht, tra, tdec, alt, az, \
            jd_ut, elon, elat in rows:
        lines.append(f"{y},{mo},{d},{h},{mi},{s},{body},{math.degrees(ra) / 15:.9f},"
                     f"{math.degrees(dec):.8f},{dist:.9f},{r:.7f},{big_r:.9f},{el:.5f},{fr:.6f},"
                     f"{lat},{lon},{ht},{math.degrees(tra) / 15:.9f},{math.degrees(tdec):.8f},"
                     f"{math.degrees(alt):.7f},{math.degrees(az):.7f},{jd_ut:.8f},"
                     f"{math.degrees(elon):.7f},{math.degrees(elat):.7f}")
    header = ("year,month,day,hour,minute,second,body,ra_h,dec_deg,distance_au,r_au,earth_r_au,"
              "elongation_deg,fraction,site_lat,site_lon_west,site_height_m,topo_ra_h,topo_dec_deg,"
              "topo_alt_deg,topo_az_deg,jd_ut,ecl_lon_deg,ecl_lat_deg")
    return header + "\n" + "\n".join(lines).replace("nan", "0") + "\n"


def moon_phase_table():
    rng = random.Random(1980)
    rows = []
    for _ in range(60):
        y, mo, d = rng.randint(1900, 2099), rng.randint(1, 12), rng.randint(1, 28)
        h = rng.randint(0, 23)
        date = ephem.Date((y, mo, d, h, 0, 0))
        moon, sun = ephem.Moon(date), ephem.Sun(date)
        lm = ephem.Ecliptic(moon, epoch=date).lon
        ls = ephem.Ecliptic(sun, epoch=date).lon
        elong = math.degrees(lm - ls) % 360.0
        rows.append(f"{y},{mo},{d},{h},{moon.phase / 100.0:.6f},{elong:.5f}")
    return "year,month,day,hour_ut,fraction,elongation_deg\n" + "\n".join(rows) + "\n"


def main():
    with open(OUT + "moon_phase_pyephem.csv", "w") as f:
        f.write(moon_phase_table())
    with open(OUT + "pluto_heliocentric_pyephem.csv", "w") as f:
        f.write(pluto_table())
    with open(OUT + "bodies_pyephem.csv", "w") as f:
        f.write(bodies_table())


if __name__ == "__main__":
    main()
