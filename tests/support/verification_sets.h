// The element sets of Vallado, Crawford, Hujsak and Kelso, "Revisiting
// Spacetrack Report #3" (AIAA 2006-6753, SGP4-VER.TLE), as the reference table
// tests/reference/sgp4_verification_sets.csv holds them.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "support/reference_table.h"

// Lines 1 and 2 of set `number`.
inline std::pair<std::string, std::string> VerificationLines(int number) {
    static const ReferenceTable sets = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, "sgp4_verification_sets.csv");
    for (std::size_t i = 0; i < sets.rows.size(); ++i)
        if (static_cast<int>(sets.Get(i, "number")) == number) return {sets.Text(i, "line1"), sets.Text(i, "line2")};
    ADD_FAILURE() << "no verification set " << number;
    return {};
}

// A satellite's name line and its two element lines.
struct NamedElementSet {
    std::string name, line1, line2;
};

// Each (name line, verification set number) as a named element set.
inline std::vector<NamedElementSet> NamedVerificationSets(const std::vector<std::pair<std::string, int>>& satellites) {
    std::vector<NamedElementSet> sets;
    for (const auto& [name, number] : satellites) {
        auto [line1, line2] = VerificationLines(number);
        sets.push_back({name, line1, line2});
    }
    return sets;
}
