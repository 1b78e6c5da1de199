// The lunar feature records, as the Moon computations read them. The catalogue
// installs the readers of the lunar feature database; until then (and in tests
// that install records of their own) there are no records.
#pragma once

#include <cstdint>

// One lunar feature, the 44-byte record of the lunar feature database (eleven
// 32-bit words).
struct MoonFeatureRecord {
    uint16_t type;     // 0 Cv, 1 Mn, 2 Cr, 3 Pa, 4 Pn, 5 Ld, 6 Ca, 7 Ch, 8 Ru, 9 Tr, 10 Oc, 11 Lc, 12 Ma
    int16_t sortKey;   // x on the 960-pixel Moon map; the second half of the file is sorted by it
    int16_t mapY;      // y on the 960-pixel Moon map
    int16_t mapSize;   // marker radius on the Moon map, pixels
    float latitude;    // degrees, stored with the sign opposite to the one the Moon screens show
    float longitude;   // degrees
    float diameter;    // km
    char name[24];     // NUL-terminated
};
static_assert(sizeof(MoonFeatureRecord) == 44);

// Number of lunar features (half the records of the database: the file holds each
// feature twice); 0 when no lunar feature database is open.
int GetMoonRecordCount();

// Copies lunar feature record `index`; 1 on success, 0 when the index is outside
// 0..1794 (silently) or the record cannot be read (the reader reports it).
int GetMoonRecord(int index, MoonFeatureRecord* record);

struct MoonRecordHooks {
    int (*getMoonRecordCount)() = nullptr;
    int (*getMoonRecord)(int index, MoonFeatureRecord* record) = nullptr;
};

// Installs the readers; a null member keeps the default (no records). Returns the
// previous set.
MoonRecordHooks InstallMoonRecordHooks(const MoonRecordHooks& hooks);
