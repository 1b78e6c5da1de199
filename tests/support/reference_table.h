// Reads the committed reference tables of tests/reference/: '#' provenance lines, one line of
// column names, then comma-separated rows. Text cells (names) are kept as text, every cell is
// also read as a number (0 for text).
#pragma once

#include <string>
#include <vector>

struct ReferenceTable {
    std::vector<std::string> columns;
    std::vector<std::vector<std::string>> text;
    std::vector<std::vector<double>> rows;

    // Index of a column; a test asking for a missing column fails loudly.
    std::size_t Column(const std::string& name) const;
    double Get(std::size_t row, const std::string& column) const;
    const std::string& Text(std::size_t row, const std::string& column) const;
};

// Reads tests/reference/<name> below the source tree `sourceDir` (pass ZENDAVORI_SOURCE_DIR).
// An unreadable or empty file gives a table without rows.
ReferenceTable ReadReferenceTable(const char* sourceDir, const char* name);

// Angular separation in arcseconds of two places given as RA (hours) and Dec (degrees).
double SeparationArcsec(double ra1, double dec1, double ra2, double dec2);
