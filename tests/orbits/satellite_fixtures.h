// Element sets for the satellite tests: two element lines laid into a blank
// 213-byte record, as the satellite database holds them.
#pragma once

#include <algorithm>
#include <cstring>
#include <string>

#include "orbits/two_line_elements.h"

// Spacetrack Report No. 3 (Hoots and Roehrich, 1980), test set 88888.
inline const std::string k88888Line1 = "1 88888U          80275.98708465  .00073094  13844-3  66816-4 0    87";
inline const std::string k88888Line2 = "2 88888  72.8435 115.9689 0086731  52.6988 110.5714 16.05824518  1058";

// Element lines out of place as a damaged satellite file held them: the epoch
// field reads day 1,384,439 of '95 (JD 3.5e8), the node 71,416 and the
// argument of perigee 38,443 degrees; the rest is set 22312 of Vallado et al.
// (2006) without drag.
inline const std::string kLinesOutOfPlace1 =
    "1 22312U 93002D   951384439.0000  .00000000  00000-0  00000-0 0  3953";
inline const std::string kLinesOutOfPlace2 =
    "2 22312  62.1486    71416 0308723    38443  88.7392 15.95744531 98783";

// Puts `text` into a copy of `line` at column `start`.
inline std::string Put(std::string line, std::size_t start, const std::string& text) {
    line.resize(std::max(line.size(), start + text.size()), ' ');
    return line.replace(start, text.size(), text);
}

inline SatelliteRecord MakeSatelliteRecord(const std::string& line1, const std::string& line2) {
    SatelliteRecord record;
    std::memset(&record, ' ', sizeof record);
    std::memcpy(record.line1, line1.data(), std::min(line1.size(), sizeof record.line1));
    std::memcpy(record.line2, line2.data(), std::min(line2.size(), sizeof record.line2));
    return record;
}

inline SatelliteElements ElementsOf(const std::string& line1, const std::string& line2) {
    SatelliteRecord record = MakeSatelliteRecord(line1, line2);
    SatelliteElements elements{};
    InitSatelliteElements(&record, &elements);
    return elements;
}
