#!/usr/bin/python3
"""Reference values for the Earth-orientation tests, from ERFA (python3-erfa), used as an
independent implementation of the IAU 1980 nutation, IAU 1976 precession, IAU 1976/1980 mean
obliquity, the 1994 equation of the equinoxes and IAU 1982 sidereal time.

Run from anywhere with /usr/bin/python3; writes into tests/reference/.
"""
import numpy as np

import erfa
from common import write_table, ra_dec, unit

AS2DEG = 1.0 / 3600.0


def arcsec(rad):
    return float(rad) * erfa.DR2AS


# Dates 1700-2300 (TT), some on fractions of a day, plus the worked example of Meeus
# (Astronomical Algorithms, Example 22.a, JDE 2446895.5).
nut_dates = [2446895.5] + list(np.linspace(2342031.5, 2561118.5, 41) + 0.137)
rows = []
for jd in nut_dates:
    dpsi, deps = erfa.nut80(jd, 0.0)
    eps0 = erfa.obl80(jd, 0.0)
    ee = erfa.eqeq94(jd, 0.0)
    rows.append((jd, arcsec(dpsi), arcsec(deps), float(eps0) * erfa.DR2D, float(ee) * 43200.0 / erfa.DPI))
write_table("nutation_iau1980.csv",
            ["IAU 1980 nutation (eraNut80), IAU 1980 mean obliquity (eraObl80) and the 1994 equation",
             "of the equinoxes (eraEqeq94) at TT Julian days 1700-2300.",
             "columns: jd_tt, nutation in longitude and obliquity (arcsec), mean obliquity (deg),",
             "equation of the equinoxes (seconds of time)"],
            ["jd_tt", "dpsi_arcsec", "deps_arcsec", "eps0_deg", "eqeq_s"], rows)

# IAU 1982 mean and apparent sidereal time.
st_dates = [2451545.0, 2446895.5, 2415020.3125, 2433282.5, 2444239.5, 2455197.75, 2460310.5,
            2470000.9, 2488069.5, 2378496.5, 2524593.5]
rows = []
for jd in st_dates:
    rows.append((jd, float(erfa.gmst82(jd, 0.0)) * 12.0 / erfa.DPI,
                 float(erfa.gst94(jd, 0.0)) * 12.0 / erfa.DPI))
write_table("sidereal_time_iau1982.csv",
            ["IAU 1982 Greenwich mean sidereal time (eraGmst82) and apparent sidereal time with the",
             "1994 equation of the equinoxes (eraGst94, TT taken equal to UT1) at UT1 Julian days.",
             "columns: jd_ut1, mean and apparent sidereal time (hours)"],
            ["jd_ut1", "gmst_h", "gast_h"], rows)

# Precession (IAU 1976) and nutation (IAU 1980) matrices, x y z order.
mat_dates = [2451545.0, 2415020.5, 2433282.5, 2446895.5, 2458849.5, 2469807.5, 2488069.5,
             2342031.5, 2561118.5]
rows = []
for jd in mat_dates:
    p = erfa.pmat76(jd, 0.0)
    n = erfa.nutm80(jd, 0.0)
    rows.append([jd] + list(p.ravel()) + list(n.ravel()))
write_table("precession_nutation_matrices.csv",
            ["IAU 1976 precession matrix J2000.0 -> mean of date (eraPmat76) and IAU 1980 nutation",
             "matrix mean -> true of date (eraNutm80), x y z component order, row-major.",
             "columns: jd_tt, p00..p22, n00..n22"],
            ["jd_tt"] + ["p%d%d" % (r, c) for r in range(3) for c in range(3)]
            + ["n%d%d" % (r, c) for r in range(3) for c in range(3)], rows)

# J2000 places to the true equator and equinox of date: N(date) x P(date) (eraPnm80).
rng = np.random.default_rng(1976)
places = [(0.0, 0.0), (6.0, 0.0), (12.0, 45.0), (18.0, -45.0), (2.5303, 89.2641),
          (6.7525, -16.7161), (18.6156, 38.7837), (23.99, -89.5)]
places += [(float(rng.uniform(0, 24)), float(np.degrees(np.arcsin(rng.uniform(-1, 1))))) for _ in range(8)]
dates = [2415020.5, 2422000.25, 2433282.5, 2440587.5, 2446895.5, 2451545.0, 2455197.5,
         2460000.75, 2469807.5, 2488069.5]
rows = []
for jd in dates:
    m = erfa.pnm80(jd, 0.0)
    for ra, dec in places:
        rd, dd = ra_dec(m @ unit(ra, dec))
        rows.append((jd, ra, dec, rd, dd))
write_table("j2000_to_date_iau1976_1980.csv",
            ["J2000 mean places turned to the true equator and equinox of date by the IAU 1976",
             "precession and IAU 1980 nutation product (eraPnm80), 1900-2100.",
             "columns: jd_tt, J2000 RA (h), Dec (deg), RA of date (h), Dec of date (deg)"],
            ["jd_tt", "ra2000_h", "dec2000_deg", "ra_date_h", "dec_date_deg"], rows)

# TDB - TT at the geocentre by the full series (eraDtdb), 1694-2296.
rows = []
for jd in np.linspace(2340000.5, 2560000.5, 23) + 0.3:
    rows.append((jd, float(erfa.dtdb(jd, 0.0, 0.0, 0.0, 0.0, 0.0))))
write_table("tdb_minus_tt.csv",
            ["TDB - TT at the geocentre (eraDtdb, Fairhead & Bretagnon series), seconds.",
             "columns: jd_tdb, tdb_minus_tt_s"],
            ["jd_tdb", "tdb_minus_tt_s"], rows)
