#!/usr/bin/python3
"""Writes the reference tables of the lunation and eclipse tests from an independent
computation of the Sun and the Moon with ERFA (python3-erfa):

- the Moon: erfa.moon98 (geocentric GCRS; RMS error 2.9", worst 18.3" over 1900-2100 against
  a numerical ephemeris, per its documentation), taken at the retarded time (light time);
- the Sun: erfa.epv00 (Earth's heliocentric position and barycentric velocity), with the
  annual aberration by erfa.ab;
- longitudes in the mean ecliptic of date by erfa.ecm06.

tests/reference/moon_phases_erfa.csv
    Instants (TT Julian days) at which the apparent geocentric ecliptic longitude of the Moon
    minus that of the Sun is 0, 90, 180 and 270 degrees, for lunations k (k = 0 is the new Moon
    of 2000 January 6) from 1975 to 2035.

tests/reference/eclipses_2000_2030_erfa.csv
    Every solar and lunar eclipse from 2000-01-01 to 2030-12-31 found from the same positions,
    with the instant of greatest eclipse (TT), gamma, u and the kind (phase 0 solar, 0.5 lunar;
    central 1 or 0 for solar eclipses, -1 for lunar ones; magnitudes nan for solar ones):
    - solar (at the least distance of the shadow axis from the Earth's centre): gamma is that
      distance in equatorial Earth radii, positive north; u is the radius of the umbral cone in
      the fundamental plane (negative inside the vertex, as the Besselian l2); the Earth is an
      ellipsoid (flattening 1/298.257) projected on the fundamental plane. Kind: 2 partial, 3
      annular, 4 total; an eclipse total at greatest eclipse is total (hybrids included).
      Non-central eclipses (axis missing the Earth, umbra or antumbra touching it) carry their
      umbral kind and central = 0.
    - lunar (at the least distance of the Moon's centre from the shadow axis): gamma is that
      distance in equatorial Earth radii, positive north; the shadow radii follow the rule of
      the canons of lunar eclipses (Chauvenet's 1/50 enlargement of the Earth's shadow, Earth
      radius 0.998340 of the equatorial radius); u is 0.7403 minus the umbral radius in Earth
      radii, so that the umbral radius reads 0.7403 - u as in Meeus chapter 54. Kind: 1
      penumbral, 2 partial, 4 total, from the umbral and penumbral magnitudes.

tests/reference/lunar_eclipse_kinds_erfa.csv
    The same lunar-eclipse geometry for chosen full Moons outside 2000-2030 whose gamma lies
    between the umbral limit of the published criteria and the wider limit 1.0248 - u.

Run from the top folder:  /usr/bin/python3 scripts/reference/lunation_eclipse_erfa.py
"""
import math

import erfa
import numpy as np

OUT = "tests/reference/"
AU_KM = 149597870.7
EARTH_KM = 6378.137
FLATTENING = 1 / 298.257
C_AU_PER_DAY = 173.1446326846693
SUN_RADIUS_AU_ARCSEC = 959.63     # solar semi-diameter at 1 AU, arcseconds
SUN_PARALLAX_ARCSEC = 8.794148    # solar parallax at 1 AU, arcseconds
MOON_K = 0.2725076                # Moon radius in Earth radii
ARCSEC = math.pi / 648000


def sun_moon(t):
    """Apparent geocentric Sun and Moon (GCRS, AU) at TT Julian days t (array)."""
    t = np.atleast_1d(np.asarray(t, dtype=float))
    pvh, pvb = erfa.epv00(2451545.0, t - 2451545.0)
    earth_h = pvh["p"]
    v = pvb["v"] / C_AU_PER_DAY
    r_sun = np.linalg.norm(earth_h, axis=-1)
    natural = -earth_h / r_sun[..., None]
    bm1 = np.sqrt(1 - np.sum(v * v, axis=-1))
    sun = erfa.ab(natural, v, r_sun, bm1) * r_sun[..., None]
    moon = erfa.moon98(2451545.0, t - 2451545.0)["p"]
    tau = np.linalg.norm(moon, axis=-1) / C_AU_PER_DAY
    moon = erfa.moon98(2451545.0, t - tau - 2451545.0)["p"]
    return sun, moon


def ecliptic_longitudes(t):
    sun, moon = sun_moon(t)
    rot = erfa.ecm06(2451545.0, np.atleast_1d(t) - 2451545.0)
    s = np.einsum("...ij,...j->...i", rot, sun)
    m = np.einsum("...ij,...j->...i", rot, moon)
    return np.degrees(np.arctan2(s[..., 1], s[..., 0])), np.degrees(np.arctan2(m[..., 1], m[..., 0]))


def wrap180(x):
    return (x + 180.0) % 360.0 - 180.0


def phase_instants(ks, quarter):
    """TT instants of phase quarter (0..3) of lunations ks, by Newton's method on the
    elongation, from the mean lunation as first guess."""
    kk = np.asarray(ks, dtype=float) + quarter / 4.0
    t = 2451550.09766 + 29.530588861 * kk
    for _ in range(8):
        ls, lm = ecliptic_longitudes(t)
        f = wrap180(lm - ls - 90.0 * quarter)
        ls2, lm2 = ecliptic_longitudes(t + 0.01)
        rate = (wrap180(lm2 - ls2 - 90.0 * quarter) - f) / 0.01
        t = t - f / rate
    return t


def moon_phases():
    rows = []
    ks = np.arange(-307, 437, 3)
    for q in range(4):
        for k, t in zip(ks, phase_instants(ks, q)):
            rows.append((int(k), q * 0.25, t))
    rows.sort(key=lambda r: (r[0], r[1]))
    return "k,phase,jde_tt\n" + "".join(f"{k},{p},{t:.6f}\n" for k, p, t in rows)


def north_sign(offset, axis):
    """+1 when the offset vector (perpendicular to the axis) points north of the Earth's
    centre in the plane perpendicular to the axis, else -1."""
    pole = np.array([0.0, 0.0, 1.0])
    north = pole - np.dot(pole, axis) * axis
    return 1.0 if np.dot(offset, north) >= 0 else -1.0


def refine_minimum(fn, t0, half_width=0.3, steps=721):
    """Instant and value of the minimum of fn near t0 (grid, then golden section)."""
    grid = np.linspace(t0 - half_width, t0 + half_width, steps)
    values = fn(grid)
    i = int(np.argmin(values))
    a, b = grid[max(i - 1, 0)], grid[min(i + 1, steps - 1)]
    g = (math.sqrt(5) - 1) / 2
    for _ in range(60):
        c, d = b - g * (b - a), a + g * (b - a)
        if fn(c)[0] < fn(d)[0]:
            b = d
        else:
            a = c
    t = (a + b) / 2
    return t, float(fn(t)[0])


def solar_axis_distance(t):
    sun, moon = sun_moon(t)
    axis = moon - sun
    axis /= np.linalg.norm(axis, axis=-1)[..., None]
    foot = moon - np.sum(moon * axis, axis=-1)[..., None] * axis  # Earth centre to axis, perpendicular
    return np.linalg.norm(foot, axis=-1) * AU_KM / EARTH_KM


def solar_eclipse(t_new):
    t, _ = refine_minimum(solar_axis_distance, t_new)
    sun, moon = sun_moon(t)
    sun, moon = sun[0], moon[0]
    axis = (moon - sun) / np.linalg.norm(moon - sun)
    foot = moon - np.dot(moon, axis) * axis   # from the Earth's centre to the axis
    gamma = north_sign(foot, axis) * np.linalg.norm(foot) * AU_KM / EARTH_KM
    # Projection of the ellipsoid on the fundamental plane: polar semi-axis rho1.
    d = math.asin(-axis[2])  # declination of the axis direction (towards the Sun)
    e2 = FLATTENING * (2 - FLATTENING)
    rho1 = math.sqrt(1 - e2 * math.cos(d) ** 2)
    pole = np.array([0.0, 0.0, 1.0])
    north = pole - np.dot(pole, axis) * axis
    north /= np.linalg.norm(north)
    y = np.dot(foot, north) * AU_KM / EARTH_KM
    x = math.sqrt(max(np.dot(foot, foot) * (AU_KM / EARTH_KM) ** 2 - y * y, 0.0))
    gamma_scaled = math.hypot(x, y / rho1)
    # Cone radii on the fundamental plane (Earth radii).
    sun_radius = SUN_RADIUS_AU_ARCSEC * ARCSEC * AU_KM / EARTH_KM
    sun_moon_distance = np.linalg.norm(moon - sun) * AU_KM / EARTH_KM
    moon_height = -np.dot(moon, axis) * AU_KM / EARTH_KM   # Moon above the fundamental plane
    tan_f1 = (sun_radius + MOON_K) / sun_moon_distance
    tan_f2 = (sun_radius - MOON_K) / sun_moon_distance
    l1 = MOON_K + moon_height * tan_f1
    u = moon_height * tan_f2 - MOON_K   # l2: negative while the plane is inside the umbra
    if gamma_scaled >= 1 + l1:
        return None
    zeta = math.sqrt(max(1 - gamma_scaled ** 2, 0.0))
    umbral_kind = 4 if u - zeta * tan_f2 < 0 else 3
    central = gamma_scaled < 1.0
    if central:
        kind = umbral_kind
    elif gamma_scaled < 1 + abs(u):
        kind = umbral_kind
    else:
        kind = 2
    return t, gamma, u, kind, int(central)


def lunar_geometry(t):
    """Moon's distance from the shadow axis (Earth radii), the shadow radii and the Moon's
    radius at the Moon's distance (Earth radii), Chauvenet's rule."""
    sun, moon = sun_moon(t)
    axis = -sun / np.linalg.norm(sun, axis=-1)[..., None]
    offset = moon - np.sum(moon * axis, axis=-1)[..., None] * axis
    dist_m = np.linalg.norm(moon, axis=-1)
    dist_s = np.linalg.norm(sun, axis=-1)
    sigma = np.linalg.norm(offset, axis=-1) * AU_KM / EARTH_KM
    pi_m = np.arcsin(EARTH_KM / (dist_m * AU_KM))
    pi_s = SUN_PARALLAX_ARCSEC * ARCSEC / dist_s
    s_s = SUN_RADIUS_AU_ARCSEC * ARCSEC / dist_s
    s_m = np.arcsin(MOON_K * EARTH_KM / (dist_m * AU_KM))
    to_radii = dist_m * AU_KM / EARTH_KM   # angle at the Moon's distance to Earth radii
    umbra = 1.02 * (0.998340 * pi_m - s_s + pi_s) * to_radii
    penumbra = 1.02 * (0.998340 * pi_m + s_s + pi_s) * to_radii
    return sigma, umbra, penumbra, s_m * to_radii, offset, axis


def lunar_eclipse(t_full):
    t, _ = refine_minimum(lambda x: lunar_geometry(x)[0], t_full)
    sigma, umbra, penumbra, moon_r, offset, axis = (np.asarray(v)[0] for v in lunar_geometry(t))
    umbral_mag = (umbra + moon_r - sigma) / (2 * moon_r)
    penumbral_mag = (penumbra + moon_r - sigma) / (2 * moon_r)
    if penumbral_mag <= 0:
        return None
    kind = 1 if umbral_mag <= 0 else (4 if umbral_mag >= 1 else 2)
    gamma = north_sign(offset, axis) * sigma
    return t, gamma, 0.7403 - umbra, kind, umbral_mag, penumbral_mag


def eclipses():
    start, end = 2451544.5, 2462867.5  # 2000-01-01 .. 2031-01-01 (TT)
    ks = np.arange(-1, 385)
    rows = []
    for quarter, body in ((0, "S"), (2, "L")):
        for k, t in zip(ks, phase_instants(ks, quarter)):
            if body == "S":
                e = solar_eclipse(t)
                if e:
                    te, gamma, u, kind, central = e
                    rows.append((te, f"{k},{quarter / 4},{te:.5f},{gamma:.5f},{u:.5f},{kind},{central},nan,nan"))
            else:
                e = lunar_eclipse(t)
                if e:
                    te, gamma, u, kind, um, pm = e
                    rows.append((te, f"{k},{quarter / 4},{te:.5f},{gamma:.5f},{u:.5f},{kind},-1,{um:.4f},{pm:.4f}"))
    rows = [r for r in sorted(rows) if start <= r[0] < end]
    header = "k,phase,greatest_jde_tt,gamma,u,kind,central,umbral_magnitude,penumbral_magnitude\n"
    return header + "".join(r[1] + "\n" for r in rows)


def chosen_lunar_eclipses(ks):
    rows = []
    for k, t in zip(ks, phase_instants(np.asarray(ks), 2)):
        e = lunar_eclipse(t)
        te, gamma, u, kind, um, pm = e if e else (t, 0.0, 0.0, -1, 0.0, 0.0)
        rows.append(f"{k},{te:.5f},{gamma:.5f},{u:.5f},{kind},{um:.4f},{pm:.4f}\n")
    return "k,greatest_jde_tt,gamma,u,kind,umbral_magnitude,penumbral_magnitude\n" + "".join(rows)


if __name__ == "__main__":
    with open(OUT + "moon_phases_erfa.csv", "w") as f:
        f.write(moon_phases())
    with open(OUT + "eclipses_2000_2030_erfa.csv", "w") as f:
        f.write(eclipses())
    with open(OUT + "lunar_eclipse_kinds_erfa.csv", "w") as f:
        f.write(chosen_lunar_eclipses([-1127, -152]))
