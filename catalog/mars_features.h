// The Martian surface features database ("zendavori_mars.ppc"), kept open with the
// other long-lived databases; the records of one group are contiguous.
#pragma once

#include <cstdint>

// One Martian feature (36 bytes in the file).
struct MarsFeatureRecord {
    char name[20];     //  0: NUL-terminated
    int16_t group;     // 20: feature type 0..9 (cavus, mons, crater, planitia, planum, landing, catena, chasma, rupes, terra)
    int16_t mapX;      // 22: on the 640 x 320 Mars map
    int16_t mapY;      // 24
    int16_t size;      // 26: km
    float latitude;    // 28: degrees
    float longitude;   // 32: degrees
};

// Number of Mars records; 0 when the database is not open.
int GetMarsRecordCount();

// Mars record `index`. False: "Mars Database isn't open!", an index outside the
// record count (silently), or "Could not retrieve mars record!".
bool GetMarsRecord(int index, MarsFeatureRecord* record);

// The run of records of one group: returns its first record (also in *first) and
// its length in *count; group -1 is every record. A group not present gives -1 and
// count 0.
int FindMarsFeatureGroup(int group, int* first, int* count);
