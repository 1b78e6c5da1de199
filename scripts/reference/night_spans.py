"""Nights and the spans within them during which the Sun or the Moon stands above or below an
altitude, found with PyEphem by sampling the altitude every few minutes and halving each change
of side down to half a second. Shared by the Moon assistant's and the night line's reference
scripts.

A place is (name, latitude, longitude west-positive, zone minutes with the daylight hour).
Times are PyEphem dates (days, universal time); heights are degrees above the altitude tested.
The night that follows the daylight of a local date D runs from the Sun's setting (its centre
through -0 deg 50') after its transit of D to its next rising; where the Sun is down at that
transit, from the transit; never past the Sun's transit of D + 1.
"""
import math

import ephem

STEP = 3 * ephem.minute
RESOLUTION = 0.5 * ephem.second
SUN_DOWN = -(50 / 60)


def observer(place):
    site = ephem.Observer()
    site.lat, site.lon = str(place[1]), str(-place[2])
    site.elevation, site.pressure = 0, 0
    return site


def local_midnight(place, date):
    return ephem.Date(ephem.Date(date) - place[3] / 1440.0)


def hours_after(place, date, when):
    """Hours from 0 h local of `date` to `when`."""
    return (when - local_midnight(place, date)) * 24.0


class Heights:
    """Heights (degrees) of one body above an altitude seen from a place: the Sun's or the Moon's
    centre (topocentric, no atmosphere), or the Moon's upper limb with 34' of refraction."""

    def __init__(self, place, body, altitude, limb=False):
        self.site, self.body, self.altitude, self.limb = observer(place), body, altitude, limb

    def __call__(self, when):
        self.site.date = when
        self.body.compute(self.site)
        height = math.degrees(float(self.body.alt)) - self.altitude
        if self.limb:
            height += math.degrees(float(self.body.radius)) + 34 / 60
        return height


def sun_heights(place, altitude):
    return Heights(place, ephem.Sun(), altitude)


def moon_heights(place, altitude, limb=False):
    return Heights(place, ephem.Moon(), altitude, limb)


def crossing_between(height, a, b):
    """The instant in a..b at which the height, on one side of 0 at a and on the other at b, is 0."""
    below = height(a) <= 0
    while b - a > RESOLUTION:
        middle = (a + b) / 2
        if (height(middle) <= 0) == below:
            a = middle
        else:
            b = middle
    return (a + b) / 2


def crossings(height, a, b):
    """The changes of side within (a, b], in order: (instant, True for a rising)."""
    found = []
    t, before = a, height(a) > 0
    while t < b:
        u = min(t + STEP, b)
        after = height(u) > 0
        if after != before:
            found.append((crossing_between(height, t, u), after))
        t, before = u, after
    return found


def spans(height, a, b, up=True):
    """The spans within [a, b] during which the height is above 0 (up) or not, in order."""
    out, start = [], a if (height(a) > 0) == up else None
    for when, rising in crossings(height, a, b):
        if rising == up:
            start = when
        elif start is not None:
            out.append((start, when))
            start = None
    if start is not None:
        out.append((start, b))
    return out


def sun_transit(place, date):
    site = observer(place)
    start = local_midnight(place, date)
    transit = site.next_transit(ephem.Sun(), start=start)
    assert transit < start + 1, "no transit of the Sun on %s" % (date,)
    return transit


def night(place, date, altitude=SUN_DOWN):
    """(start, end) of the night that follows the daylight of `date`, the Sun below `altitude`;
    None where the Sun stays above it from the date's transit to the next."""
    first = sun_transit(place, date)
    last = sun_transit(place, ephem.Date(ephem.Date(date) + 1).tuple()[:3])
    down = spans(sun_heights(place, altitude), first, last, up=False)
    return down[0] if down else None


def near_crossing(height, when, hours=2.0):
    """Whether another change of side of the height lies within `hours` of the crossing at `when`
    (the body up or down for less than that about it)."""
    reach = hours / 24.0
    return any(abs(t - when) > 2 * RESOLUTION for t, _ in crossings(height, ephem.Date(when - reach),
                                                                     ephem.Date(when + reach)))


def highest(height, a, b):
    """The greatest height within [a, b]: the best sample, refined by golden sections."""
    samples = [a + k * STEP for k in range(int((b - a) / STEP) + 1)] + [b]
    best = max(samples, key=height)
    lo, hi = max(a, best - STEP), min(b, best + STEP)
    r = (math.sqrt(5) - 1) / 2
    while hi - lo > RESOLUTION:
        c, d = hi - r * (hi - lo), lo + r * (hi - lo)
        if height(c) > height(d):
            hi = d
        else:
            lo = c
    return max(height(best), height((lo + hi) / 2))
