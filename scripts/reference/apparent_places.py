#!/usr/bin/python3
"""Reference apparent and topocentric places built with ERFA (python3-erfa) from the same
models as the astrometry chain: space motion of the star, relativistic light deflection by the
Sun (eraLd), relativistic aberration (eraAb), IAU 1976 precession (eraPmat76) and IAU 1980
nutation (eraNutm80). The Earth's barycentric and heliocentric state comes from eraEpv00, the
planets from eraPlan94 (Simon et al. 1994) placed at the barycentre with eraEpv00's Sun, and
the observer on the Earth from eraPvtob turned by the IAU 1982/1994 apparent sidereal time
(eraGst94). TDB - TT from eraDtdb. eraEpv00's axes are turned to the J2000 mean equator by
the frame bias (eraBp00).

Run from anywhere with /usr/bin/python3; writes into tests/reference/.
"""
import numpy as np

import erfa
from common import write_table, ra_dec

C_AU_DAY = erfa.CMPS * erfa.DAYSEC / erfa.DAU

# Test inputs shaped like bright stars (J2000 RA h, Dec deg, pm RA s/century, pm Dec
# "/century, parallax ", radial velocity km/s). Both sides transform the same inputs.
STARS = [
    ("Sirius", 6.752477, -16.716116, -3.847, -120.53, 0.37921, -5.5),
    ("Vega", 18.615649, 38.783692, 1.726, 28.61, 0.12893, -13.9),
    ("Polaris", 2.530301, 89.264109, 19.877, -1.52, 0.00732, -17.4),
    ("Betelgeuse", 5.919529, 7.407064, 0.173, 1.086, 0.00763, 21.9),
    ("Canopus", 6.399197, -52.695661, 0.263, 2.33, 0.01043, 20.3),
    ("Arcturus", 14.261021, 19.182410, -7.714, -199.84, 0.08885, -5.2),
    ("Spica", 13.419883, -11.161322, -0.278, -3.17, 0.01244, 1.0),
    ("Zero", 12.0, 0.0, 0.0, 0.0, 0.0, 0.0),
]

DATES_TT = [2451545.0, 2433282.5, 2446895.5, 2455197.5, 2458849.875, 2460310.25, 2469807.5,
            2488069.5, 2415020.5]

SITES = [  # latitude (deg), east longitude (deg), height (m)
    (51.0, -10.0, 0.0),
    (-33.9, 18.4, 1500.0),
    (19.82, -155.47, 4205.0),
]


def tdb_of(tt):
    return tt + erfa.dtdb(tt, 0.0, 0.0, 0.0, 0.0, 0.0) / 86400.0


def rnpb(tdb):
    return erfa.nutm80(tdb, 0.0) @ erfa.pmat76(tdb, 0.0)


def earth(tdb):
    """Heliocentric and barycentric Earth, BCRS axes turned to the J2000 mean equator."""
    pvh, pvb = erfa.epv00(tdb, 0.0)
    rb = erfa.bp00(tdb, 0.0)[0]
    return ((rb @ pvh["p"], rb @ pvh["v"]), (rb @ pvb["p"], rb @ pvb["v"]))


def finish(tdb, geo, q_helio, e_helio, v_bary):
    """Deflection, aberration, precession and nutation of a geocentric vector."""
    em = np.linalg.norm(e_helio)
    p = geo / np.linalg.norm(geo)
    q = q_helio / np.linalg.norm(q_helio)
    e = e_helio / em
    p1 = erfa.ld(1.0, p, q, e, em, 0.0)
    v = v_bary / C_AU_DAY
    bm1 = np.sqrt(1.0 - v @ v)
    p2 = erfa.ab(p1, v, em, bm1)
    return ra_dec(rnpb(tdb) @ p2)


def observer(tt, delta_t, site):
    """Geocentric position (AU) and velocity (AU/day) of the site, J2000 frame."""
    lat, lon, h = site
    ut = tt - delta_t / 86400.0
    theta = erfa.gst94(ut, 0.0)
    pv = erfa.pvtob(lon * erfa.DD2R, lat * erfa.DD2R, h, 0.0, 0.0, 0.0, theta)
    m = rnpb(tdb_of(tt)).T
    return m @ pv[0] / erfa.DAU, m @ pv[1] / erfa.DAU * erfa.DAYSEC


def observer_state(tt, obs):
    """TDB and the observer's barycentric position and velocity and heliocentric position: the
    geocentre, moved by the geocentric site vectors obs when given."""
    tdb = tdb_of(tt)
    pvh, pvb = earth(tdb)
    ob, ov, oh = pvb[0].copy(), pvb[1].copy(), pvh[0].copy()
    if obs is not None:
        ob += obs[0]
        ov += obs[1]
        oh += obs[0]
    return tdb, ob, ov, oh


def star_place(tt, star, obs=None):
    name, ra, dec, pmra, pmdec, px, rv = star
    tdb, ob, ov, oh = observer_state(tt, obs)
    pr = pmra * 15.0 / 100.0 * erfa.DAS2R      # rad/year of RA
    pd = pmdec / 100.0 * erfa.DAS2R
    years = (tdb - 2451545.0) / 365.25
    p = erfa.pmpx(ra * 15.0 * erfa.DD2R, dec * erfa.DD2R, pr, pd, px, rv, years, ob)
    return finish(tdb, p, p, oh, ov)


def planet_place(tt, planet, obs=None):
    tdb, ob, ov, oh = observer_state(tt, obs)

    def body(t):
        eh, eb = earth(t)
        sun_bary = eb[0] - eh[0]
        helio = erfa.plan94(t, 0.0, planet)["p"]
        return helio + sun_bary, helio

    lt = 0.0
    for _ in range(20):
        bary, helio = body(tdb - lt)
        lt = np.linalg.norm(bary - ob) / C_AU_DAY
    bary, helio = body(tdb - lt)
    return finish(tdb, bary - ob, helio, oh, ov)


rows = []
for tt in DATES_TT:
    for star in STARS:
        ra, dec = star_place(tt, star)
        rows.append([tt] + [star[0]] + list(star[1:]) + [ra, dec])
cols = ["jd_tt", "name", "ra2000_h", "dec2000_deg", "pmra_s_cy", "pmdec_as_cy", "parallax_as",
        "rv_kms", "ra_h", "dec_deg"]
write_table("apparent_stars.csv",
            ["Apparent places (geocentric, true equator and equinox of date) of star-like test inputs.",
             "columns: TT Julian day, name, J2000 RA (h), Dec (deg), proper motions (s/century,",
             "arcsec/century), parallax (arcsec), radial velocity (km/s), apparent RA (h), Dec (deg)"],
            cols, rows)

rows = []
for k, tt in enumerate(DATES_TT):
    delta_t = 64.0 + 5.0 * k
    site = SITES[k % len(SITES)]
    obs = observer(tt, delta_t, site)
    for star in STARS:
        ra, dec = star_place(tt, star, obs)
        rows.append([tt, delta_t] + list(site) + [star[0]] + list(star[1:]) + [ra, dec])
write_table("topocentric_stars.csv",
            ["Topocentric places (true equator and equinox of date) of the same star-like inputs.",
             "columns: TT Julian day, TT - UT (s), site latitude (deg), east longitude (deg), height",
             "(m), then as apparent_stars.csv"],
            ["jd_tt", "delta_t_s", "lat_deg", "lon_east_deg", "height_m"] + cols[1:], rows)

rows = []
for k, tt in enumerate(DATES_TT):
    for planet in range(1, 9):
        if planet == 3:
            continue
        ra, dec = planet_place(tt, planet)
        rows.append((tt, str(planet), ra, dec))
write_table("apparent_planets.csv",
            ["Apparent places (geocentric, true equator and equinox of date) of the planets by",
             "Simon et al. (1994) with the Earth of eraEpv00.",
             "columns: TT Julian day, body number (1 Mercury, 2 Venus, 4 Mars .. 8 Neptune), RA (h),",
             "Dec (deg)"],
            ["jd_tt", "body", "ra_h", "dec_deg"], rows)

rows = []
for k, tt in enumerate(DATES_TT):
    delta_t = 64.0 + 5.0 * k
    site = SITES[k % len(SITES)]
    obs = observer(tt, delta_t, site)
    for planet in (2, 4, 5):
        ra, dec = planet_place(tt, planet, obs)
        rows.append([tt, delta_t] + list(site) + [str(planet), ra, dec])
write_table("topocentric_planets.csv",
            ["Topocentric places (true equator and equinox of date) of planets, as",
             "apparent_planets.csv seen from a site.",
             "columns: TT Julian day, TT - UT (s), site latitude (deg), east longitude (deg), height",
             "(m), body number, RA (h), Dec (deg)"],
            ["jd_tt", "delta_t_s", "lat_deg", "lon_east_deg", "height_m", "body", "ra_h", "dec_deg"],
            rows)

rows = []
for jd in list(np.linspace(2340000.75, 2559999.75, 12)) + [2451545.0, 2448908.5]:
    (hp, hv), (bp, bv) = earth(jd)
    rows.append([jd] + list(hp) + list(hv) + list(bp) + list(bv))
write_table("earth_state.csv",
            ["Heliocentric and barycentric Earth (eraEpv00, turned to the J2000 mean equator by the",
             "frame bias eraBp00), TDB Julian days 1694-2296.",
             "columns: jd_tdb, heliocentric x y z (AU), vx vy vz (AU/day), barycentric x y z, vx vy vz"],
            ["jd_tdb", "hx", "hy", "hz", "hvx", "hvy", "hvz", "bx", "by", "bz", "bvx", "bvy", "bvz"],
            rows)

# Altitude and azimuth of J2000 places for a site at a local civil time, without refraction:
# mode 0 from the precession-nutation product alone, mode 2 from the topocentric place. The
# hour angle uses the apparent sidereal time (eraGst94); eraHd2ae gives azimuth and altitude.
ALTAZ_CASES = [  # local date and time, zone minutes, site (lat, lon WEST, height m), Delta T s
    ((2009, 3, 21, 22, 15, 40), 60, (51.0, -10.0, 120.0), 66.25),
    ((2015, 8, 2, 1, 5, 0), -300, (-33.9, -18.4, 1500.0), 68.0),
    ((2024, 12, 31, 23, 59, 59), 0, (19.82, 155.47, 4205.0), 69.5),
    ((2040, 6, 15, 4, 30, 10), 120, (64.1, 21.9, 0.0), 70.75),
]
ALTAZ_STARS = [(6.752477, -16.716116), (18.615649, 38.783692), (2.530301, 89.264109),
               (14.261021, 19.182410), (13.419883, -11.161322), (5.919529, 7.407064)]
rows = []
for (date, zone, (lat, lon_west, height), delta_t) in ALTAZ_CASES:
    lat, lon_west = float(np.float32(lat)), float(np.float32(lon_west))  # as the site stores them
    d1, d2 = erfa.dtf2d("UT1", *date)
    ut = float(d1) + float(d2) - zone / 1440.0
    tt = ut + delta_t / 86400.0
    site = (lat, -lon_west, height)
    obs = observer(tt, delta_t, site)
    gast = float(erfa.gst94(ut, 0.0))
    for ra2000, dec2000 in ALTAZ_STARS:
        for mode in (0, 2):
            if mode == 0:
                ra, dec = ra_dec(erfa.pnm80(tt, 0.0) @ erfa.s2c(ra2000 * 15.0 * erfa.DD2R,
                                                                 dec2000 * erfa.DD2R))
            else:
                ra, dec = star_place(tt, ("", ra2000, dec2000, 0.0, 0.0, 0.0, 0.0), obs)
            ha = gast + site[1] * erfa.DD2R - ra * 15.0 * erfa.DD2R
            az, el = erfa.hd2ae(ha, dec * erfa.DD2R, lat * erfa.DD2R)
            rows.append(list(date) + [zone, lat, lon_west, height, delta_t, ra2000, dec2000, mode,
                                      ra, dec, float(el) * erfa.DR2D, float(az) * erfa.DR2D])
write_table("apparent_altaz.csv",
            ["Unrefracted altitude and azimuth (from north through east) of J2000 places (no",
             "proper motion or parallax) for a site at a local civil time with Delta T given:",
             "mode 0 = precession and nutation only (eraPnm80), mode 2 = topocentric apparent place.",
             "columns: year, month, day, hour, minute, second, zone (min), latitude (deg), longitude",
             "(deg WEST), height (m), Delta T (s), J2000 RA (h), Dec (deg), mode, RA of date (h),",
             "Dec of date (deg), altitude (deg), azimuth (deg)"],
            ["year", "month", "day", "hour", "minute", "second", "zone_min", "lat_deg",
             "lon_west_deg", "height_m", "delta_t_s", "ra2000_h", "dec2000_deg", "mode", "ra_h",
             "dec_deg", "alt_deg", "az_deg"], rows)
