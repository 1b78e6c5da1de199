// The small record files: lunar and Martian surface features (from the USGS
// nomenclature as Stellarium ships it, with xplanet's landing sites), the
// location list (KStars' city database) and the comets and minor planets (the
// Minor Planet Center's comet elements and the JPL small-body list).
#pragma once

#include <string>
#include <vector>

#include "catalog/record_writer.h"

namespace convert {

// A feature of the nomenclature: body, USGS type code, latitude (north +),
// longitude (east +, degrees as given), diameter km and name (Windows-1252).
struct Feature {
    std::string body;
    std::string type;
    double latitude = 0;
    double longitude = 0;
    double diameter = 0;
    std::string name;
};
std::vector<Feature> ParseNomenclature(const std::string& text, const std::string& source);

// xplanet marker lines: latitude, longitude, "label"; the section is the text of
// the comment line that heads the marker's block of lines ("" after a blank line).
struct Marker {
    double latitude = 0;
    double longitude = 0;
    std::string label;
    std::string section;
};
std::vector<Marker> ParseMarkers(const std::string& text, const std::string& source);

// 500 lunar features, twice: by name, then by map x. Landing sites are
// markers with east longitudes.
std::vector<record_writer::Bytes> BuildMoonFile(const std::vector<Feature>& features,
                                                const std::vector<Marker>& landings);

// Martian features of the mapped types and the landers (the markers of the
// "Landing Sites" section, WEST longitudes 0..360), by type and name.
std::vector<record_writer::Bytes> BuildMarsFile(const std::vector<Feature>& features,
                                                const std::vector<Marker>& landers);

// Cities of the KStars city database (SQLite): country | city, sorted.
std::vector<record_writer::Bytes> BuildLocationFile(const std::string& cityDbPath);

// Comets of the MPC JSON list, then the JPL minor planets but trans-Neptunian objects.
std::vector<record_writer::Bytes> BuildCometFile(const std::string& mpcJson, const std::string& jplJson,
                                                 const std::string& source);

}  // namespace convert
