#!/usr/bin/python3
"""Converts the IAU 1980 nutation table (106 terms) into core/nutation_tables.cpp.

Usage: convert_nutation.py [path/to/nutation_iau1980.csv]   (run from the repository top)
Without the argument: ../shared/data/nutation_iau1980.csv from the repository top
(the shared data folder beside the checkout, found from the script's own place).

The series is evaluated from an argument table of 106 sine/cosine pairs. Entries 0..4 are
direct evaluations (l, l', 2F, D, Omega), entries 5..9 are 2l, 3l, 2l', 2D, 2 Omega, and every
further entry is built from two earlier ones by the angle-sum or angle-difference formulas.
This script finds such a recipe, stores each term as an index into that table, and orders the
four term lists by increasing absolute amplitude (ties in published row order).

An argument may be built with the opposite sign of the published one; its sine amplitudes are
then negated (sin(-x) = -sin x, cos(-x) = cos x). The time-rate rows keep the signs of the
rate list we check against (rows 12 and 39 are stored negated, all other rate rows as published).
"""
import csv, math, os, sys

from shared_data import source

SRC = sys.argv[1] if len(sys.argv) > 1 else source("nutation_iau1980.csv")
OUT = "core/nutation_tables.cpp"
OUT_H = "core/nutation_tables.h"
NEGATED_RATE_ROWS = {12, 39}

with open(SRC) as f:
    lines = [l for l in f if not l.startswith("#")]
rows = list(csv.DictReader(lines))
assert len(rows) == 106

def vec(r):
    return tuple(int(r[k]) for k in ("l", "lp", "F", "D", "Om"))

def neg(v):
    return tuple(-x for x in v)

def add(a, b, s=1):
    return tuple(x + s * y for x, y in zip(a, b))

# target vector -> (row, allowed stored signs)
targets = {}
for r in rows:
    n = int(r["n"])
    if float(r["lon_sin_T"]) != 0.0:
        signs = (-1,) if n in NEGATED_RATE_ROWS else (1,)
    else:
        signs = (1, -1)
    targets[vec(r)] = (r, signs)

def lookup(v):
    """(published vector, stored sign) when v may be stored for a not yet built row."""
    for s in (1, -1):
        p = v if s == 1 else neg(v)
        if p in targets and p not in built and s in targets[p][1]:
            return p, s
    return None

entries = []      # stored argument vectors, in table order
stored_sign = {}  # published vector -> sign of the stored argument
built = set()

def put(v):
    p, s = lookup(v)
    entries.append(v)
    built.add(p)
    stored_sign[p] = s

unit = [(1, 0, 0, 0, 0), (0, 1, 0, 0, 0), (0, 0, 2, 0, 0), (0, 0, 0, 1, 0), (0, 0, 0, 0, 1)]
direct = [(0, 0), (1, 0), (2, 1), (3, 0), (4, 0)]  # (argument, multiplier - 1)
for v in unit:
    put(v)
doubled = [(0, 0), (0, 5), (1, 1), (3, 3), (4, 4)]
for i, j in doubled:
    put(add(entries[i], entries[j]))

recipe = []

def add_pair():
    """Adds one pair whose sum and difference are both wanted rows (operation 2)."""
    for i in range(len(entries)):
        for j in range(len(entries)):
            s, d = add(entries[i], entries[j]), add(entries[i], entries[j], -1)
            ls, ld = (lookup(s), lookup(d)) if i != j else (None, None)
            if ls and ld and ls[0] != ld[0]:
                put(s); put(d)
                recipe.append((2, i, j))
                return True
    return False

def add_single():
    """Adds one wanted row as a sum (operation 0) or a difference (operation 1)."""
    for i in range(len(entries)):
        for j in range(len(entries)):
            if i != j and j > i and lookup(add(entries[i], entries[j])):
                put(add(entries[i], entries[j]))
                recipe.append((0, i, j))
                return True
            if i != j and lookup(add(entries[i], entries[j], -1)):
                put(add(entries[i], entries[j], -1))
                recipe.append((1, i, j))
                return True
    return False

# Pairs first: they build two arguments per recipe step.
while len(built) < 106:
    if not add_pair() and not add_single():
        sys.exit("no recipe found for %d rows" % (106 - len(built)))
assert len(entries) == 106

index_of = {}
for k, v in enumerate(entries):
    p = v if v in targets else neg(v)
    index_of[p] = k

def literal(text, sign):
    text = text.strip()
    if sign == 1:
        return text
    return text[1:] if text.startswith("-") else "-" + text

def term_list(amp_col, rank_col, is_sine):
    out = []
    for r in rows:
        if r[rank_col]:
            p = vec(r)
            s = stored_sign[p] if is_sine else 1
            out.append((int(r[rank_col]), index_of[p], literal(r[amp_col], s), int(r["n"])))
    out.sort()
    assert [t[0] for t in out] == list(range(1, len(out) + 1))
    return out

lists = {
    "Longitude": term_list("lon_sin", "lon_rank", True),
    "LongitudeRate": term_list("lon_sin_T", "lon_T_rank", True),
    "Obliquity": term_list("obl_cos", "obl_rank", False),
    "ObliquityRate": term_list("obl_cos_T", "obl_T_rank", False),
}

# Self-check: the tables reproduce the published series.
def check(T):
    a = [2.3, 1.7, 0.9, 4.1, 5.5]  # arbitrary angles suffice for an identity check
    a = [x + T for x in a]
    ang = [sum(m * x for m, x in zip(v, a)) for v in entries]
    pub = lambda r: sum(m * x for m, x in zip(vec(r), a))
    want_s0 = sum(float(r["lon_sin"]) * math.sin(pub(r)) for r in rows)
    got_s0 = sum(float(t[2]) * math.sin(ang[t[1]]) for t in lists["Longitude"])
    want_c0 = sum(float(r["obl_cos"]) * math.cos(pub(r)) for r in rows)
    got_c0 = sum(float(t[2]) * math.cos(ang[t[1]]) for t in lists["Obliquity"])
    want_s1 = sum(float(r["lon_sin_T"]) * math.sin(pub(r)) for r in rows)
    got_s1 = sum(float(t[2]) * math.sin(ang[t[1]]) for t in lists["LongitudeRate"])
    assert abs(want_s0 - got_s0) < 1e-6 and abs(want_c0 - got_c0) < 1e-6 and abs(want_s1 - got_s1) < 1e-9
for T in (0.0, 0.3, 1.9):
    check(T)

def fmt_rows(items, per_line):
    lines = []
    for k in range(0, len(items), per_line):
        lines.append("    " + ", ".join(items[k:k + per_line]) + ",")
    return "\n".join(lines)

src_name = os.path.basename(SRC)
o = []
o.append("// Generated by scripts/tables/convert_nutation.py from %s; do not edit." % src_name)
o.append("//")
o.append("// IAU 1980 theory of nutation, 106 terms (Seidelmann 1982; Explanatory Supplement to the")
o.append("// Astronomical Almanac 1992, Table 3.222.1), amplitudes in units of 0.0001 arcsecond as published.")
o.append("// The numbers were taken from the public ERFA table of its IAU 1980 nutation routine")
o.append("// (liberfa/erfa src/nut80.c, commit 1d9738bed9954188722f976774d0903e5dae1857).")
o.append("// Arguments built with the opposite sign of the published one carry negated sine amplitudes.")
o.append('#include "core/nutation_tables.h"')
o.append("")
o.append("const int16_t nutationDirectArguments[5][2] = {")
o.append(fmt_rows(["{%d, %d}" % p for p in direct], 5))
o.append("};")
o.append("")
o.append("const int16_t nutationDoubledArguments[5][2] = {")
o.append(fmt_rows(["{%d, %d}" % p for p in doubled], 5))
o.append("};")
o.append("")
o.append("const int16_t nutationRecipe[kNutationRecipeLength][3] = {")
o.append(fmt_rows(["{%d, %d, %d}" % t for t in recipe], 6))
o.append("};")
for name, lst in lists.items():
    o.append("")
    o.append("const int16_t nutation%sIndex[kNutation%sTerms] = {" % (name, name))
    o.append(fmt_rows([str(t[1]) for t in lst], 12))
    o.append("};")
    o.append("")
    o.append("const double nutation%sAmplitude[kNutation%sTerms] = {" % (name, name))
    o.append(fmt_rows([t[2] for t in lst], 8))
    o.append("};")
o.append("")
with open(OUT, "w") as f:
    f.write("\n".join(o))

h = []
h.append("// Generated by scripts/tables/convert_nutation.py from %s; do not edit." % src_name)
h.append("//")
h.append("// Constant tables of the IAU 1980 nutation series (106 terms). The series is summed over an")
h.append("// argument table of 106 cosine/sine pairs: entries 0..4 are evaluated directly from")
h.append("// nutationDirectArguments (fundamental argument index, multiplier - 1; arguments l, l', F, D,")
h.append("// Omega), entries 5..9 are the sums of the entry pairs of nutationDoubledArguments, and every")
h.append("// further entry comes from one step of nutationRecipe: {operation, i, j} with operation 0 adding")
h.append("// entry i + entry j, 1 adding entry i - entry j, 2 adding both (the sum first), 3 ending the")
h.append("// recipe. Each term list holds argument-table indices and amplitudes in 0.0001 arcsecond,")
h.append("// stored in increasing order of absolute amplitude (the order in which they are summed).")
h.append("#pragma once")
h.append("")
h.append("#include <cstdint>")
h.append("")
h.append("constexpr int kNutationArgumentCount = 106;")
h.append("constexpr int kNutationRecipeLength = %d;" % len(recipe))
for name, lst in lists.items():
    h.append("constexpr int kNutation%sTerms = %d;" % (name, len(lst)))
h.append("")
h.append("extern const int16_t nutationDirectArguments[5][2];")
h.append("extern const int16_t nutationDoubledArguments[5][2];")
h.append("extern const int16_t nutationRecipe[kNutationRecipeLength][3];")
h.append("")
h.append("// Sine terms of the nutation in longitude and their rates per Julian century.")
h.append("extern const int16_t nutationLongitudeIndex[kNutationLongitudeTerms];")
h.append("extern const double nutationLongitudeAmplitude[kNutationLongitudeTerms];")
h.append("extern const int16_t nutationLongitudeRateIndex[kNutationLongitudeRateTerms];")
h.append("extern const double nutationLongitudeRateAmplitude[kNutationLongitudeRateTerms];")
h.append("")
h.append("// Cosine terms of the nutation in obliquity and their rates per Julian century.")
h.append("extern const int16_t nutationObliquityIndex[kNutationObliquityTerms];")
h.append("extern const double nutationObliquityAmplitude[kNutationObliquityTerms];")
h.append("extern const int16_t nutationObliquityRateIndex[kNutationObliquityRateTerms];")
h.append("extern const double nutationObliquityRateAmplitude[kNutationObliquityRateTerms];")
h.append("")
with open(OUT_H, "w") as f:
    f.write("\n".join(h))

counts = {k: len(v) for k, v in lists.items()}
print("recipe triples:", len(recipe), "ops:", {op: sum(1 for t in recipe if t[0] == op) for op in (0, 1, 2)})
print("term counts:", counts)
print("wrote", OUT, OUT_H)
