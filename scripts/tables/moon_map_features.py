#!/usr/bin/python3
"""Writes resources/moon_map_features.cpp: the maria and large craters of the Moon's
near side (centre, diameter, kind) from which the resource generator paints the Moon
map textures (bitmaps 6025..6033 and 6036).

Source: the IAU Gazetteer of Planetary Nomenclature as Debian's stellarium-data
0.22.2 ships it (usr/share/stellarium/data/nomenclature.dat, gzip; body, id, name,
USGS type code, latitude north +, longitude east + 0..360, diameter km), the file the
catalogue set-up also reads. Kept, when some part of the feature faces the Earth:
- the dark plains: maria (ME), the oceanus (OC), sinus (SI), lacus (LC) and paludes
  (PA), with their Gazetteer diameters;
- craters (AA) of 40 km or more;
- the young rayed craters named below (of any size), painted with bright rays.

Usage: moon_map_features.py [nomenclature.dat]   (run from the repository top; without
an argument the file is taken from stellarium-data fetched with `apt-get download`
into a temporary folder)
"""
import math

from nomenclature import nomenclature_path, read_features, write_table

OUT = "resources/moon_map_features.cpp"
MOON_RADIUS_KM = 1737.4
DARK_PLAINS = {"ME", "OC", "SI", "LC", "PA"}
CRATER_MINIMUM_KM = 40.0
RAYED = {"Tycho", "Copernicus", "Kepler", "Aristarchus", "Proclus"}
KINDS = ["kMoonMare", "kMoonCrater", "kMoonRayedCrater"]


def faces_earth(lat, east, diameter):
    """True when some part of the feature lies on the hemisphere facing the Earth."""
    radius = diameter / 2 / MOON_RADIUS_KM
    centre = math.cos(math.radians(lat)) * math.cos(math.radians(east))
    return centre > -math.sin(min(radius, math.pi / 2))


def kind_of(name, code, diameter):
    if code in DARK_PLAINS and diameter > 0:
        return "kMoonMare"
    if code == "AA" and name in RAYED:
        return "kMoonRayedCrater"
    if code == "AA" and diameter >= CRATER_MINIMUM_KM:
        return "kMoonCrater"
    return None


def main():
    rows = []
    for name, code, lat, lon, diameter in read_features(nomenclature_path(), "Moon"):
        east = lon - 360.0 if lon > 180.0 else lon
        kind = kind_of(name, code, diameter)
        if kind and faces_earth(lat, east, diameter):
            rows.append((kind, lat, east, diameter, name))
    rows.sort(key=lambda r: (KINDS.index(r[0]), r[4]))
    write_table(OUT, "moon_map_features.py",
                ["Dark plains, craters of 40 km or more and young rayed craters facing the Earth:",
                 "latitude, east longitude (degrees), diameter (km), kind."],
                "resources/moon_map_features.h", "MoonMapFeature", "kMoonMapFeatures", "kMoonMapFeatureCount", rows)
    print("wrote", OUT, len(rows), "features")


if __name__ == "__main__":
    main()
