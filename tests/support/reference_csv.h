// Reads the committed reference tables of tests/reference/: comma-separated
// numbers with one header line. Each file names the script that made it.
// Header-only: ZENDAVORI_SOURCE_DIR is defined for the test programs.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

// The rows of tests/reference/<name> as numbers, header skipped. A missing or
// malformed file fails the calling test and gives no rows.
inline std::vector<std::vector<double>> ReadReferenceCsv(const std::string& name) {
    std::vector<std::vector<double>> rows;
    std::string path = std::string(ZENDAVORI_SOURCE_DIR) + "/tests/reference/" + name;
    std::ifstream in(path);
    if (!in) {
        ADD_FAILURE() << "cannot open " << path;
        return rows;
    }
    std::string line;
    std::getline(in, line);  // header
    while (std::getline(in, line)) {
        if (line.empty()) continue;
        std::vector<double> row;
        std::stringstream fields(line);
        std::string field;
        while (std::getline(fields, field, ',')) {
            char* end = nullptr;
            row.push_back(std::strtod(field.c_str(), &end));
            if (end == field.c_str() || *end != '\0') {
                ADD_FAILURE() << path << ": bad number '" << field << "'";
                return {};
            }
        }
        rows.push_back(row);
    }
    return rows;
}
