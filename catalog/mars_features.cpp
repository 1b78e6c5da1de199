#include "catalog/mars_features.h"

#include "catalog/databases.h"
#include "core/services.h"

static_assert(sizeof(MarsFeatureRecord) == 36);

namespace {
constexpr std::size_t kMarsRecordSize = 36;
}

int GetMarsRecordCount() { return GetRecDbCount(marsDb); }

bool GetMarsRecord(int index, MarsFeatureRecord* record) {
    if (!marsDb) {
        ShowInformation("Mars Database isn't open!", "");
        return false;
    }
    if (index < 0 || index >= GetMarsRecordCount()) return false;
    const uint8_t* r = FetchRecord(marsDb, index, kMarsRecordSize);
    if (!r) {
        ShowInformation("Could not retrieve mars record!", "");
        return false;
    }
    LoadText(r, 0, sizeof record->name, record->name, sizeof record->name);
    record->group = LoadI16(r, 20);
    record->mapX = LoadI16(r, 22);
    record->mapY = LoadI16(r, 24);
    record->size = LoadI16(r, 26);
    record->latitude = LoadF32(r, 28);
    record->longitude = LoadF32(r, 32);
    return true;
}

int FindMarsFeatureGroup(int group, int* first, int* count) {
    int total = GetMarsRecordCount();
    *first = -1;
    *count = 0;
    if (group == -1) {
        if (total > 0) {
            *first = 0;
            *count = total;
        }
        return *first;
    }
    MarsFeatureRecord record;
    for (int i = 0; i < total; ++i) {
        if (!GetMarsRecord(i, &record)) break;
        if (record.group != group) {
            if (*first >= 0) break;
            continue;
        }
        if (*first < 0) *first = i;
        ++*count;
    }
    return *first;
}
