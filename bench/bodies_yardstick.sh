#!/bin/sh
# ComputeBody for the ten bodies, topocentric (BM_ComputeTenBodiesTopocentric of bench_bodies),
# against libastro through PyEphem (Debian python3-ephem) timed in the same run on the same
# core: the Sun, the Moon, Mercury to Neptune and Pluto computed for an observer at 51 N 0 E,
# 10 C, 1013 hPa, a new minute of 2024 June 1 21h UT for each set of ten.
# Target: at least 5 times the PyEphem rate.
# Run from anywhere (as root on Debian 12):  bench/bodies_yardstick.sh
set -e
cd "$(dirname "$0")/.."
if ! /usr/bin/python3 -c "import ephem" 2>/dev/null; then
  DEBIAN_FRONTEND=noninteractive apt-get install -y -q python3-ephem >/dev/null
fi
cmake -S . -B build/bench -DCMAKE_BUILD_TYPE=Release -DZENDAVORI_BENCH=ON -DZENDAVORI_TESTS=OFF >/dev/null
cmake --build build/bench -j4 --target bench_bodies >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Both sides on one core, one after the other.
cpu=$(taskset -cp $$ 2>/dev/null | sed 's/.*: *//; s/[,-].*//')
pin="taskset -c ${cpu:-0}"
command -v taskset >/dev/null || pin=""
$pin build/bench/bench_bodies --benchmark_filter=BM_ComputeTenBodiesTopocentric \
  --benchmark_format=json --benchmark_repetitions=7 > "$work/ours.json"
$pin /usr/bin/python3 - "$work/ours.json" <<'PY'
import json
import sys
import time

import ephem

UNIT = {"ns": 1, "us": 1e3, "ms": 1e6, "s": 1e9}
ours = min(b["real_time"] * UNIT[b["time_unit"]] for b in json.load(open(sys.argv[1]))["benchmarks"]
           if b["run_type"] == "iteration")  # ns per set of ten, best repetition

site = ephem.Observer()
site.lat, site.lon, site.elevation = "51", "0", 0
site.temp, site.pressure = 10, 1013
bodies = [ephem.Sun(), ephem.Moon(), ephem.Mercury(), ephem.Venus(), ephem.Mars(), ephem.Jupiter(),
          ephem.Saturn(), ephem.Uranus(), ephem.Neptune(), ephem.Pluto()]
start = ephem.Date("2024/6/1 21:00")


# compute() only records the date and the observer: the first field read runs libastro.
def sets(n):
    sink = 0.0
    for i in range(n):
        site.date = start + (i % 60) * ephem.minute
        for b in bodies:
            b.compute(site)
            sink += b.ra
    return sink


sets(200)  # warm-up
best = float("inf")
for _ in range(7):
    n = 500
    t0 = time.perf_counter_ns()
    sets(n)
    best = min(best, (time.perf_counter_ns() - t0) / n)
ratio = best / ours
print("PyEphem %s (libastro) under Python %s" % (ephem.__version__, sys.version.split()[0]))
print("ten bodies topocentric: zendavori %.1f us, PyEphem %.1f us, ratio %.2f (target 5): %s"
      % (ours / 1000, best / 1000, ratio, "met" if ratio >= 5 else "NOT met"))
PY
