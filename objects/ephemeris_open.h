// Handing an object to the ephemeris assistant (form 2530): the object and the
// start date of its table, kept beyond the form.
#pragma once

#include <cstdint>

#include "catalog/object_catalog.h"

struct EphemerisState {
    ObjectRecord record;  // the object as fetched for the current row
    int32_t minute, month, second, year, hour, day;  // start of the table, local civil time
    int32_t number;       // record number or index passed to GetObjectByKind
    int32_t designation;  // designation id passed to GetObjectByKind
    int32_t page;         // 0 Rise/Set, 1 Position
    int32_t ephemerisStep;  // row of the step popup, kept across openings
};

extern EphemerisState ephemerisState;

// Keeps the object (number within designation `designation`) and the start
// date and time (seconds 0), shows the Rise/Set page and opens form 2530.
void OpenEphemerisAssistant(int number, int designation, int year, int month, int day, int hour, int minute);
