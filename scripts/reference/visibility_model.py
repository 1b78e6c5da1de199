#!/usr/bin/python3
"""Writes tests/reference/visibility_model.csv: best power and difficulty rating
of deep-sky objects in a telescope, computed by a transcription of the
visibility model written apart from the program (plain Python floats, no code
of the program): threshold contrast of the eye by background and apparent
angle (a 24 x 7 table of log10 contrasts, linear in log10 angle along a row,
linear between the whole-magnitude rows, extended at the ends), the optimum
apparent angle (18 points), the best power found by iterating the optimum
angle over the object's minor axis from 100x, and the rating as log contrast
less log threshold.

Rows: the two worked cases of the tests (a 200 mm f/10 telescope under a sky
of 22 mag/arcsec²), then random objects (fixed seed) in random telescopes.

Run from the top folder:  /usr/bin/python3 scripts/reference/visibility_model.py
"""
import math
import random

OUT = "tests/reference/visibility_model.csv"

X = [-0.2255, 0.5563, 0.9859, 1.2601, 1.7419, 2.0828, 2.5563]
T = [
    [-0.376911, -1.806444, -2.336825, -2.460093, -2.546943, -2.560968, -2.565971],
    [-0.331451, -1.774717, -2.333688, -2.460781, -2.546521, -2.560729, -2.565756],
    [-0.268183, -1.734482, -2.331011, -2.460521, -2.546681, -2.560819, -2.565837],
    [-0.198177, -1.685101, -2.313951, -2.457228, -2.548051, -2.561529, -2.56646],
    [-0.123815, -1.625192, -2.279119, -2.446245, -2.546321, -2.55969, -2.56457],
    [-0.042444, -1.552937, -2.229734, -2.421422, -2.534318, -2.55013, -2.555202],
    [0.049842, -1.465538, -2.165945, -2.376266, -2.504717, -2.526875, -2.533309],
    [0.159558, -1.358054, -2.081004, -2.303572, -2.449928, -2.482261, -2.49371],
    [0.293354, -1.22564, -1.967364, -2.196521, -2.363052, -2.40917, -2.431807],
    [0.455739, -1.067267, -1.818647, -2.053094, -2.24449, -2.308296, -2.349087],
    [0.64999, -0.884068, -1.629165, -1.874059, -2.098851, -2.184839, -2.250534],
    [0.880777, -0.668706, -1.39667, -1.661059, -1.92837, -2.041067, -2.137519],
    [1.15584, -0.395243, -1.126426, -1.417576, -1.729969, -1.872722, -2.003406],
    [1.482228, -0.041944, -0.824314, -1.147481, -1.502126, -1.676828, -1.842016],
    [1.855923, 0.345791, -0.492425, -0.856105, -1.266128, -1.472054, -1.662449],
    [2.266949, 0.696, -0.131546, -0.550963, -1.056193, -1.28921, -1.482659],
    [2.676, 1.088, 0.206, -0.321, -0.88, -1.137, -1.362],
    [2.776553, 1.206474, 0.346695, -0.13774, -0.736142, -0.9964, -1.2439],
    [2.930431, 1.382138, 0.535251, 0.032813, -0.560534, -0.8606, -1.1187],
    [3.163406, 1.610655, 0.770789, 0.253144, -0.3895, -0.703, -0.968133],
    [3.464285, 1.903381, 1.033812, 0.494252, -0.203342, -0.525901, -0.8288],
    [3.821092, 2.256431, 1.326535, 0.760529, 0.0172, -0.2992, -0.6394],
    [4.221, 2.632, 1.699, 1.132, 0.286, -0.051, -0.408],
    [4.61, 3.066, 2.132, 1.585, 0.652, 0.241, -0.121],
]
OPT = [(4, 0.97), (9, 1.01), (11, 1.04), (13, 1.07), (14, 1.11), (15, 1.14), (16, 1.20), (17, 1.26),
       (18, 1.36), (19, 1.49), (20, 1.62), (21, 1.71), (22, 1.79), (23, 1.83), (24, 1.86), (25, 1.90),
       (26, 1.96), (27, 2.07)]


def interpolate(xs, ys, x):
    """Piecewise-linear through (xs, ys): held below the first point, the last
    segment extended beyond the last."""
    if x <= xs[0]:
        return ys[0]
    if x >= xs[-1]:
        return ys[-2] + (x - xs[-2]) / (xs[-1] - xs[-2]) * (ys[-1] - ys[-2])
    for j in range(len(xs) - 1):
        if xs[j] < x <= xs[j + 1]:
            return ys[j] + (x - xs[j]) / (xs[j + 1] - xs[j]) * (ys[j + 1] - ys[j])
    raise ValueError(x)


def threshold(angle, background):
    L = math.log10(angle)
    k = min(max(int(background) - 4, 0), 22)
    lo, hi = interpolate(X, T[k], L), interpolate(X, T[k + 1], L)
    if background < 4:
        v = lo
    elif background >= 27:
        v = hi + (background - 27) * (hi - lo)
    else:
        v = lo + (background - int(background)) * (hi - lo)
    return 10 ** min(max(v, -37), 37)


def optimum_angle(background):
    xs, ys = [p[0] for p in OPT], [p[1] for p in OPT]
    if background <= 4:
        v = 0.97
    elif background >= 27:
        v = 1.96 + (background - 26) * (2.07 - 1.96)
    else:
        v = interpolate(xs, ys, background)
    return min(10 ** min(max(v, -37), 37), 360.0)


def rate(D, F, sky, mag, a, b):
    """(power, rating) of an object in a telescope of aperture D and focal length F (mm)."""
    if a <= 0:
        return 0, 0.0
    if b <= 0:
        b = a
    limit = 3.7 + 5 * math.log10(D)
    min_power = int(D / 25.4 * 3.375 + 0.5)
    if min_power < 0.02 * F:
        min_power = int(0.02 * F)
    max_power = int(1.5 * D)
    if max_power > 0.25 * F:
        max_power = int(0.25 * F)
    if limit < mag:
        return 0, 0.0
    surface = mag + 2.5 * math.log10(a * b * 2827.0)
    log_contrast = -0.4 * (surface - sky)
    minor = min(a, b)
    # 2.833487 per inch of aperture: the exit pupil of a 7 mm eye
    n = 1.0 / (D * 0.11155460629921259)
    m = 100.0
    while True:
        background = sky + 5 * math.log10(m * n)
        m2 = max(optimum_angle(background) / minor, min_power)
        d, m = m2 - m, m2
        if -0.1 <= d <= 0.1:
            break
    power = max(int(m + 0.5), min_power)
    power = min(power, max_power)
    return power, log_contrast - math.log10(threshold(power * minor, background))


def main():
    cases = [(200, 2000, 22, 8.8, 1.4, 1.0), (200, 2000, 22, 9.0, 8.0, 6.0), (200, 2000, 22, 9.0, 10.0, 0.0),
             (200, 2000, 22, 9.0, 10.0, 10.0), (100, 600, 19, 7.5, 30.0, 20.0), (80, 400, 14, 5.0, 60.0, 0.0)]
    rng = random.Random(6121)
    for _ in range(40):
        D = rng.choice([60, 80, 100, 125, 150, 200, 254, 300, 400])
        F = D * rng.choice([4, 5, 6, 8, 10, 12, 15])
        cases.append((D, F, rng.choice([14, 19, 22, 24, 29]), round(rng.uniform(4, 16), 1),
                      round(rng.uniform(0.1, 60), 1), round(rng.uniform(0, 60), 1)))
    with open(OUT, "w") as f:
        f.write("# Best power and difficulty rating by a transcription of the visibility model\n")
        f.write("# apart from the program; written by scripts/reference/visibility_model.py\n")
        f.write("aperture,focal,sky,mag,a,b,power,rating\n")
        for c in cases:
            power, rating = rate(*c)
            f.write(",".join(repr(float(v)) for v in c) + ",%d,%.9f\n" % (power, rating))
    print("wrote", OUT, len(cases), "rows")


if __name__ == "__main__":
    main()
