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
