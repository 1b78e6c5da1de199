// Observing-list entries made by tests: a name, its catalogue and number, its
// object type and its place (hours, degrees); every other field zero.
#pragma once

#include <algorithm>
#include <cstring>

#include "catalog/selection_entry.h"

inline SelectionEntry ListEntry(const char* name, int designation, int number, int type, float ra, float dec) {
    SelectionEntry e{};
    std::memcpy(e.name, name, std::min(std::strlen(name), sizeof e.name - 1));  // cut to the field, zero-ended
    e.designation = static_cast<int16_t>(designation);
    e.number = number;
    e.objectType = static_cast<int16_t>(type);
    e.rightAscension = ra;
    e.declination = dec;
    return e;
}
