#include "catalog/object_file_ranges.h"

#include "catalog/designations.h"

namespace {

// The further objects of the shared records start here; every catalogue run of
// the full file lies at or after it.
constexpr int kFirstRangeRecord = 1126;

}  // namespace

void ReadObjectFileRanges(RecordDbHandle* objectFile) {
    UseObjectFileRanges(true);
    bool ranged[kDesignationCount];
    for (int id = 0; id < kDesignationCount; ++id) {
        ranged[id] = designationTable[id].first != kNoDesignationRecords;
        designationTable[id].first = kNoDesignationRecords;
        designationTable[id].last = 0;
    }
    int count = GetRecDbCount(objectFile);
    for (int i = kFirstRangeRecord; i < count; ++i) {
        const uint8_t* record = FetchRecord(objectFile, i, 4);
        if (!record) break;
        int id = LoadU16(record, 0);
        if (id >= kDesignationCount || !ranged[id]) continue;
        DesignationRow& row = designationTable[id];
        if (row.first == kNoDesignationRecords) row.first = static_cast<uint16_t>(i);
        row.last = static_cast<int16_t>(i + 1);
    }
    ++designationRangeChanges;
}
