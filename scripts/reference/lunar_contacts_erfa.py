#!/usr/bin/python3
"""Writes tests/reference/lunar_contacts_erfa.csv: the contacts of the lunar eclipses of the
2006-2007 eclipse list (full Moons k = 76, 82, 88: 2006-03-14, 2006-09-07, 2007-03-03), from
ERFA's Sun and Moon (the positions of lunation_eclipse_erfa.py), under the two rules for the
enlargement of the Earth's shadow by its atmosphere:

- danjon: the Earth's radius enlarged by 1/85 (the rule Meeus's chapter 54 radii follow:
  1.2848 + u and 0.7403 - u agree with it within 0.001 Earth radii for these eclipses);
- chauvenet: both shadow radii enlarged by 1/50.

Columns: k, rule, greatest eclipse and the contacts P1, U1, U2, U3, U4, P4 as TT Julian days
(nan where the phase does not occur). A contact is where the distance of the Moon's centre
from the shadow axis equals the shadow radius plus (P1, U1, U4, P4) or minus (U2, U3) the
Moon's radius (0.2725076 Earth radii).

Check against the published contacts (F. Espenak, NASA eclipse pages): the 2006 pages used
Chauvenet's rule, the 2007 page Danjon's; the script stops if its durations under the page's
rule differ from the page's by more than 15 s.

Run from the top folder:  /usr/bin/python3 scripts/reference/lunar_contacts_erfa.py
"""
import math
import os
import sys

import numpy as np

sys.path.insert(0, os.path.dirname(__file__))
import lunation_eclipse_erfa as ref  # noqa: E402
from common import write_table  # noqa: E402

# k, first guess (TT), NASA page's rule, its deepest phase and that phase's duration (s)
EVENTS = [(76, 2453809.49, "chauvenet", "P", 17518),   # P1 21:21:30, P4 02:13:28
          (82, 2453986.29, "chauvenet", "U", 5558),    # U1 18:05:03, U4 19:37:41
          (88, 2454163.47, "danjon", "T", 4404)]       # U2 22:44:13, U3 23:57:37


def shadow(t, rule):
    """Distance of the Moon from the shadow axis, umbral and penumbral radii (Earth radii)."""
    sun, moon = ref.sun_moon(t)
    axis = -sun / np.linalg.norm(sun, axis=-1)[..., None]
    offset = moon - np.sum(moon * axis, axis=-1)[..., None] * axis
    dm, ds = np.linalg.norm(moon, axis=-1), np.linalg.norm(sun, axis=-1)
    sigma = np.linalg.norm(offset, axis=-1) * ref.AU_KM / ref.EARTH_KM
    pi_m = np.arcsin(ref.EARTH_KM / (dm * ref.AU_KM)) * 0.998340
    pi_s = ref.SUN_PARALLAX_ARCSEC * ref.ARCSEC / ds
    s_s = ref.SUN_RADIUS_AU_ARCSEC * ref.ARCSEC / ds
    to_radii = dm * ref.AU_KM / ref.EARTH_KM
    if rule == "chauvenet":
        umbra, penumbra = 1.02 * (pi_m - s_s + pi_s), 1.02 * (pi_m + s_s + pi_s)
    else:
        umbra, penumbra = pi_m * 86 / 85 - s_s + pi_s, pi_m * 86 / 85 + s_s + pi_s
    return sigma, umbra * to_radii, penumbra * to_radii


def crossing(f, a, b):
    """Root of f between a and b (bisection to well under a second)."""
    for _ in range(50):
        m = (a + b) / 2
        if (f(a) > 0) == (f(m) > 0):
            a = m
        else:
            b = m
    return (a + b) / 2


def contacts(t0, rule):
    greatest, _ = ref.refine_minimum(lambda x: shadow(x, rule)[0], t0)
    row = {"G": greatest}
    for name, radius, sign in (("P", 2, 1), ("U", 1, 1), ("T", 1, -1)):
        def f(x):
            s = shadow(x, rule)
            return float(s[0][0] - (s[radius][0] + sign * ref.MOON_K))
        inside = f(greatest) < 0
        row[name] = (crossing(f, greatest - 0.3, greatest) if inside else math.nan,
                     crossing(f, greatest, greatest + 0.3) if inside else math.nan)
    return row


def main():
    rows = []
    for k, t0, page_rule, phase, page_duration in EVENTS:
        for rule in ("danjon", "chauvenet"):
            c = contacts(t0, rule)
            if rule == page_rule:
                duration = (c[phase][1] - c[phase][0]) * 86400
                if abs(duration - page_duration) > 15:
                    sys.exit("k %d: %s duration %.0f s against the page's %d s" % (k, rule, duration, page_duration))
            rows.append([str(k), rule, "%.6f" % c["G"]] +
                        ["%.6f" % v for v in (c["P"][0], c["U"][0], c["T"][0], c["T"][1], c["U"][1], c["P"][1])])
    write_table("lunar_contacts_erfa.csv",
                ["Contacts of the lunar eclipses of 2006-03-14, 2006-09-07 and 2007-03-03 (TT Julian days)",
                 "from ERFA's Sun (epv00, aberration) and Moon (moon98, light time); shadow radii by Danjon's",
                 "1/85 enlargement of the Earth's radius or Chauvenet's 1/50 enlargement of the shadow."],
                ["k", "rule", "greatest", "p1", "u1", "u2", "u3", "u4", "p4"], rows)


if __name__ == "__main__":
    main()
