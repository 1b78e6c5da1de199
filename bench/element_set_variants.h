// Variants of an element set for the satellite benchmarks: the same orbit
// with its node and mean anomaly turned, so that one set gives many passes.
#pragma once

#include <cmath>
#include <cstdio>
#include <string>

// Line 2 with the node (columns 17-24) and the mean anomaly (43-50) turned by
// `node` and `anomaly` degrees.
inline std::string Shifted(const char* line2, double node, double anomaly) {
    std::string line = line2;
    char field[16];
    std::snprintf(field, sizeof field, "%8.4f", std::fmod(std::stod(line.substr(17, 8)) + node, 360.0));
    line.replace(17, 8, field);
    std::snprintf(field, sizeof field, "%8.4f", std::fmod(std::stod(line.substr(43, 8)) + anomaly, 360.0));
    line.replace(43, 8, field);
    return line;
}
