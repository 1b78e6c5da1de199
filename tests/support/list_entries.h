// Observing-list entries made by tests: a name, its catalogue and number, its
// object type and its place (hours, degrees); every other field zero.
#pragma once

#include <cstring>

#include "catalog/selection_entry.h"

inline SelectionEntry ListEntry(const char* name, int designation, int number, int type, float ra, float dec) {
    SelectionEntry e{};
    std::strncpy(e.name, name, sizeof e.name - 1);
    e.designation = static_cast<int16_t>(designation);
    e.number = number;
    e.objectType = static_cast<int16_t>(type);
    e.rightAscension = ra;
    e.declination = dec;
    return e;
}
