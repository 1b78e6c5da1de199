#!/usr/bin/python3
"""Writes tests/reference/sky_brightness_model.csv: whole-model cases of the
naked-eye limiting magnitude and sky brightness.

Each case is computed here, separately from the program, from the published
formulas:
  - Sun and Moon: the low-precision formulae of the Astronomical Almanac
    (section C for the Sun, section D for the Moon, with the topocentric step);
  - sidereal time and horizontal coordinates: ERFA gmst82 and hd2ae;
  - brightness and threshold: B. E. Schaefer, "To the visual limits",
    Sky & Telescope, May 1998, in the variant the program uses (V band only,
    the Moon's distance and opposition factor, the glare term within 5 degrees
    of the Moon, the day/night switch at 1479 nL, the pupil law by age, the
    experience and sky-condition corrections, the uncertainty estimate); the
    aerosol term with the humidity taken as at most 99 percent.
Five situations: full day, civil twilight, looking within 5 degrees of the
Moon, a moonless night, and a humid (99 %) night. The Moon case is found by a
search for the Moon near the zenith of a site at its declination.

Run from the top folder:  /usr/bin/python3 scripts/reference/sky_brightness_model.py
"""
import math

import erfa

OUT = "tests/reference/sky_brightness_model.csv"
D2R = math.pi / 180.0
SKY_CONDITION = [14, 19, 22, 24, 29]


def jd_utc(y, mo, d, h, mi, zone_min):
    d1, d2 = erfa.cal2jd(y, mo, d)
    return d1 + d2 + (h * 60 + mi - zone_min) / 1440.0


def lst_hours(jd, lon_west):
    g = erfa.gmst82(jd, 0.0) / D2R / 15.0
    return (g - lon_west / 15.0) % 24.0


def sun_radec(jd):
    n = jd - 2451545.0
    g = (357.528 + 0.9856003 * n) * D2R
    lam = (280.460 + 0.9856474 * n) * D2R + (1.915 * math.sin(g) + 0.020 * math.sin(2 * g)) * D2R
    eps = (23.439 - 0.0000004 * n) * D2R
    ra = math.atan2(math.cos(eps) * math.sin(lam), math.cos(lam)) % (2 * math.pi)
    return ra / D2R / 15.0, math.asin(math.sin(eps) * math.sin(lam)) / D2R


def moon_topo(jd, lst, lat):
    t = (jd - 2451545.0) / 36525.0

    def s(a, b):
        return math.sin((a + b * t) * D2R)

    def c(a, b):
        return math.cos((a + b * t) * D2R)

    lam = (218.32 + 481267.883 * t + 6.29 * s(134.9, 477198.85) - 1.27 * s(259.2, -413335.38)
           + 0.66 * s(235.7, 890534.23) + 0.21 * s(269.9, 954397.70) - 0.19 * s(357.5, 35999.05)
           - 0.11 * s(186.6, 966404.05)) * D2R
    bet = (5.13 * s(93.3, 483202.03) + 0.28 * s(228.2, 960400.87) - 0.28 * s(318.3, 6003.18)
           - 0.17 * s(217.6, -407332.20)) * D2R
    par = (0.9508 + 0.0518 * c(134.9, 477198.85) + 0.0095 * c(259.2, -413335.38)
           + 0.0078 * c(235.7, 890534.23) + 0.0028 * c(269.9, 954397.70)) * D2R
    r = 1.0 / math.sin(par)
    l = math.cos(bet) * math.cos(lam)
    m = 0.9175 * math.cos(bet) * math.sin(lam) - 0.3978 * math.sin(bet)
    n = 0.3978 * math.cos(bet) * math.sin(lam) + 0.9175 * math.sin(bet)
    th = lst * 15.0 * D2R
    phi = lat * D2R
    x = r * l - math.cos(phi) * math.cos(th)
    y = r * m - math.cos(phi) * math.sin(th)
    z = r * n - math.sin(phi)
    rr = math.sqrt(x * x + y * y + z * z)
    return (math.atan2(y, x) % (2 * math.pi)) / D2R / 15.0, math.asin(z / rr) / D2R, rr


def alt_az(lst, ra, dec, lat):
    az, el = erfa.hd2ae((lst - ra) * 15.0 * D2R, dec * D2R, lat * D2R)
    return el / D2R, (az / D2R) % 360.0


def separation(az1, alt1, az2, alt2):
    """Angle between two directions, radians (haversine form)."""
    return erfa.seps(az1 * D2R, alt1 * D2R, az2 * D2R, alt2 * D2R)


def r2(x):
    return math.floor(100 * x + 0.5) / 100


def r1(x):
    return math.floor(10 * x + 0.5) / 10


def model(case):
    y, mo, d, h, mi = case["date"]
    lat, lon, zone = case["lat"], case["lon"], case["zone"]
    ht, rh, temp = case["height"], case["humidity"], case["temp"]
    acuity = (case["vision"] + 2) * 0.1
    age = 15 + 10 * case["age"]
    exper = case["experience"] * 5
    sky = SKY_CONDITION[case["sky"]]

    jd = jd_utc(y, mo, d, h, mi, zone)
    lst = lst_hours(jd, lon)
    sra, sdec = sun_radec(jd)
    mra, mdec, rm_er = moon_topo(jd, lst, lat)
    hs, azs = alt_az(lst, sra, sdec, lat)
    hm, azm = alt_az(lst, mra, mdec, lat)
    alt0, az0 = 89.0, 180.0

    psi = erfa.seps(mra * 15 * D2R, mdec * D2R, sra * 15 * D2R, sdec * D2R)
    frac = (1 - math.cos(psi)) / 2
    am = 180.0 - psi / D2R  # phase angle, degrees
    zm = (90.0 - hm) * D2R
    zs = (90.0 - hs) * D2R
    rmoon = separation(az0, alt0, azm, hm)
    rsun = separation(az0, alt0, azs, hs)

    # Extinction (V band).
    phi = lat * D2R
    ra_s = sra * 15 * D2R
    kr = 0.1066 * math.exp(-ht / 8200)
    ka = 0.12 * (1 + 0.33 * math.sin(ra_s)) * (1 - 0.32 / math.log(min(rh, 99) / 100)) ** (4 / 3) \
        * math.exp(-ht / 1500)
    ko = 0.031 / 3.0 * (3 + 0.4 * (phi * math.cos(ra_s) - math.cos(3 * phi)))
    kw = 0.031 * 0.94 * (rh / 100) * math.exp(temp / 15) * math.exp(-ht / 8200)
    k = kr + ka + ko + kw
    dk = math.sqrt(sum((0.4 * q + 0.01) ** 2 for q in (kr, ka, ko, kw)))
    z = (90 - alt0) * D2R
    xg = 1 / (math.cos(z) + 0.0286 * math.exp(-10.5 * math.cos(z)))
    xa = 1 / (math.cos(z) + 0.0123 * math.exp(-24.5 * math.cos(z)))
    xo = 1 / math.sqrt(1 - (math.sin(z) / (1 + 20 / 6378)) ** 2)
    dm = (kr + kw) * xg + ka * xa + ko * xo

    def airmass(zz):
        return 1 / (math.cos(zz) + 0.025 * math.exp(-11 * math.cos(zz)))

    x = airmass(z)
    xm = 40.0 if zm > math.pi / 2 else airmass(zm)
    xs = 40.0 if zs > math.pi / 2 else airmass(zs)

    def scatter(rho):
        rd = rho / D2R
        return 10 ** 5.36 * (1.06 + math.cos(rho) ** 2) + 10 ** 6.15 / 10 ** (rd / 40) + 6.2e7 / rd ** 2

    att = 1 - 10 ** (-0.4 * k * x)
    mag_moon = -12.73 + 0.026 * abs(am) + 4e-9 * am ** 4
    i_moon = 10 ** (-0.4 * (mag_moon + 16.57)) * max(1.0, 1.35 - 0.05 * abs(am)) \
        / (rm_er / 60.27) ** 2
    c3 = 10 ** (-0.4 * k * xm)
    moon_mag = r2(-2.5 * math.log10(c3 * i_moon) - 16.57) if hm > 0 else 50.0
    if rmoon / D2R <= 5 and am > 1:
        bg = (6.25e7 * (c3 - 10 ** (-0.8 * k * xm)) + 4.63e7 * c3) * i_moon / rmoon ** 2
        bmoon = 5.67e10 * c3 * i_moon / am
    else:
        bg = 0.0
        bmoon = att * c3 * i_moon * scatter(rmoon)
    bnight = 200 * (1 + 0.3 * math.cos(2 * math.pi * (y - 1992) / 11)) * (0.4 + 0.6 * x) \
        * 10 ** (-0.4 * k * x)
    btwi = att * 10 ** (0.4 * hs + 8.45) * max(1.0, 10 ** (zs / (math.pi / 2) - 1.1))
    c4 = 10 ** (-0.4 * k * xs)
    bday = att * c4 * scatter(rsun) * 11700
    sun_mag = r2(-2.5 * math.log10(11700 * c4) - 16.57) if hs > 0 else 50.0
    b = min(btwi, bday) + bg + bnight + bmoon

    # Visual threshold.
    if b < 1479:
        fe, sfe = 10 ** (0.48 * k * x), 1.105 * x * dk
        fc, sfc, fb, sfb = 10 ** -0.3, 0.23, 10 ** -0.26, 0.046
        c1, c2 = 10 ** -9.8, 10 ** -1.9
        te = min(900.0, 380 * 10 ** (0.3 * b ** -0.29)) / acuity
    else:
        fe, sfe = 10 ** (0.4 * k * x), 0.92 * x * dk
        fc, sfc, fb, sfb = 1.0, 0.0, 1.0, 0.0
        c1, c2 = 10 ** -8.35, 10 ** -5.9
        te = 42 * 10 ** (8.28 * b ** -0.29) / acuity
    fp = ((7 * math.exp(-0.5 * 0.25 ** 2)) / (7 * math.exp(-0.5 * (age / 100) ** 2))) ** 2
    sfp = 0.001 * age
    ts = math.sqrt(2.25 * 2.888 * x)
    fr = (1 + 0.03 * (ts / te) ** 2) / acuity ** 2
    sfr = 0.2 / acuity
    bp = b / (fp * fb)
    th = c1 * (1 + math.sqrt(c2 * bp)) ** 2
    illum = fr * fp * fc * fe * th
    mlim = -16.57 - 2.5 * math.log10(illum)
    ub = math.sqrt(sfp ** 2 + sfb ** 2 + 0.2 ** 2)
    ut = c1 * c2 * (1 + 1 / math.sqrt(c2 * bp)) * bp * ub / th
    u = math.sqrt(sfc ** 2 + sfr ** 2 + sfp ** 2 + sfe ** 2 + ut ** 2)
    err = r2(math.sqrt(0.16 ** 2 + (2.5 * u / math.log(10)) ** 2))

    def skymag(v):  # nanolamberts to magnitudes per square arcsecond
        return 27.78151 - 2.5 / math.log(10) * math.log(v / 0.263)

    lim = r2(mlim + 0.16 * (exper - 6)) - math.log10(31 - sky) ** 10
    if hm >= 0:
        msm, msb = r2(skymag(bmoon)), (r2(bmoon) if bmoon <= 1000 else bmoon)
    else:
        msm, msb = -500.0, -500.0
    out = dict(moon_fraction=frac, moon_distance=r1(rmoon / D2R), sun_distance=r1(rsun / D2R),
               extinction=r2(k), object_extinction=r2(dm), moon_magnitude=moon_mag,
               sun_magnitude=sun_mag, sky_magnitude=r2(skymag(b)),
               sky_brightness=(r2(b) if b <= 1000 else b), moon_sky_magnitude=msm,
               moon_sky_brightness=msb, limiting_magnitude=lim, limiting_magnitude_error=err,
               sun_alt=hs, moon_alt=hm)
    return out


def find_moon_near_zenith(lat):
    """The first local time (zone 0, longitude 0) of 2023 at which the Moon,
    seen from latitude lat, lies within 3 degrees of the looking direction
    (altitude 89, azimuth 180) with a phase angle above 20 degrees."""
    for step in range(0, 365 * 720):
        jd = jd_utc(2023, 1, 1, 0, 0, 0) + step * 2 / 1440.0
        lst = lst_hours(jd, 0.0)
        ra, dec, _ = moon_topo(jd, lst, lat)
        alt, az = alt_az(lst, ra, dec, lat)
        if alt < 86 or separation(180.0, 89.0, az, alt) / D2R > 3:
            continue
        sra, sdec = sun_radec(jd)
        if 180 - erfa.seps(ra * 15 * D2R, dec * D2R, sra * 15 * D2R, sdec * D2R) / D2R > 20:
            y, mo, d, fd = erfa.jd2cal(jd, 0.0)
            minutes = round(fd * 1440)
            return (int(y), int(mo), int(d), minutes // 60, minutes % 60)
    raise SystemExit("no Moon near the zenith found")


def main():
    base = dict(lat=48.85, lon=-2.35, zone=120, height=35, humidity=60, temp=15,
                vision=8, age=2, experience=1, sky=3)
    cases = [
        dict(base, name=1, date=(2024, 6, 21, 13, 0)),                      # day
        dict(base, name=2, date=(2024, 6, 21, 22, 40), experience=2, sky=4),  # twilight
        dict(base, name=4, date=(2024, 1, 11, 23, 0), zone=60, humidity=40, temp=0,
             vision=10, age=0, experience=0, sky=2, height=1200),           # moonless night
        dict(base, name=5, date=(2024, 1, 11, 23, 0), zone=60, humidity=99, temp=5,
             age=8, sky=1),                                                  # humid night
    ]
    date = find_moon_near_zenith(20.0)
    cases.insert(2, dict(base, name=3, date=date, lat=20.0, lon=0.0, zone=0, humidity=50,
                         temp=20, height=0, vision=5, age=4))               # beside the Moon
    in_cols = ["year", "month", "day", "hour", "minute", "latitude", "longitude_west", "zone_min",
               "height", "humidity", "temperature", "vision_row", "age_row", "experience_row",
               "sky_row"]
    out_cols = ["moon_fraction", "moon_distance", "sun_distance", "extinction", "object_extinction",
                "moon_magnitude", "sun_magnitude", "sky_magnitude", "sky_brightness",
                "moon_sky_magnitude", "moon_sky_brightness", "limiting_magnitude",
                "limiting_magnitude_error", "sun_alt", "moon_alt"]
    lines = [",".join(["case"] + in_cols + out_cols)]
    for c in cases:
        o = model(c)
        ins = list(c["date"]) + [c["lat"], c["lon"], c["zone"], c["height"], c["humidity"],
                                 c["temp"], c["vision"], c["age"], c["experience"], c["sky"]]
        lines.append(",".join([str(c["name"])] + [repr(float(v)) if isinstance(v, float) else str(v)
                                                  for v in ins]
                              + [repr(float(o[k])) for k in out_cols]))
    with open(OUT, "w") as f:
        f.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    main()
