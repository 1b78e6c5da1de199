#!/usr/bin/python3
"""Label position of Vulpecula for the constellation table (catalog/designations.cpp).

The constellation table's label positions give Vulpecula no row; its position is
computed here once from the constellation boundaries of Roman (1987), equinox
B1875.0 (CDS VI/42; the project copy is constellation_roman1987.csv), as the
area-weighted centre of the constellation's region, precessed to J2000.0 with the
IAU 2006 precession of ERFA (pmat06). The script also checks that the centre lies
inside the region. Output: right ascension in thousandths of an hour and
declination in hundredths of a degree, as the table stores them.

Usage: /usr/bin/python3 scripts/tables/vulpecula_label.py [path/to/constellation_roman1987.csv]
Without the argument: ../shared/data/constellation_roman1987.csv from the repository top
(the shared data folder beside the checkout, found from the script's own place).
"""
import math
import sys

import erfa
import numpy as np

from shared_data import source

VULPECULA = 88
B1875_JD = 2405889.25855


def read_rows(path):
    rows = []
    with open(path) as f:
        for line in f:
            if line.startswith("#") or line.startswith("ra_low"):
                continue
            ra_low, ra_high, dec_low, const = (int(v) for v in line.split(",")[:4])
            rows.append((ra_low, ra_high, dec_low, const))
    return rows


def classify(rows, ra_s, dec_as):
    """Constellation index of each point: the first row that contains it."""
    result = np.full(ra_s.shape, -1)
    for ra_low, ra_high, dec_low, const in rows:
        hit = (result < 0) & (ra_s >= ra_low) & (ra_s < ra_high) & (dec_as > dec_low)
        result[hit] = const
    return result


def main():
    path = sys.argv[1] if len(sys.argv) > 1 else source("constellation_roman1987.csv")
    rows = read_rows(path)
    own = [r for r in rows if r[3] == VULPECULA]
    ra_lo = min(r[0] for r in own)
    ra_hi = max(r[1] for r in own)
    dec_lo = min(r[2] for r in own)
    # Cell centres of a 10-second by 30-arcsecond grid over a strip 20 degrees high
    # above the region's lowest boundary (the region must not reach its top row).
    ra = np.arange(ra_lo + 5.0, ra_hi, 10.0)
    dec = np.arange(dec_lo + 15.0, dec_lo + 20 * 3600.0, 30.0)
    ra_s, dec_as = np.meshgrid(ra, dec)
    inside = classify(rows, ra_s, dec_as) == VULPECULA
    assert not inside[-1].any(), "grid too low for the region"
    a = ra_s[inside] * (math.pi / 43200.0)
    d = dec_as[inside] * (math.pi / 648000.0)
    weight = np.cos(d)  # cell area on the sphere
    v = np.array([np.sum(weight * np.cos(d) * np.cos(a)),
                  np.sum(weight * np.cos(d) * np.sin(a)),
                  np.sum(weight * np.sin(d))])
    v /= np.linalg.norm(v)
    # Check the centre against the boundaries (B1875.0).
    c_ra = (math.atan2(v[1], v[0]) * 43200.0 / math.pi) % 86400.0
    c_dec = math.asin(v[2]) * 648000.0 / math.pi
    assert classify(rows, np.array([c_ra]), np.array([c_dec]))[0] == VULPECULA, "centre outside Vulpecula"
    # B1875.0 -> J2000.0: pmat06 rotates J2000 into the mean equator of the date.
    j2000 = erfa.pmat06(B1875_JD, 0.0).T @ v
    ra_h = (math.atan2(j2000[1], j2000[0]) * 12.0 / math.pi) % 24.0
    dec_d = math.degrees(math.asin(j2000[2]))
    print(f"B1875.0 centre: {c_ra / 3600.0:.4f} h {c_dec / 3600.0:+.4f} deg")
    print(f"J2000.0 centre: {ra_h:.4f} h {dec_d:+.4f} deg")
    print(f"table row: Vul Vulpecula {round(ra_h * 1000)} {round(dec_d * 100)}")


if __name__ == "__main__":
    main()
