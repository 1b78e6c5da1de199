// The current target: the one object the user last picked in the finder or that
// another form handed over, and the maps from a catalogue's designation id to
// the finder's catalogue index and to a selection list source code.
#pragma once

#include <cstdint>

#include "catalog/object_catalog.h"

struct SelectedObjectRecord {
    ObjectRecord record;  // copy of the target's record
    int32_t index;        // record index within its catalogue; -1 while the finder has no match
    int32_t catalog;      // finder catalogue index (10 = any catalogue)
    uint8_t isSet;        // 1 when a target is set
    int32_t listRow;      // row in the finder's object popup
    double altitude;      // apparent altitude, degrees
    char name[32];
    char entryDigits[16];
    int32_t found;
};

extern SelectedObjectRecord selectedObject;

// Clears the finder target: not set, not found, no typed digits, no name. The
// record, its index and its catalogue stay.
void ClearSelectedObject();

// Makes the record the target (nothing for a null record): the record copied,
// the name taken from it (a user object's always; another's when not empty,
// else the name stays), at most 31 characters; catalogue 10, index `index`, set.
void SetSelectedObject(const ObjectRecord* rec, int index);

// Copies the target's record and index out and returns its finder catalogue;
// -1, copying nothing, for a null record.
int GetSelectedObject(ObjectRecord* out, int* outIndex);

// Copies the target's name (at most 31 characters and the terminator) into
// `dst`, which holds 32 bytes; returns 1.
int GetSelectedObjectName(char* dst);

// The target's finder catalogue (10 when set by SetSelectedObject).
int GetSelectedObjectCatalog();

// 1 when a target is set.
uint8_t IsObjectSelected();

// Adds the target to the observing list and makes its row current: 1, or 0
// when it would have to be added and the list has no room (as many shown rows
// as "Max Selected items"). A target already listed gets its row, full or not.
int AddTargetToSelection();

// Finder catalogue of a record's designation: 54 bright stars 0, 9 Caldwell 1,
// 12 comets 2, 13 constellations 3, 25 Herschel 4, 40 Messier 5, 41 meteor
// showers 6, 45 planets 7, 49 best of NGC 8, 63 user objects 9, any other 10.
int ObjectKindToFinderCatalog(const ObjectRecord* rec);

// Selection source code of a record's designation, by the same rows: 11, 3, 12,
// 13, 7, 2, 14, 1, 9, 15, and 99 for any other.
int ObjectKindToCatalogCode(const ObjectRecord* rec);

// Installs the hook through which a catalogue lookup makes the object it found
// the target (record, index, finder catalogue, set); start-up.
void InstallSelectedObjectHook();
