#!/usr/bin/python3
"""Checks the catalogue files that scripts/catalogues made against the Debian packages they
were made from. It reads both itself, with nothing but the Python standard library: the source
formats (Stellarium's catalog.dat as a big-endian Qt data stream, its Hipparcos star files and
cross-id.dat, its planetary nomenclature, OpenNGC as KStars ships it in SQLite, xplanet's Bright
Star Catalogue and Mars markers) and the made record files (a 16-byte header, then fixed-size
little-endian records).

Run from the top folder after scripts/run (or scripts/catalogues DATA):
    /usr/bin/python3 scripts/reference/catalogue_sources.py [SOURCES [DATA]]
SOURCES defaults to build/catalogue-sources, DATA to build/release/data. Prints one line per
check and the record count of every file; exits 1 when a check fails.
"""
import gzip
import math
import os
import re
import sqlite3
import struct
import sys

STELLARIUM = "stellarium-data/usr/share/stellarium/"
MESSIER, CALDWELL, IC, NGC, HR = 40, 9, 29, 42, 28
# Row of the object type table (Star, Open Cluster, Globular Cluster, Nebula, Planetary Nebula,
# Supernova Remnant, Galaxy, Asterism, Galaxy Cluster, Stars (Double)) of each known KStars
# object type of OpenNGC; 255 is OpenNGC's unknown or non-existent object.
OPENNGC_TYPE_ROW = {0: 30, 3: 6, 4: 2, 5: 19, 6: 25, 7: 39, 8: 16, 13: 1, 14: 17, 17: 31}
DARK_NEBULA = 21
# HR stars that share a HIP number with a lower-numbered HR star (their cross-id.dat rows carry
# a component letter other than A).
COMPONENT_STARS = (604, 898, 1949, 2948, 4058, 4731, 4826, 5055, 5477, 5606, 5788, 8558)

failures = []


def check(ok, text):
    print(("ok      " if ok else "FAILED  ") + text)
    if not ok:
        failures.append(text)


def separation_arcmin(ra1_h, dec1, ra2_h, dec2):
    """Angle between two places (hours, degrees), in arcminutes."""
    a1, d1, a2, d2 = (math.radians(ra1_h * 15), math.radians(dec1), math.radians(ra2_h * 15), math.radians(dec2))
    c = math.sin(d1) * math.sin(d2) + math.cos(d1) * math.cos(d2) * math.cos(a1 - a2)
    return math.degrees(math.acos(max(-1.0, min(1.0, c)))) * 60


def f32(x):
    return struct.unpack("<f", struct.pack("<f", x))[0]


# ---- sources ----

def read_source(path):
    """A source file's bytes; Stellarium gzips some of its files."""
    with open(path, "rb") as f:
        b = f.read()
    return gzip.decompress(b) if b[:2] == b"\x1f\x8b" else b


def read_dso_catalog(path):
    """catalog.dat: version and edition strings, then objects: id, RA, Dec (radians), B, V,
    type, morphology, major and minor axes (degrees), orientation, six doubles (the fifth the
    distance in kpc), then 29 catalogue numbers (columns 14 and 17..23 strings)."""
    b = read_source(path)
    at = 0

    def take(fmt):
        nonlocal at
        v = struct.unpack_from(fmt, b, at)[0]
        at += struct.calcsize(fmt)
        return v

    def text():
        nonlocal at
        n = take(">I")
        if n == 0xFFFFFFFF:
            return ""
        s = b[at:at + n].decode("utf-16-be")
        at += n
        return s

    text(), text()
    objects = []
    while at < len(b):
        o = {"id": take(">I"), "ra": take(">d") * 12 / math.pi, "dec": take(">d") * 180 / math.pi,
             "b": take(">d"), "v": take(">d"), "type": take(">I"), "morph": text(), "major": take(">d")}
        take(">d"), take(">I")
        for _ in range(6):
            take(">d")
        cols = [text() if c == 14 or 17 <= c <= 23 else take(">I") for c in range(29)]
        o["ra"] %= 24
        o["ngc"], o["ic"], o["m"], o["c"] = cols[0], cols[1], cols[2], cols[3]
        objects.append(o)
    return objects


def read_openngc(path):
    """NGC and IC rows of OpenNGC, one per (ic, number): the plain row, else row A."""
    rows = {}
    db = sqlite3.connect("file:%s?mode=ro" % path, uri=True)
    query = "SELECT catalog_identifier, type, ra, dec, magnitude, major_axis FROM cat"
    for ident, kind, ra, dec, mag, major in db.execute(query):
        m = re.fullmatch(r"(NGC|IC)0*(\d+)(A?)", ident or "")
        if not m or int(m.group(2)) == 0:
            continue
        key = (m.group(1) == "IC", int(m.group(2)))
        if key in rows and rows[key]["plain"]:
            continue
        rows[key] = {"type": kind, "ra": ra / 15.0, "dec": dec, "mag": mag, "major": major or 0.0,
                     "plain": m.group(3) == "", "placed": not (ra == 0 and dec == 0)}
    return rows


def read_hip_components(folder):
    """(HIP, component number) -> B-V of Stellarium's Hipparcos stars (levels 0-2). A record
    starts with a word of HIP (24 bits) and component (8 bits; 1 = A); its byte 12 is the B-V
    index, B-V = index x 4 / 127 - 0.5."""
    stars = {}
    for level in range(3):
        b = read_source(os.path.join(folder, "stars/default/stars_%d_0v0_8.cat" % level))
        zones = 20 * 4 ** struct.unpack_from("<I", b, 16)[0]
        at = 32 + 4 * zones
        for _ in range(sum(struct.unpack_from("<%dI" % zones, b, 32))):
            word = struct.unpack_from("<I", b, at)[0]
            stars[(word & 0xFFFFFF, word >> 24)] = b[at + 12] * 4 / 127 - 0.5
            at += 28
    return stars


def read_cross_id(path):
    """HR -> (HIP, component letter) of cross-id.dat (HIP, component, SAO, HD, HR by tabs)."""
    hr = {}
    for line in read_source(path).decode("latin-1").splitlines():
        f = line.split("\t")
        if line.startswith("#") or len(f) < 5 or not f[4].strip():
            continue
        hr[int(f[4])] = (int(f[0]), f[1].strip())
    return hr


def read_mars_features(path):
    """(name, USGS type) of the Martian features of the nomenclature."""
    out = []
    for line in read_source(path).decode("utf-8").splitlines():
        f = line.split("\t")
        if line.startswith("#") or len(f) < 7 or f[0] != "Mars":
            continue
        m = re.match(r'_\("([^"]*)"', f[2])
        out.append((m.group(1) if m else f[2], f[3]))
    return out


# ---- made files ----

def read_records(path):
    with open(path, "rb") as f:
        b = f.read()
    count, size = struct.unpack_from("<I", b, 8)[0], struct.unpack_from("<I", b, 12)[0]
    return [b[16 + i * size:16 + (i + 1) * size] for i in range(count)]


def object_record(r):
    d, n, t, c, ra, dec, mag, s1, s2, code, cls, dist = struct.unpack_from("<IiIIfffffHhf", r, 0)
    return {"designation": d & 0xFFFF, "number": n, "type": t & 0xFFFF, "constellation": c & 0xFFFF,
            "ra": ra, "dec": dec, "mag": mag, "size1": s1, "size2": s2, "code": code, "class": cls,
            "distance": dist}


def index_entries(records):
    """Entries of an object index but its header record, unused entries left out."""
    for r in records[1:]:
        for k in range(15):
            number, designation, record, ra, dec, kind, mag10 = struct.unpack_from("<Ihhiihh", r, 20 * k)
            if mag10 != 32767:
                yield {"record": record, "ra": ra, "dec": dec, "designation": designation, "number": number}


def cross_refs(records):
    refs = {}
    for r in records[1:]:
        ident, a1, a2, a3, number, n1, n2, n3 = struct.unpack_from("<hhhhiiii", r, 0)
        name = r[24:].split(b"\0")[0].decode("cp1252")
        refs[(ident, number)] = ([(a, n) for a, n in ((a1, n1), (a2, n2), (a3, n3)) if a > 0], name)
    return refs


def list_keys(table):
    """The program's Messier or Caldwell keys ((designation, number), (alternative)), read from
    the table it compiles in."""
    text = open(os.path.join(os.path.dirname(__file__), "..", "..", "catalog", "object_list_tables.cpp")).read()
    body = text.split("const CatalogueKey %s[" % table)[1].split("};")[0]
    return [((int(a), int(b)), (int(c), int(d)))
            for a, b, c, d in re.findall(r"\{(\d+), (\d+), (\d+), (\d+)\}", body)]


# ---- checks ----

def namesake_rule(row, namesakes):
    """The catalog.dat object whose values an NGC/IC row takes: the nearest namesake within
    max(10', OpenNGC's major axis); for a row without a place, any namesake; else None."""
    if not row["placed"]:
        return namesakes[0] if namesakes else None
    limit = max(10.0, row["major"])
    near = [(separation_arcmin(row["ra"], row["dec"], o["ra"], o["dec"]), o) for o in namesakes]
    near = [x for x in near if x[0] <= limit]
    return min(near, key=lambda x: x[0])[1] if near else None


def expected_magnitude(row, dso):
    if dso is not None and -30 <= dso["v"] <= 20:
        return dso["v"]
    return row["mag"] if row["mag"] is not None and row["mag"] <= 20 else 0.0


def check_ngc_ic(files, openngc, by_number):
    for name, records in files:
        objs = [object_record(r) for r in records]
        ngc_ic = [o for o in objs if o["designation"] in (NGC, IC)]
        check(all(o["mag"] <= 20 for o in ngc_ic), "%s: no NGC/IC record has a magnitude above 20" % name)
        wrong_type, wrong_mag, unplaced = [], [], []
        for o in ngc_ic:
            ic = o["designation"] == IC
            row = openngc.get((ic, o["number"]))
            if row is None:
                continue
            dso = namesake_rule(row, by_number.get((ic, o["number"]), []))
            if row["type"] in OPENNGC_TYPE_ROW and o["type"] != OPENNGC_TYPE_ROW[row["type"]]:
                wrong_type.append("%s%d" % ("IC" if ic else "NGC", o["number"]))
            want = 0.0 if o["type"] == DARK_NEBULA else expected_magnitude(row, dso)
            if abs(o["mag"] - f32(want)) > 1e-4:
                wrong_mag.append("%s%d %.2f, not %.2f" % ("IC" if ic else "NGC", o["number"], o["mag"], want))
            if not row["placed"] and dso is not None and separation_arcmin(o["ra"], o["dec"], dso["ra"], dso["dec"]) > 0.1:
                unplaced.append("%s%d" % ("IC" if ic else "NGC", o["number"]))
        check(not wrong_type, "%s: OpenNGC's known type decides the object type (%d differ %s)"
              % (name, len(wrong_type), wrong_type[:5]))
        check(not wrong_mag, "%s: magnitude of the near namesake's V (at most 20), else OpenNGC's (%d differ %s)"
              % (name, len(wrong_mag), wrong_mag[:5]))
        check(not unplaced, "%s: a row without a place takes its namesake's place (%d differ %s)"
              % (name, len(unplaced), unplaced[:5]))


def check_indexes(data, files):
    for (name, records), index in zip(files, ("zendavori_obj_18k_idx.ppc", "zendavori_obj_1k_idx.ppc")):
        entries = list(index_entries(read_records(os.path.join(data, index))))
        at_origin = [e for e in entries if records[e["record"]] and object_record(records[e["record"]])["ra"] == 0
                     and object_record(records[e["record"]])["dec"] == 0]
        check(not at_origin and all(e["ra"] or e["dec"] for e in entries),
              "%s: no indexed record lies at exactly 0h 0 deg (%d do)" % (index, len(at_origin)))


def check_ic2172(files, openngc):
    ngc2282 = openngc[(False, 2282)]
    for name, records in files:
        found = [object_record(r) for r in records
                 if object_record(r)["designation"] == IC and object_record(r)["number"] == 2172]
        if not found:
            print("        %s: holds no IC 2172" % name)
            continue
        sep = separation_arcmin(found[0]["ra"], found[0]["dec"], ngc2282["ra"], ngc2282["dec"])
        check(sep <= 1.0, "%s: IC 2172 lies %.3f' from NGC 2282 (OpenNGC)" % (name, sep))


def check_lists(files, refs, dso):
    """Every Messier and Caldwell key finds a record, near the object catalog.dat gives that
    number (within its major axis, at least 15'); every M and C number is a record's own
    designation or one of its cross references."""
    for table, designation, column, count in (("messierKeys", MESSIER, "m", 110), ("caldwellKeys", CALDWELL, "c", 109)):
        keys = list_keys(table)
        check(len(keys) == count, "%s: %d keys" % (table, len(keys)))
        places = {o[column]: o for o in dso if o[column]}
        for name, records in files:
            objs = {}
            for r in records:
                o = object_record(r)
                objs.setdefault((o["designation"], o["number"]), o)
            missing, far = [], []
            for n, (key, alt) in enumerate(keys, 1):
                o = objs.get(key) or objs.get(alt)
                if o is None:
                    missing.append(n)
                    continue
                src = places.get(n)
                if src and separation_arcmin(o["ra"], o["dec"], src["ra"], src["dec"]) > max(15.0, src["major"] * 60):
                    far.append(n)
            check(not missing and not far, "%s: all %d %s keys find a record (missing %s), near catalog.dat's (far %s)"
                  % (name, count, table[:-4], missing, far))
        unlisted = [n for n, (key, _) in enumerate(keys, 1)
                    if key[0] != designation and (designation, n) not in refs.get(key, ([], ""))[0]]
        check(not unlisted, "the record of every %s key lists its number in its cross references (not %s)"
              % (table[:-4], unlisted))
        listed = {n for (d, n) in refs if d == designation}
        for alts, _ in refs.values():
            listed |= {n for (d, n) in alts if d == designation}
        for name, records in files:
            listed |= {object_record(r)["number"] for r in records if object_record(r)["designation"] == designation}
        lacking = sorted(set(range(1, count + 1)) - listed)
        check(not lacking, "every %s number is a designation or a cross reference (lacking %s)" % (table[:-4], lacking))


def check_star_colours(data, sources):
    folder = os.path.join(sources, STELLARIUM)
    components = read_hip_components(folder)
    hr_to_hip = read_cross_id(os.path.join(folder, "stars/default/cross-id.dat"))
    stars = {struct.unpack_from("<h", r, 0)[0]: struct.unpack_from("<h", r, 14)[0]
             for r in read_records(os.path.join(data, "zendavori_default_stars.ppc"))}
    for hr in COMPONENT_STARS:
        hip, letter = hr_to_hip[hr]
        bv = components.get((hip, ord(letter) - ord("A") + 1))
        want = None if bv is None else int(math.copysign(math.floor(abs(10 * bv) + 0.5), bv))
        check(hr in stars and stars[hr] == want,
              "HR %d (HIP %d %s): colour code %s, B-V %s gives %s" % (hr, hip, letter, stars.get(hr), bv, want))


def check_mars(data, sources):
    names = [r[:20].split(b"\0")[0].decode("cp1252") for r in read_records(os.path.join(data, "zendavori_mars.ppc"))]
    check("Valles Marineris" in names, "zendavori_mars.ppc holds Valles Marineris")
    features = read_mars_features(os.path.join(sources, STELLARIUM, "data/nomenclature.dat"))
    kinds = ("CB", "MO", "AA", "PL", "PM", "CA", "CM", "RU", "TA", "VA")
    landers = 0
    section = ""
    for line in open(os.path.join(sources, "xplanet/usr/share/xplanet/markers/mars"), encoding="latin-1"):
        if line.startswith("#"):
            section = line[1:].strip()
        elif not line.strip():
            section = ""
        elif section.startswith("Landing Sites"):
            landers += 1
    want = sum(1 for _, kind in features if kind in kinds) + landers
    check(len(names) == want, "zendavori_mars.ppc: %d features, the nomenclature's of the carried types and "
          "xplanet's landers give %d" % (len(names), want))


def main():
    sources = sys.argv[1] if len(sys.argv) > 1 else "build/catalogue-sources"
    data = sys.argv[2] if len(sys.argv) > 2 else "build/release/data"
    dso = read_dso_catalog(os.path.join(sources, STELLARIUM, "nebulae/default/catalog.dat"))
    openngc = read_openngc(os.path.join(sources, "kstars-data/usr/share/kstars/OpenNGC.kscat"))
    by_number = {}
    for o in dso:
        if o["ngc"]:
            by_number.setdefault((False, o["ngc"]), []).append(o)
        if o["ic"]:
            by_number.setdefault((True, o["ic"]), []).append(o)
    files = [(name, read_records(os.path.join(data, name))) for name in ("zendavori_obj_18k.ppc", "zendavori_obj_1k.ppc")]
    refs = cross_refs(read_records(os.path.join(data, "zendavori_obj_cross_ref.ppc")))
    check_ngc_ic(files, openngc, by_number)
    check_indexes(data, files)
    check_ic2172(files, openngc)
    check_lists(files, refs, dso)
    check_mars(data, sources)
    check_star_colours(data, sources)
    for name in sorted(os.listdir(data)):
        if name.endswith(".ppc"):
            print("        %-30s %6d records" % (name, len(read_records(os.path.join(data, name)))))
    print("%d checks failed" % len(failures) if failures else "all checks passed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
