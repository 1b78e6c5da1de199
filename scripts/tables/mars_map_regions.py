#!/usr/bin/python3
"""Writes resources/mars_map_regions.cpp: the albedo markings and the large relief of
Mars (centre, extent, kind) from which the resource generator paints the Mars map
(bitmaps 6012 and 6013) and the turning globe (6014).

Source: the IAU Gazetteer of Planetary Nomenclature as Debian's stellarium-data
0.22.2 ships it (usr/share/stellarium/data/nomenclature.dat, gzip; body, id, name,
USGS type code, latitude north +, longitude east + 0..360, size km), the file the
catalogue set-up also reads. Kept:
- every albedo feature (AL). The Gazetteer gives them no size; they are split into
  dark markings (the classical Mare, Sinus, Lacus, Palus, Fons, Fretum, Pelagus,
  Depressio, the -syrtis names and the dark regions named below) and bright
  regions, and each gets an extent by its kind of name (albedo(), below);
- planitiae (PL), plana (PM) and terrae (TA) of 500 km or more, montes (MO) of 300 km
  to 700 km (single volcanoes), chasmata (CM) of 300 km or more, craters (AA) of 250 km or more, with
  their Gazetteer sizes.

Usage: mars_map_regions.py [nomenclature.dat]   (run from the repository top; without
an argument the file is taken from stellarium-data fetched with `apt-get download`
into a temporary folder)
"""
from nomenclature import nomenclature_path, read_features, write_table

OUT = "resources/mars_map_regions.cpp"

DARK_WORDS = ("Mare ", "Sinus", "Lacus", "Palus", "Fons", "Fretum", "Pelagus", "Depressio", "syrtis",
              "Syrtis")
DARK_REGIONS = {"Utopia", "Propontis", "Casius", "Cyclopia", "Cerberus", "Trivium Charontis", "Thoth",
                "Nilokeras", "Deuteronilus", "Protonilus", "Coprates", "Hellespontus", "Amenthes",
                "Laestrygon (Laestrigon)", "Baltia", "Umbra", "Aethiopis", "Nepenthes"}
CANALS = {"Phison", "Euphrates", "Hiddekel", "Gehon", "Oxus", "Tanais", "Jamuna", "Styx", "Ceraunius"}

KINDS = {"dark": "kMarsDarkAlbedo", "bright": "kMarsBrightAlbedo", "PL": "kMarsPlanitia",
         "PM": "kMarsHighland", "TA": "kMarsHighland", "MO": "kMarsMons", "CM": "kMarsChasma",
         "AA": "kMarsCrater"}
MINIMUM_KM = {"PL": 500, "PM": 500, "TA": 500, "MO": 300, "CM": 300, "AA": 250}
MAXIMUM_KM = {"MO": 700}  # single volcanoes; mountain ranges are not cones


def albedo(name):
    """Kind and extent (km) of an albedo feature, which the Gazetteer gives no size."""
    if name.startswith("Mare ") or name == "Syrtis Major":
        return "dark", 2200
    if name in CANALS:
        return "dark", 450
    if name in DARK_REGIONS:
        return "dark", 1000
    if "Sinus" in name:
        return "dark", 1200
    if any(w in name for w in DARK_WORDS):
        return "dark", 650
    return "bright", 1100


def main():
    rows = []
    for name, code, lat, lon, size in read_features(nomenclature_path(), "Mars"):
        east = lon - 360.0 if lon > 180.0 else lon
        if code == "AL":
            kind, extent = albedo(name)
        elif code in MINIMUM_KM and MINIMUM_KM[code] <= size <= MAXIMUM_KM.get(code, size):
            kind, extent = code, size
        else:
            continue
        rows.append((KINDS[kind], lat, east, extent, name))
    order = list(KINDS.values())
    rows.sort(key=lambda r: (order.index(r[0]), r[4]))
    write_table(OUT, "mars_map_regions.py",
                ["Albedo markings (extents chosen by kind of name: the Gazetteer gives none) and large",
                 "relief (Gazetteer sizes) of Mars: latitude, east longitude (degrees), extent (km), kind."],
                "resources/mars_map_regions.h", "MarsMapRegion", "kMarsMapRegions", "kMarsMapRegionCount", rows)
    print("wrote", OUT, len(rows), "regions")


if __name__ == "__main__":
    main()
