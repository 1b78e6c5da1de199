"""Calendar dates (universal time) of orbital-element Julian days as the orbit assistant's date fields
show them: year ("%04d"), month ("%02d") and the day with its fraction to 4 decimals, from ERFA's
jd2cal (Gregorian calendar; every row is after 1582)."""
import erfa

from common import write_table

# (what, Julian day): element epochs and perihelion times, typed or stored.
CASES = [
    ("Ceres epoch 2022 Aug 9.0 (MPC)", 2459800.5),
    ("an earlier epoch 2022 Jan 21.0", 2459600.5),
    ("a perihelion day of 12.3456", 2459803.8456),
    ("Halley's 1910 perihelion", 2418781.6785),
    ("a perihelion late in 2199", 2524592.9),
]


def calendar_row(what, jd):
    year, month, day, fraction = erfa.jd2cal(jd, 0.0)
    return [what, "%04d" % year, "%02d" % month, "%.4f" % (int(day) + float(fraction)), jd]


write_table("orbit_element_dates_erfa.csv",
            ["Julian day (UT) -> Gregorian calendar date with the day's fraction, eraJd2cal"],
            ["what", "year", "month", "day", "jd"],
            [calendar_row(what, jd) for what, jd in CASES])
