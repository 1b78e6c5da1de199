#include "catalog/object_catalog.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "catalog/databases.h"
#include "catalog/designations.h"
#include "core/services.h"

namespace {

constexpr int kUserCatalogNameVersion = 26;  // first version with the distance before the name
constexpr std::size_t kDescriptionTextOffset = 8;
constexpr std::size_t kDescriptionMaxChars = 49;
constexpr std::size_t kCrossRefNameOffset = 24;
constexpr std::size_t kObjectIndexEntrySize = 20;

void DecodeObjectRecord(const uint8_t* r, bool nameAt40, ObjectRecord* o) {
    o->designationId = LoadU32(r, 0);
    o->number = LoadI32(r, 4);
    o->objectType = LoadU32(r, 8);
    o->constellation = LoadU32(r, 12);
    o->rightAscension = LoadF32(r, 16);
    o->declination = LoadF32(r, 20);
    o->magnitude = LoadF32(r, 24);
    o->size1 = LoadF32(r, 28);
    o->size2 = LoadF32(r, 32);
    o->objectCode = LoadU16(r, 36);
    o->classCode = LoadI16(r, 38);
    o->distance = nameAt40 ? 0.0f : LoadF32(r, 40);
    LoadText(r, nameAt40 ? 40 : 44, sizeof o->name, o->name, sizeof o->name);
}

ObjectReadResult PlaceResult(const ObjectRecord& r) {
    return IsSkyPlace(r.rightAscension, r.declination) ? kObjectRead : kObjectDamaged;
}

int CompareKeys(int32_t probeId, int32_t probeNumber, int32_t id, int32_t number) {
    if (probeId != id) return probeId > id ? 1 : -1;
    if (probeNumber != number) return probeNumber > number ? 1 : -1;
    return 0;
}

}  // namespace

bool IsSkyPlace(double rightAscension, double declination) {
    return std::isfinite(rightAscension) && rightAscension >= 0.0 && rightAscension < 24.0 &&
           std::isfinite(declination) && declination >= -90.0 && declination <= 90.0;
}

ObjectReadResult ReadObjectRecord(int index, ObjectRecord* record) {
    if (!objectDb) {
        ShowInformation("Object database isn't open!", "");
        return kObjectFailed;
    }
    if (index < 0 || index >= GetRecDbCount(objectDb)) return kObjectFailed;
    const uint8_t* r = FetchRecord(objectDb, index, kObjectRecordSize);
    if (!r) {
        ShowInformation("Could not retrieve object record!", "");
        return kObjectFailed;
    }
    DecodeObjectRecord(r, false, record);
    record->name[0] = '\0';
    return PlaceResult(*record);
}

bool GetObjectRecord(int index, ObjectRecord* record) { return ReadObjectRecord(index, record) == kObjectRead; }

int GetUserObjectCount() { return GetRecDbCount(userCatalogDb); }

ObjectReadResult ReadUserObjectRecord(int index, ObjectRecord* record) {
    if (!userCatalogDb) {
        ShowInformation("User Object database isn't open!", "");
        return kObjectFailed;
    }
    if (index < 0 || index >= GetUserObjectCount()) return kObjectFailed;
    const uint8_t* r = FetchRecord(userCatalogDb, index, kObjectRecordSize);
    if (!r) {
        ShowInformation("Could not retrieve user object record!", "");
        return kObjectFailed;
    }
    int version = 0;
    GetDbVersion(userCatalogDb, &version);
    DecodeObjectRecord(r, version < kUserCatalogNameVersion, record);
    if (record->name[0] == '\0' || record->name[0] == ' ')
        std::snprintf(record->name, sizeof record->name, "%s%ld", DesignationPrefix(record->designationId & 0xFFFF),
                      static_cast<long>(record->number));
    return PlaceResult(*record);
}

bool GetUserObjectRecord(int index, ObjectRecord* record) {
    return ReadUserObjectRecord(index, record) == kObjectRead;
}

bool FindDreyerDescription(int designationId, int32_t number, char* destination, std::size_t size) {
    if (destination && size > 0) destination[0] = '\0';
    if (!descriptionDb) return false;
    long found = SearchSortedDb(descriptionDb, kDescriptionTextOffset, [&](const uint8_t* r) {
        return CompareKeys(LoadI32(r, 0), LoadI32(r, 4), designationId, number);
    });
    if (found == -2) {
        ShowInformation("Error during Dreyer description search", "");
        return false;
    }
    if (found < 0) return false;
    std::size_t width = descriptionDb->recordSize - kDescriptionTextOffset;
    if (width > kDescriptionMaxChars) width = kDescriptionMaxChars;
    LoadText(descriptionDb->record, kDescriptionTextOffset, width, destination, size);
    return true;
}

bool FindCrossReference(int designationId, int32_t number, int* ids, int32_t* numbers, int maximum, char* name,
                        int nameSize) {
    if (name && nameSize > 0) name[0] = '\0';
    if (!crossRefDb) return false;
    long found = SearchSortedDb(crossRefDb, kCrossRefNameOffset, [&](const uint8_t* r) {
        return CompareKeys(LoadI16(r, 0), LoadI32(r, 8), static_cast<int16_t>(designationId), number);
    });
    if (found == -2) {
        ShowInformation("Error during Cross Ref search", "");
        return false;
    }
    if (found < 0) return false;
    const uint8_t* r = crossRefDb->record;
    bool delivered = false;
    if (name && nameSize > 0) {
        // Take at most nameSize characters, then drop the last one taken.
        std::size_t width = crossRefDb->recordSize - kCrossRefNameOffset;
        std::size_t length = 0;
        while (length < width && length < static_cast<std::size_t>(nameSize) && r[kCrossRefNameOffset + length] != 0)
            ++length;
        if (length > 0) {
            std::memcpy(name, r + kCrossRefNameOffset, length - 1);
            name[length - 1] = '\0';
        }
        delivered = true;
    }
    if (ids && numbers) {
        for (int k = 1; k <= 3 && k <= maximum; ++k) {
            int16_t id = LoadI16(r, 2 * k);
            if (id <= 0) continue;
            ids[k - 1] = id;
            numbers[k - 1] = LoadI32(r, 8 + 4 * k);
            delivered = true;
        }
    }
    return delivered;
}

int FindObjectIndexRecord(int32_t declination) {
    int count = GetRecDbCount(objectIndexDb);
    if (count == 0) return -1;
    long low = 1;
    long high = count - 1;
    long probe = 0;
    while (low <= high) {
        probe = (low + high) / 2;
        const uint8_t* r = FetchRecord(objectIndexDb, probe, 16);
        if (!r) {
            char text[64];
            std::snprintf(text, sizeof text, "Can't find Object record number %ld", probe);
            ShowInformation(text, "");
            return -1;
        }
        int64_t difference = static_cast<int64_t>(declination) - LoadI32(r, 12);
        if (difference == 0) break;
        if (difference < 0) high = probe - 1;
        else low = probe + 1;
    }
    return static_cast<int>(probe);
}

bool GetObjectIndexRecord(int index, ObjectIndexEntry* entries) {
    const uint8_t* r = FetchRecord(objectIndexDb, index, kObjectIndexEntries * kObjectIndexEntrySize);
    if (!r) return false;
    int objectCount = GetRecDbCount(objectDb);
    for (int i = 0; i < kObjectIndexEntries; ++i) {
        const uint8_t* e = r + i * kObjectIndexEntrySize;
        ObjectIndexEntry& entry = entries[i];
        entry.number = LoadU32(e, 0);
        entry.designationId = LoadI16(e, 4);
        entry.objectRecord = LoadI16(e, 6);
        entry.rightAscension = LoadI32(e, 8);
        entry.declination = LoadI32(e, 12);
        entry.objectType = LoadI16(e, 16);
        entry.magnitude10 = LoadI16(e, 18);
        bool valid = entry.designationId >= 0 && entry.designationId < kDesignationCount && entry.objectType >= 0 &&
                     entry.objectType < kObjectTypeCount && entry.objectRecord >= 0 &&
                     entry.objectRecord < objectCount;
        if (!valid) entry.objectRecord = -1;
    }
    return true;
}

void SetObjectRecordName(ObjectRecord* rec, const char* source) {
    std::memset(rec->name, 0, sizeof rec->name);
    if (source) std::strncpy(rec->name, source, sizeof rec->name - 1);
}
