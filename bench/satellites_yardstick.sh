#!/bin/sh
# SGP4 rates of bench_satellites against the SGP4 of the npm package satellite.js
# under Node, measured in the same run: warm (its propagate on one satrec) and
# cold (twoline2satrec + propagate at every call), set 88888 over the same times.
# satellite.js is installed into a temporary folder and removed afterwards.
# Targets: warm at least 5 times, cold at least 3 times the satellite.js rate.
# Run from anywhere (as root on Debian 12):  bench/satellites_yardstick.sh
set -e
cd "$(dirname "$0")/.."
if ! command -v node >/dev/null || ! command -v npm >/dev/null; then
  DEBIAN_FRONTEND=noninteractive apt-get install -y -q nodejs npm
fi
cmake -S . -B build/bench -DCMAKE_BUILD_TYPE=Release -DZENDAVORI_BENCH=ON -DZENDAVORI_TESTS=OFF >/dev/null
cmake --build build/bench -j4 --target bench_satellites >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$work" && npm init -y >/dev/null && npm install --silent --no-audit --no-fund satellite.js >/dev/null)
build/bench/bench_satellites --benchmark_format=json --benchmark_repetitions=7 > "$work/ours.json"
cat > "$work/yardstick.mjs" <<'JS'
import { readFileSync } from "node:fs";
import { createRequire } from "node:module";
const require = createRequire(process.cwd() + "/");
const sat = await import(require.resolve("satellite.js"));
const version = JSON.parse(readFileSync(process.cwd() + "/node_modules/satellite.js/package.json")).version;
const line1 = "1 88888U          80275.98708465  .00073094  13844-3  66816-4 0    87";
const line2 = ["2 88888  72.8435 115.9689 0086731  52.6988 110.5714 16.05824518  1058",
               "2 88888  72.8435 115.9689 0086731  52.6988 110.5715 16.05824518  1058"];
const epoch = Date.UTC(1980, 0, 1) + (275.98708465 - 1) * 86400000;
const dates = [];
for (let t = 0; t <= 1440; t += 1.37) dates.push(new Date(epoch + t * 60000));
let sink = 0;
function warm(n) {
  const satrec = sat.twoline2satrec(line1, line2[0]);
  for (let i = 0; i < n; i++) sink += sat.propagate(satrec, dates[i % dates.length]).position.x;
}
function cold(n) {
  for (let i = 0; i < n; i++) {
    const satrec = sat.twoline2satrec(line1, line2[i & 1]);
    sink += sat.propagate(satrec, dates[i % dates.length]).position.x;
  }
}
// Calls per second, best of seven runs after a warm-up for the compiler.
function rate(fn, n) {
  fn(n);
  let best = Infinity;
  for (let r = 0; r < 7; r++) {
    const t0 = process.hrtime.bigint();
    fn(n);
    best = Math.min(best, Number(process.hrtime.bigint() - t0) / n);
  }
  return 1e9 / best;
}
// Best of the repetitions on both sides.
const ours = {};
for (const b of JSON.parse(readFileSync(process.argv[2])).benchmarks) {
  if (b.run_type === "iteration") ours[b.run_name] = Math.max(ours[b.run_name] ?? 0, 1e9 / b.real_time);
}
const theirs = { warm: rate(warm, 400000), cold: rate(cold, 100000) };
const fmt = (x) => (x / 1e6).toFixed(3) + " M/s";
globalThis.sink = sink;
console.log(`satellite.js ${version} under Node ${process.version}`);
for (const [name, key, target] of [["warm", "BM_PropagateSgp4Warm", 5], ["cold", "BM_PropagateSgp4Cold", 3]]) {
  const ratio = ours[key] / theirs[name];
  console.log(`SGP4 ${name}: zendavori ${fmt(ours[key])}, satellite.js ${fmt(theirs[name])}, ` +
              `ratio ${ratio.toFixed(2)} (target ${target}): ${ratio >= target ? "met" : "NOT met"}`);
}
console.log(`SGP (for information): zendavori ${fmt(ours.BM_PropagateSgp)}`);
JS
cd "$work" && node yardstick.mjs "$work/ours.json"
