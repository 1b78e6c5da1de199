#!/usr/bin/python3
"""Writes the reference tables of the Sun and Moon tests (tests/reference/sun_*.csv, moon_*.csv).

Independent sources, none of them our own code:
- Full VSOP87 and full ELP 2000-82B: libnova 0.16 (Debian package libnova-0.16-0, called through
  ctypes). Its Earth is the complete VSOP87B series (heliocentric, ecliptic and equinox J2000)
  and its Moon all 36 series of ELP 2000-82B rotated to the ecliptic J2000 by the theory's
  precession; both are taken here to the mean ecliptic and equinox of date.
- ERFA (python3-erfa): epv00 (Earth heliocentric and barycentric, within a few mas of JPL
  DE405 over 1900-2100), ecm06 (ICRS <-> ecliptic J2000), pmat76 (IAU 1976 precession, the
  precession of the mean-of-date frames of the tested routines), obl80 (mean obliquity),
  pnm80 (IAU 1976/1980 precession-nutation), ab (aberration) and moon98 (Meeus's Moon, used
  only as a sanity check of libnova: its stated worst case against ELP/MPP02 is 18.3").
- Cross-check of libnova's Moon: the Swiss Ephemeris (Debian packages libswe2.0 and
  swe-basic-data, file semo_18.se1, a compression of JPL DE431). The two agree within 2"
  (a slow drift from the different tidal accelerations, periodic part about 0.25") and 0.3 km,
  while the truncated series of the program differs from both by up to about 6" and 5 km.

Frames: the J2000 ecliptic of VSOP87 and ELP is taken as ERFA's IAU 2006 ecliptic of J2000 and
ICRS as FK5 J2000 (offsets of a few hundredths of an arcsecond). Dates are TT; libnova and ERFA
are given the same Julian day.

Run from the top folder (needs libnova-0.16-0, libswe2.0 and swe-basic-data):
    /usr/bin/python3 scripts/reference/sun_moon_reference.py
The dates come from a fixed seed, so a rerun reproduces the committed files exactly.
"""
import ctypes
import math
import random

import erfa
import numpy as np

OUT = "tests/reference/"
J2000 = 2451545.0
JD_1900 = 2415020.5   # 1900 January 1, 0h
JD_2100 = 2488069.5   # 2100 January 1, 0h (epv00 serves J2000 +- 100 years)
AU_KM = 149597870.7
C_AU_PER_DAY = 173.1446326846693

nova = ctypes.CDLL("libnova-0.16.so.0")


class Helio(ctypes.Structure):
    _fields_ = [("L", ctypes.c_double), ("B", ctypes.c_double), ("R", ctypes.c_double)]


class Rect(ctypes.Structure):
    _fields_ = [("X", ctypes.c_double), ("Y", ctypes.c_double), ("Z", ctypes.c_double)]


nova.ln_get_earth_helio_coords.argtypes = [ctypes.c_double, ctypes.POINTER(Helio)]
nova.ln_get_lunar_geo_posn.argtypes = [ctypes.c_double, ctypes.POINTER(Rect), ctypes.c_double]

ECLIPTIC_J2000_TO_ICRS = erfa.ecm06(J2000, 0.0).T

swe = ctypes.CDLL("libswe.so.2.0")
swe.swe_set_ephe_path(b"/usr/share/libswe/ephe")
swe.swe_calc.argtypes = [ctypes.c_double, ctypes.c_int, ctypes.c_int,
                         ctypes.POINTER(ctypes.c_double), ctypes.c_char_p]
# Swiss Ephemeris file, geometric, J2000, no nutation, no deflection or aberration, equatorial,
# rectangular, ICRS.
SWE_MOON_FLAGS = 2 | 16 | 32 | 64 | 512 | 1024 | 2048 | 4096 | 128 * 1024


def spherical(v):
    r = np.linalg.norm(v)
    return math.atan2(v[1], v[0]) % (2 * math.pi), math.asin(v[2] / r), r


def icrs_to_ecliptic_of_date(v, jd):
    """Mean ecliptic and equinox of date: IAU 1976 precession and IAU 1980 obliquity."""
    return erfa.rx(erfa.obl80(jd, 0.0), erfa.pmat76(jd, 0.0)) @ v


def vsop87_sun_icrs(jd):
    """Geocentric geometric Sun from the complete VSOP87 Earth (libnova), ICRS axes, AU."""
    h = Helio()
    nova.ln_get_earth_helio_coords(jd, ctypes.byref(h))
    lon, lat = math.radians(h.L), math.radians(h.B)
    earth = h.R * np.array([math.cos(lat) * math.cos(lon), math.cos(lat) * math.sin(lon),
                            math.sin(lat)])
    return ECLIPTIC_J2000_TO_ICRS @ -earth


def epv00_sun_icrs(jd):
    pvh, _ = erfa.epv00(jd, 0.0)
    return -pvh[0]


def elp_moon_icrs(jd):
    """Geocentric Moon from the complete ELP 2000-82B (libnova), ICRS axes, km."""
    r = Rect()
    nova.ln_get_lunar_geo_posn(jd, ctypes.byref(r), 0.0)
    return ECLIPTIC_J2000_TO_ICRS @ np.array([r.X, r.Y, r.Z])


def de431_moon_icrs(jd):
    """Geocentric Moon from the Swiss Ephemeris file (DE431), ICRS axes, km."""
    xx = (ctypes.c_double * 6)()
    err = ctypes.create_string_buffer(256)
    assert swe.swe_calc(jd, 1, SWE_MOON_FLAGS, xx, err) == SWE_MOON_FLAGS, err.value
    return np.array(xx[:3]) * AU_KM


def apparent_sun_true_of_date(jd):
    """Sun seen from the geocentre: light time, annual aberration, then the true equator
    and equinox of date (IAU 1976 precession, IAU 1980 nutation)."""
    pvh, pvb = erfa.epv00(jd, 0.0)
    sun_b = pvb[0] - pvh[0]
    sun_v = pvb[1] - pvh[1]
    p = sun_b - pvb[0]
    for _ in range(2):
        p = sun_b - sun_v * (np.linalg.norm(p) / C_AU_PER_DAY) - pvb[0]
    v = pvb[1] / C_AU_PER_DAY
    direction = erfa.ab(p / np.linalg.norm(p), v, np.linalg.norm(pvh[0]),
                        math.sqrt(1.0 - np.dot(v, v)))
    return erfa.pnm80(jd, 0.0) @ direction


def angle_arcsec(a, b):
    cosine = np.dot(a, b) / np.linalg.norm(a) / np.linalg.norm(b)
    return math.degrees(math.acos(min(1.0, cosine))) * 3600


def random_jds(rng, count):
    return [round(rng.uniform(JD_1900, JD_2100), 6) for _ in range(count)]


GENERATED = "# generated by scripts/reference/sun_moon_reference.py (libnova 0.16, python3-erfa 2.0.0.1)\n"


def sun_table(jds):
    rows, worst = [], 0.0
    for jd in jds:
        sun = vsop87_sun_icrs(jd)
        worst = max(worst, angle_arcsec(sun, epv00_sun_icrs(jd)))
        lon, lat, r = spherical(icrs_to_ecliptic_of_date(sun, jd))
        ra, dec, _ = spherical(apparent_sun_true_of_date(jd))
        rows.append(f"{jd:.6f},{math.degrees(lon):.10f},{math.degrees(lat) * 3600:.6f},{r:.10f},"
                    f"{math.degrees(ra):.10f},{math.degrees(dec):.10f}")
    assert worst < 0.1, worst  # libnova's VSOP87 against epv00
    print(f"Sun: complete VSOP87 (libnova) vs epv00: at most {worst:.3f}\"")
    return ("# Geometric Sun of the complete VSOP87 (libnova VSOP87B Earth) on the mean ecliptic and\n"
            "# equinox of date (IAU 1976 precession; ICRS taken as FK5), and the apparent Sun on the\n"
            "# true equator and equinox of date (ERFA epv00 with light time and aberration, pnm80).\n"
            f"# VSOP87 (libnova) and epv00 agree within {worst:.2f}\" on these dates.\n" + GENERATED +
            "jd_tt,lon_deg,lat_arcsec,r_au,apparent_ra_deg,apparent_dec_deg\n"
            + "\n".join(rows) + "\n")


def moon_table(jds):
    rows, worst, worst_de, worst_km = [], 0.0, 0.0, 0.0
    for jd in jds:
        moon = elp_moon_icrs(jd)
        worst = max(worst, angle_arcsec(moon, erfa.moon98(jd, 0.0)[0]))
        de431 = de431_moon_icrs(jd)
        worst_de = max(worst_de, angle_arcsec(moon, de431))
        worst_km = max(worst_km, abs(np.linalg.norm(moon) - np.linalg.norm(de431)))
        lon, lat, dist = spherical(icrs_to_ecliptic_of_date(moon, jd))
        ra, dec, _ = spherical(erfa.pnm80(jd, 0.0) @ moon)
        rows.append(f"{jd:.6f},{math.degrees(lon):.10f},{math.degrees(lat):.10f},{dist:.5f},"
                    f"{math.degrees(ra):.10f},{math.degrees(dec):.10f}")
    assert worst < 18.3, worst  # moon98's stated worst case
    assert worst_de < 2.0 and worst_km < 0.3, (worst_de, worst_km)
    print(f"Moon: complete ELP 2000-82B (libnova) vs moon98: at most {worst:.2f}\", "
          f"vs DE431: at most {worst_de:.2f}\" and {worst_km:.2f} km")
    return ("# Geometric geocentric Moon of the complete ELP 2000-82B (libnova, all 36 series) on the\n"
            "# mean ecliptic and equinox of date (IAU 1976 precession), and on the true equator and\n"
            "# equinox of date (ERFA pnm80; no light time or aberration, as the tested routine).\n"
            f"# Against JPL DE431 (Swiss Ephemeris semo_18.se1): within {worst_de:.2f}\" and "
            f"{worst_km:.2f} km on these dates.\n" + GENERATED +
            "jd_tt,lon_deg,lat_deg,distance_km,apparent_ra_deg,apparent_dec_deg\n"
            + "\n".join(rows) + "\n")


def civil_rows(rng, first_year, last_year, count):
    """Random local civil dates and times with a zone, and the TT Julian day of each taken as
    universal time + 69 s (the tests set the user's Delta T for 2006-2049 to 69.9 s, of which
    the whole seconds count)."""
    rows = []
    for _ in range(count):
        y, m, d = rng.randint(first_year, last_year), rng.randint(1, 12), rng.randint(1, 28)
        h, mi, s = rng.randint(0, 23), rng.randint(0, 59), rng.randint(0, 59)
        zone = rng.choice([0, 60, 120, -300, -480, 330, 600, 780])
        d1, d2 = erfa.cal2jd(y, m, d)
        jd = d1 + d2 + (h * 3600 + (mi - zone) * 60 + s + 69) / 86400.0
        rows.append((f"{y},{m},{d},{h},{mi},{s},{zone}", jd))
    return rows


def mean_of_date_ra_dec(v, jd):
    """Right ascension (hours) and declination (degrees), mean equator and equinox of date."""
    ra, dec, _ = spherical(erfa.pmat76(jd, 0.0) @ v)
    return f"{math.degrees(ra) / 15:.10f},{math.degrees(dec):.10f}"


HEADER = ("# Local civil date and time with the zone; TT = UT + 69 s. Geometric place on the mean\n"
          "# equator and equinox of date (IAU 1976 precession), right ascension in hours.\n"
          + GENERATED + "year,month,day,hour,minute,second,zone_min,ra_h,dec_deg\n")


def low_precision_sun_table(rng):
    """Geometric Sun (complete VSOP87), 1800-2100. Before 2006 and after 2049 the program's own
    Delta T differs from 69 s by up to about 80 s, in which the Sun moves at most 3.3"."""
    rows = [f"{key},{mean_of_date_ra_dec(vsop87_sun_icrs(jd), jd)}"
            for key, jd in civil_rows(rng, 1800, 2100, 200)]
    return "# Sun of the complete VSOP87 (libnova), 1800-2100.\n" + HEADER + "\n".join(rows) + "\n"


def low_precision_moon_table(rng):
    """Geometric geocentric Moon (complete ELP 2000-82B), 2006-2049."""
    rows = [f"{key},{mean_of_date_ra_dec(elp_moon_icrs(jd), jd)}"
            for key, jd in civil_rows(rng, 2006, 2049, 200)]
    return "# Geocentric Moon of the complete ELP 2000-82B (libnova), 2006-2049.\n" + HEADER + "\n".join(rows) + "\n"


def main():
    rng = random.Random(19921013)
    jds = random_jds(rng, 300)
    for name, text in (("sun_vsop87_reference.csv", sun_table(jds)),
                       ("moon_elp2000_reference.csv", moon_table(jds)),
                       ("sun_low_precision_reference.csv", low_precision_sun_table(rng)),
                       ("moon_low_precision_reference.csv", low_precision_moon_table(rng))):
        with open(OUT + name, "w") as f:
            f.write(text)


if __name__ == "__main__":
    main()
