#include "support/reference_table.h"

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace {

std::vector<std::string> SplitCells(const std::string& line) {
    std::vector<std::string> cells;
    std::stringstream in(line);
    std::string cell;
    while (std::getline(in, cell, ',')) cells.push_back(cell);
    return cells;
}

}  // namespace

std::size_t ReferenceTable::Column(const std::string& name) const {
    for (std::size_t k = 0; k < columns.size(); ++k) {
        if (columns[k] == name) return k;
    }
    throw std::out_of_range("no reference column " + name);
}

double ReferenceTable::Get(std::size_t row, const std::string& column) const {
    return rows.at(row).at(Column(column));
}

const std::string& ReferenceTable::Text(std::size_t row, const std::string& column) const {
    return text.at(row).at(Column(column));
}

ReferenceTable ReadReferenceTable(const char* sourceDir, const char* name) {
    ReferenceTable table;
    std::ifstream in(std::string(sourceDir) + "/tests/reference/" + name);
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::vector<std::string> cells = SplitCells(line);
        if (table.columns.empty()) {
            table.columns = cells;
            continue;
        }
        std::vector<double> values;
        for (const std::string& c : cells) values.push_back(std::strtod(c.c_str(), nullptr));
        table.text.push_back(cells);
        table.rows.push_back(values);
    }
    return table;
}

double SeparationArcsec(double ra1, double dec1, double ra2, double dec2) {
    const double d2r = 0.017453292519943295;
    double a1 = ra1 * 15.0 * d2r, a2 = ra2 * 15.0 * d2r, d1 = dec1 * d2r, d2 = dec2 * d2r;
    double x = std::cos(d1) * std::cos(a1) - std::cos(d2) * std::cos(a2);
    double y = std::cos(d1) * std::sin(a1) - std::cos(d2) * std::sin(a2);
    double z = std::sin(d1) - std::sin(d2);
    double chord = std::sqrt(x * x + y * y + z * z);
    return 2.0 * std::asin(chord / 2.0) / d2r * 3600.0;
}
