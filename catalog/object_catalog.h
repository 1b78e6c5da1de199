// The deep-sky object database, the user catalogue and the three sorted side
// databases keyed by (designation id, number): descriptions, cross references and
// the object index.
#pragma once

#include <cstddef>
#include <cstdint>

// The common object record of the whole program (64 bytes in the files, stored
// little-endian at these offsets).
struct ObjectRecord {
    uint32_t designationId;    //  0: row of designationTable (low 16 bits used)
    int32_t number;            //  4: number within that catalogue
    uint32_t objectType;       //  8: row of objectTypeTable (low 16 bits used)
    uint32_t constellation;    // 12: row of constellationTable (low 16 bits used)
    float rightAscension;      // 16: hours, J2000.0
    float declination;         // 20: degrees, J2000.0
    float magnitude;           // 24: visual
    float size1;               // 28: major axis, arcminutes
    float size2;               // 32: minor axis, arcminutes; 0 = same as size 1
    uint16_t objectCode;       // 36: one-byte code (low byte) carried into list entries
    int16_t classCode;         // 38: deep-sky type-text code, or a star's colour code
    float distance;            // 40: see the distance texts; 0 in user catalogues before version 26
    char name[20];             // 44: NUL-terminated; empty = none
};

constexpr std::size_t kObjectRecordSize = 64;

// Copies at most 19 characters of `source` into the record's name, terminated.
void SetObjectRecordName(ObjectRecord* rec, const char* source);

// True when the place is one on the sky: right ascension finite and in [0, 24)
// hours, declination finite and in [-90, 90] degrees.
bool IsSkyPlace(double rightAscension, double declination);

// What reading one object record gave. kObjectDamaged: the record was read and
// decoded, but its place is no place on the sky (see IsSkyPlace), so it is
// not an object to show or test; its key fields can still guide a search.
enum ObjectReadResult { kObjectRead, kObjectDamaged, kObjectFailed };

// Object database record `index` with an empty name (names come from the cross
// references). kObjectFailed: "Object database isn't open!", an index outside
// the record count (silently), or "Could not retrieve object record!".
ObjectReadResult ReadObjectRecord(int index, ObjectRecord* record);

// ReadObjectRecord, true only for a record with a place on the sky (a damaged
// one is refused silently).
bool GetObjectRecord(int index, ObjectRecord* record);

// Number of user-catalogue records; 0 when it is not open.
int GetUserObjectCount();

// User-catalogue record `index`. A catalogue older than version 26 has the name at
// byte 40 and no distance (0). An empty name, or one beginning with a blank,
// becomes the designation prefix and the number ("NGC891"). kObjectFailed: "User
// Object database isn't open!", an index outside the count (silently), or "Could
// not retrieve user object record!"; kObjectDamaged as for ReadObjectRecord.
ObjectReadResult ReadUserObjectRecord(int index, ObjectRecord* record);

// ReadUserObjectRecord, true only for a record with a place on the sky.
bool GetUserObjectRecord(int index, ObjectRecord* record);

// The coded description of an object (at most 49 characters, cut to fit `size`
// bytes); the destination is cleared first. False when not found or the database
// is not open (silently), or on a read failure ("Error during Dreyer description
// search").
bool FindDreyerDescription(int designationId, int32_t number, char* destination, std::size_t size);

// Cross reference of an object. With a name buffer of nameSize bytes: the proper
// name (at most nameSize characters taken, then its last character dropped),
// and the result is true when the object is found. With ids and numbers (arrays of
// `maximum` entries, 1..3): alternative k goes to slot k - 1 when its id is above
// 0, each one making the result true. Read failure: "Error during Cross Ref search".
bool FindCrossReference(int designationId, int32_t number, int* ids, int32_t* numbers, int maximum, char* name,
                        int nameSize);

// Object index record at or next to a declination (Fix24Angle radians): the last
// record probed by a binary search on the declination of each record's first
// entry; 0 for an index of one record; -1 when the index is not open or empty, or
// on a read failure ("Can't find Object record number %d").
int FindObjectIndexRecord(int32_t declination);

// One object of an object index record.
struct ObjectIndexEntry {
    uint32_t number;
    int16_t designationId;
    int16_t objectRecord;     // record of the object database; -1 for an entry that is not valid
    int32_t rightAscension;   // Fix24Angle
    int32_t declination;      // Fix24Angle
    int16_t objectType;
    int16_t magnitude10;      // visual magnitude x 10
};

constexpr int kObjectIndexEntries = 15;

// The 15 entries of object index record `index`. An entry whose designation id,
// object type or object record number is outside its table or the object
// database gets objectRecord -1. False (no message) when the record cannot be read.
bool GetObjectIndexRecord(int index, ObjectIndexEntry* entries);
