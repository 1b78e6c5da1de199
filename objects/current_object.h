// The object that the object information form shows, and how other forms hand
// it an object.
#pragma once

#include <cstdint>

#include "catalog/object_catalog.h"

extern ObjectRecord currentObject;

// Where the object information form stands, beside currentObject.
struct CurrentObjectBlock {
    int32_t index = 0;         // 1-based position in the tab's catalogue; -1 or 0 none
    int32_t pendingIndex = 0;  // position asked for, checked when the form shows it
    uint8_t valid = 0;         // 1 when an object is shown
    int32_t tab = 0;           // finder catalogue shown, 0..10
    char graphName[20] = "";   // the shown name (19 characters), for the altitude graph
    double rise = 0.0, transit = 0.0, set = 0.0;  // local hours of the last display
};
extern CurrentObjectBlock currentObjectBlock;

// Makes the record the form's current object: the finder target cleared, the
// record copied, index and pending index its number, valid. The tab follows
// the selection source code: 1 planets 7, 2 Messier 5, 3 Caldwell 1, 7
// Herschel 4, 9 best of NGC 8, 12 comets 2, 13 constellations 3, 14 meteor
// showers 6, 15 user objects 9; 11 gives a bright star (designation 54) tab 0
// at index number - 1 and makes any other record the finder target (the tab
// stays); any other code is stored as the tab.
void SetCurrentObject(const ObjectRecord* rec, int sourceCode);
