// The routines of each drive family that the dispatcher calls. A family whose
// driver is not in the program yet has no routes.
#pragma once

#include "scope/drive_table.h"

// Members left out of a family's table are null (the operation is not
// offered) or false.
struct DriveRoutes {
    int (*connect)() = nullptr;
    int (*disconnect)() = nullptr;
    int (*query)(double* ra, double* dec) = nullptr;  // hours, degrees
    int (*gotoPlace)(double ra, double dec) = nullptr;
    int (*sync)(double ra, double dec) = nullptr;     // null: no sync
    int (*setRate)(int rate) = nullptr;
    int (*startSlew)(int direction) = nullptr;
    int (*stopSlew)(int direction) = nullptr;
    int (*abort)() = nullptr;
    void (*forgetProbe)() = nullptr;                  // per-run state of the drive (null: none)
    const char* (*gotoRefusal)() = nullptr;           // second line of "Goto failed" or "Sync failed"
    const char* readFailure = nullptr;                // message of a failed read
    const char* readFailureAltAz = nullptr;           // the same for AZ or Encoder output, when it differs
    bool gotoUnconfirmed = false;                     // a goto sent is never a success: no scope form
};

// Null for kNone, kUnsupported and families without a driver.
const DriveRoutes* FamilyRoutes(DriveFamily family);

// The routes of the selected drive (preference word 0), or null.
const DriveRoutes* SelectedRoutes();

// "<text> <drive name>" for a drive whose family has no routes yet.
void ShowNotYetImplemented(const char* text, int id);
