#!/usr/bin/python3
"""Writes tests/reference/best_dates_pyephem.csv: the closest approach to the Earth of two comets
and five minor planets near the reference date R about which the orbit assistant's Best Dates
looks (a comet's perihelion time; for a minor planet 0 h UT of the date of 2 x epoch - J, J the
Julian day of its perihelion date at 0 h, the perihelion time being epoch - M / n with
n = 0.9856076686 / a^1.5 degrees a day), as on 15 December 2026: the least Earth distance
within 180 days either side of R, for the first six a minimum inside that span. The distance of
48 Doris falls all through that span: its row is the first minimum before it.

Elements, copied verbatim from the files of Debian's kstars-data 5:3.6.2-2: the comets from the
Minor Planet Center's list (usr/share/kstars/cometels.json.gz), the minor planets from the JPL
Small-Body Database (usr/share/kstars/asteroids.dat, osculating elements at MJD 59800), all on
the J2000 ecliptic and equinox, in single precision as the program's records hold them; the
perihelion time and the epoch read as universal-time Julian days, as the program reads them.

Method: PyEphem's two-body orbit (EllipticalBody) and its astrometric Earth distance (light time
included), sampled every quarter day over R +- 180 days, the least sample refined by golden
sections to 1e-6 day; where the least is an end sample, the samples go on past that end while
the distance falls, and the first minimum there is refined.

Also writes tests/reference/best_dates_orbits_pyephem.csv: the same search for made-up orbits
whose closest approach lies past the span (an orbit of period near a year, whose distance falls
for years, one after R and one before it), a hyperbolic and a parabolic one, by PyEphem's
EllipticalBody, HyperbolicBody and ParabolicBody.

Also writes tests/reference/best_dates_span_ends_pyephem.csv: the same search for the retrograde
Centaur (2011 GN27) of kstars-data (JPL elements at MJD 55654), whose least distance within the
span lies in its last 4 days while a lesser approach lies within it, and for the same orbit at an
epoch 179 days later (the mean anomaly moved on by n x 179 days), whose R is 358 days later and
whose least distance lies in the span's first 4 days.

Also writes tests/reference/best_dates_shallow_dips_pyephem.csv: the same search for a comet and
seven minor planets of kstars-data whose distance has a shallow local minimum inside the span
while it is smaller at an end of it and goes on falling past it, so that their closest
approach is the first minimum past that end (319 Leona: 2.341 AU on 14 August 2028, where the
dip inside the span is 3.026 AU on 14 June 2027 and the span's end 2.926 AU).

With --catalogue FILE (the comet file that scripts/catalogues made, e.g.
build/release/data/zendavori_comet.ppc) it writes instead
tests/reference/best_dates_catalogue_pyephem.csv: the same search for every record of that file
whose R is not before 2 May 2024 (the earliest R that a Best Dates list of 1 June 2024 21:00 UT
takes in), from the elements as the file holds them (single precision; a comet's R its
perihelion time in the single precision of the program's work word). It takes some minutes.

Run from the top folder:  /usr/bin/python3 scripts/reference/best_dates_pyephem.py [--catalogue FILE]
"""
import math
import multiprocessing
import struct
import sys

import ephem

from common import golden, write_table

SPAN, STEP = 180.0, 0.25
DUBLIN = 2415020.0  # PyEphem's day 0 as a Julian day

# name, perihelion (year, month, day), q, e, argument of perihelion, node, inclination
COMETS = [
    ("161P/Hartley-IRAS", (2026, 11, 28.4138), 1.271548, 0.835275, 47.0082, 1.5843, 95.8024),
    ("P/2009 Y2 (Kowalski)", (2026, 12, 2.4802), 2.379681, 0.636683, 172.1313, 262.0399, 29.9584),
]
# Made-up orbits: name, perihelion (year, month, day), q, e, argument of perihelion, node, inclination
ORBITS = [
    ("Near a year after R", (2027, 1, 1.0), 1.04, 0.01, 0.0, 180.0, 0.5),
    ("Near a year before R", (2027, 1, 1.0), 1.04, 0.01, 0.0, 0.0, 0.5),
    ("Hyperbolic", (2027, 1, 1.0), 1.0, 1.5, 30.0, 40.0, 10.0),
    ("Parabolic", (2027, 1, 1.0), 1.0, 1.0, 30.0, 40.0, 10.0),
]
# full_name, epoch_mjd, e, a, i, om, w, ma
MINOR_PLANETS = [
    ("324 Bamberga (A892 DA)", "59800", ".3415288332226385", "2.681425276536916", "11.10284075784819",
     "327.8586456777607", "44.14877477405389", "359.4891213241407"),
    ("990 Yerkes (A922 WE)", "59800", ".2184003118923542", "2.668887831804086", "8.788281241235492",
     "353.9432656609965", "9.415207139886501", "354.4725839657077"),
    ("1 Ceres (A801 AA)", "59800", ".07863575691875528", "2.766619044655007", "10.58679512153367",
     "80.2664361119415", "73.53162522557164", "334.3271698971151"),
    ("828 Lindemannia (A916 QH)", "59800", ".02759486960121678", "3.19207232563616", "1.124947012745073",
     "1.817568807325879", "296.2092918990355", "270.4464678350943"),
    ("48 Doris (A857 SA)", "59800", ".06958653791809881", "3.11899947986567", "6.556999016523097",
     "183.4486046203953", "251.0210890843557", "286.9189963492419"),
]

# As MINOR_PLANETS: minima near the ends of the span
SPAN_ENDS = [
    ("(2011 GN27)", "55654", ".4001253141836545", "15.75481386029553", "153.4183599163674",
     "47.80397882324812", "32.70182625980054", "178.6219749431591"),
    ("(2011 GN27) 179 days on", "55833", ".4001253141836545", "15.75481386029553", "153.4183599163674",
     "47.80397882324812", "32.70182625980054", "181.4431964778916"),
]


# As MINOR_PLANETS: the distance smaller at an end of the span than at a dip inside it
SHALLOW_DIP_MINOR_PLANETS = [
    ("319 Leona (A891 TA)", "59800", ".2160150167494187", "3.411972248311784", "10.56514633343707",
     "184.8769707258831", "227.5062768159527", "304.7295955260672"),
    ("24451 (2000 QS104)", "59800", ".1304339436882528", "5.282392118855935", "21.3936507208794",
     "28.56953978299627", "323.7573946951032", "301.5633257794903"),
    ("3708 Socus (1974 FV1)", "59800", ".1595235646975217", "5.211017161044114", "13.37070803720429",
     "291.1750777981815", "57.78557486355137", "309.1091400190198"),
    ("23958 (1998 VD30)", "59800", ".100051287361466", "5.230574090580709", "24.90638125880364",
     "225.4196637971957", "234.7454139480232", "318.4351834206927"),
    ("10199 Chariklo (1997 CU26)", "59800", ".1674643262085438", "15.81229123900611", "23.36819133821507",
     "300.4384034173763", "242.6014329711978", "106.7270119746529"),
    ("54598 Bienor (2000 QC243)", "59800", ".2008872342753878", "16.5113597608143", "20.74523290653255",
     "337.7045175175182", "152.495628446224", "331.0748501627926"),
    ("(2002 TZ300)", "52601", ".7802000660868876", "28.24939307155197", "7.246321628276704",
     "42.36367199876133", "158.3501283471928", "226.4091436428831"),
]
SHALLOW_DIP_COMETS = [
    ("P/2009 T2 (La Sagra)", (2031, 6, 11.3932), 1.803895, 0.766312, 216.3274, 215.8922, 27.6021),
]
# The earliest R a Best Dates list of 1 June 2024 21:00 UT takes in (30 days before it).
CATALOGUE_FIRST_REFERENCE = 2460463.375 - 30.0


def f32(x):
    return struct.unpack("<f", struct.pack("<f", x))[0]


def julian_day(year, month, day):
    return float(ephem.Date((year, month, day))) + DUBLIN


def comet(year, month, day, q, e, w, node, inc):
    """The body and its reference date R (its perihelion time)."""
    q, e, w, node, inc, day = (f32(x) for x in (q, e, w, node, inc, day))
    t_peri = julian_day(year, month, 1) + day - 1.0
    c = ephem.EllipticalBody()
    c._a, c._e, c._M, c._epoch_M = q / (1.0 - e), e, 0.0, t_peri - DUBLIN
    c._inc, c._Om, c._om, c._epoch = inc, node, w, ephem.J2000
    return c, t_peri


def orbit(year, month, day, q, e, w, node, inc):
    """The elliptic, parabolic or hyperbolic body of a made-up orbit and its perihelion time."""
    if e < 1.0:
        return comet(year, month, day, q, e, w, node, inc)
    q, e, w, node, inc, day = (f32(x) for x in (q, e, w, node, inc, day))
    t_peri = julian_day(year, month, 1) + day - 1.0
    c = ephem.ParabolicBody() if e == 1.0 else ephem.HyperbolicBody()
    if e > 1.0:
        c._e = e
    c._q, c._epoch_p, c._inc, c._Om, c._om, c._epoch = q, t_peri - DUBLIN, inc, node, w, ephem.J2000
    return c, t_peri


def minor_planet(mjd, e, a, inc, node, w, m):
    """The body and its reference date R, from its perihelion date as the record stores it."""
    e, a, inc, node, w, m = (f32(float(x)) for x in (e, a, inc, node, w, m))
    epoch = float(mjd) + 2400000.5
    t_peri = epoch - m / (0.9856076686 / a ** 1.5)
    seconds = round((t_peri + 0.5 - math.floor(t_peri + 0.5)) * 86400.0)
    perihelion_date_0h = math.floor(t_peri + 0.5) - 0.5 + (1.0 if seconds == 86400 else 0.0)
    reflected = 2.0 * epoch - perihelion_date_0h
    c = ephem.EllipticalBody()
    c._a, c._e, c._inc, c._Om, c._om, c._M = a, e, inc, node, w, m
    c._epoch_M, c._epoch = epoch - DUBLIN, ephem.J2000
    return c, math.floor(reflected + 0.5) - 0.5


def closest_approach(body, reference):
    """Julian day and Earth distance (AU) of the least Earth distance within reference +- SPAN, or,
    where that least lies at an end of the span, of the first minimum past that end."""
    def delta(jd):
        body.compute(jd - DUBLIN)
        return body.earth_distance
    times = [reference - SPAN + k * STEP for k in range(int(2 * SPAN / STEP) + 1)]
    d = [delta(t) for t in times]
    least = min(range(len(d)), key=d.__getitem__)
    t = times[least]
    if least in (0, len(d) - 1):
        step = -STEP if least == 0 else STEP
        while delta(t + step) < delta(t):
            t += step
    jd = golden(delta, t - STEP, t + STEP, 1e-6)
    return jd, delta(jd)


def closest_rows(bodies):
    rows = []
    for name, kind, body, reference in bodies:
        jd, delta = closest_approach(body, reference)
        rows.append((name, kind, "%.5f" % reference, "%.5f" % jd, "%.5f" % delta))
    return rows


def record_body(record):
    """The body of a record of the program's comet file (kind, name, elements, perihelion date as
    it holds them) and its reference date R as the program takes it; None where PyEphem has no
    orbit for it."""
    kind, = struct.unpack_from("<I", record, 0)
    name = record[4:48].split(b"\0")[0].decode("latin-1")
    day, epoch = struct.unpack_from("<ff", record, 48)
    q, _, e, w, node, inc = struct.unpack_from("<ffffff", record, 88)
    year, month = struct.unpack_from("<hh", record, 122)
    whole = math.floor(day)
    j = julian_day(year, month, 1) + whole - 1.0
    if not q > 0.0 or e < 0.0:
        return None
    body, t_peri = orbit(year, month, day, q, e, w, node, inc)
    if kind == 18:
        return name, "minor planet", body, math.floor(2.0 * epoch - j + 0.5) - 0.5
    return name, "comet", body, f32(f32(j) + (day - whole))


def catalogue_row(indexed):
    index, record = indexed
    entry = record_body(record)
    if entry is None or not entry[3] >= CATALOGUE_FIRST_REFERENCE:
        return None
    name, kind, body, reference = entry
    try:
        jd, delta = closest_approach(body, reference)
    except RuntimeError:
        return None
    return (str(index), name.replace(",", " "), kind, "%.5f" % reference, "%.5f" % jd, "%.5f" % delta)


def write_catalogue(path):
    with open(path, "rb") as f:
        b = f.read()
    count, size = struct.unpack_from("<II", b, 8)
    records = [(i, b[16 + i * size:16 + (i + 1) * size]) for i in range(count)]
    with multiprocessing.Pool() as pool:
        rows = [r for r in pool.map(catalogue_row, records, chunksize=16) if r is not None]
    write_table("best_dates_catalogue_pyephem.csv",
                ["Closest approach to the Earth near R (the least distance within R +- 180 days, or the first",
                 "minimum past the span's end where that least lies at an end) of every record of the",
                 "comet file that scripts/catalogues makes from Debian's kstars-data 5:3.6.2-2 whose R is",
                 "not before JD %.3f, by its index in the file." % CATALOGUE_FIRST_REFERENCE,
                 "columns: index, name, kind, R (JD, UT), JD of the least distance (UT), distance (AU)"],
                ["index", "name", "kind", "reference_jd", "jd", "delta"], rows,
                "PyEphem %s (libastro)" % ephem.__version__)


def main():
    if len(sys.argv) == 3 and sys.argv[1] == "--catalogue":
        write_catalogue(sys.argv[2])
        return
    bodies = [(name, "comet", *comet(*date, *el)) for name, date, *el in COMETS]
    bodies += [(name, "minor planet", *minor_planet(*el)) for name, *el in MINOR_PLANETS]
    columns = ["name", "kind", "reference_jd", "jd", "delta"]
    source = "PyEphem %s (libastro)" % ephem.__version__
    write_table("best_dates_pyephem.csv",
                ["Closest approach to the Earth near R (within R +- 180 days; 48 Doris: past them) of two",
                 "comets (MPC elements) and five minor planets (JPL elements at MJD 59800), as Debian's",
                 "kstars-data 5:3.6.2-2 ships them.",
                 "columns: name, kind, R (JD, UT), JD of the least distance (UT), distance (AU)"],
                columns, closest_rows(bodies), source)
    bodies = [(name, "comet", *orbit(*date, *el)) for name, date, *el in ORBITS]
    write_table("best_dates_orbits_pyephem.csv",
                ["Closest approach to the Earth near R (its perihelion time) of made-up orbits: the least",
                 "within R +- 180 days, else the first past the span where the distance falls all through it.",
                 "columns: name, kind, R (JD, UT), JD of the least distance (UT), distance (AU)"],
                columns, closest_rows(bodies), source)
    bodies = [(name, "minor planet", *minor_planet(*el)) for name, *el in SPAN_ENDS]
    write_table("best_dates_span_ends_pyephem.csv",
                ["Closest approach to the Earth within R +- 180 days of a retrograde Centaur whose",
                 "least distance there lies in the span's last 4 days (JPL elements at MJD 55654 of",
                 "Debian's kstars-data 5:3.6.2-2), and of its orbit at an epoch 179 days on (first 4 days).",
                 "columns: name, kind, R (JD, UT), JD of the least distance (UT), distance (AU)"],
                columns, closest_rows(bodies), source)
    bodies = [(name, "comet", *comet(*date, *el)) for name, date, *el in SHALLOW_DIP_COMETS]
    bodies += [(name, "minor planet", *minor_planet(*el)) for name, *el in SHALLOW_DIP_MINOR_PLANETS]
    write_table("best_dates_shallow_dips_pyephem.csv",
                ["Closest approach to the Earth near R of a comet (MPC elements) and seven minor planets",
                 "(JPL elements) of Debian's kstars-data 5:3.6.2-2 whose distance is least at an end of",
                 "R +- 180 days and goes on falling past it, with a shallow local minimum inside the span:",
                 "the first minimum past that end.",
                 "columns: name, kind, R (JD, UT), JD of the least distance (UT), distance (AU)"],
                columns, closest_rows(bodies), source)


if __name__ == "__main__":
    main()
