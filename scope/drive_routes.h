// The routines of each drive family that the dispatcher calls. A family whose
// driver is not in the program yet has no routes.
#pragma once

#include "scope/drive_table.h"

struct DriveRoutes {
    int (*connect)();
    int (*disconnect)();
    int (*query)(double* ra, double* dec);      // hours, degrees
    int (*gotoPlace)(double ra, double dec);
    int (*sync)(double ra, double dec);          // null: no sync
    int (*setRate)(int rate);
    int (*startSlew)(int direction);
    int (*stopSlew)(int direction);
    int (*abort)();
    void (*forgetProbe)();                       // per-run state of the drive (null: none)
    const char* (*gotoRefusal)();                // second line of "Goto failed"
    const char* readFailure;                     // message of a failed read
};

// Null for kNone, kUnsupported and families without a driver.
const DriveRoutes* FamilyRoutes(DriveFamily family);

// The routes of the selected drive (preference word 0), or null.
const DriveRoutes* SelectedRoutes();

// "<text> <drive name>" for a drive whose family has no routes yet.
void ShowNotYetImplemented(const char* text, int id);
