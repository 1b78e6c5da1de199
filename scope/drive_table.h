// The telescope drives the program knows: id (preference word 0), name and
// protocol family. The preference list shows ids 0..20 in id order; ids 21, 22,
// 100 and 101 have no row.
#pragma once

#include <span>

enum class DriveFamily {
    kNone,          // id 0 and ids outside the table
    kEncoder,       // digital setting circles: read only, no motors
    kMeade,
    kNexStar,
    kServoCat,
    kSiderealTech,
    kSkyCommander,
    kTakahashi,
    kUnsupported,   // known by name, every operation refused
};

struct DriveInfo {
    int id;
    const char* name;
    DriveFamily family;
    bool hasEncoders;  // an encoder box that takes resolutions and reads counts
};

// Every drive, in id order.
std::span<const DriveInfo> DriveTable();

// The rows of the preference drive list: the names of ids 0..20.
std::span<const char* const> DriveListNames();

// The family of a drive id; kNone for 0 and ids outside the table.
DriveFamily GetDriveFamily(int id);

// Drives with an encoder box whose steps the preferences set: 1, 3, 4, 11,
// 12, 16 and 22 (SkyWizard 21 is in the encoder family but never connects).
bool DriveHasEncoders(int id);

// DriveHasEncoders for the selected drive (preference word 0): 1 or 0.
int IsEncoderDrive();
