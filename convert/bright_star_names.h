// Proper names of stars with an HR number: the IAU Working Group on Star Names
// list, converted into a table by scripts/tables/convert_bright_star_names.py.
#pragma once

namespace convert {

struct BrightStarNameRow {
    int hr;
    const char* name;  // ASCII
};

extern const BrightStarNameRow brightStarNames[];
extern const int kBrightStarNameCount;

}  // namespace convert
