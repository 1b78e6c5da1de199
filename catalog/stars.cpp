#include "catalog/stars.h"

#include <cmath>
#include <cstring>
#include <string>

#include "catalog/databases.h"
#include "core/services.h"

StarRecord brightStarTable[kBrightStarTableCapacity];
static_assert(sizeof(StarRecord) == 44);

namespace {

constexpr std::size_t kStarRecordSize = 44;
constexpr std::size_t kNameRecordSize = 20;
constexpr int kBusyStepRecords = 150;
constexpr double kFix24PerHour = 4392264.877774095;
constexpr double kFix24PerDegree = 292817.658518273;
constexpr char kNameFile[] = "zendavori_brightstar.ppc";

bool starTableLoaded = false;
int brightStarNameCount = -1;

// value x unitsPerValue truncated toward zero; a damaged value (not a number, or
// beyond the 32-bit range) gives 0 or the nearest 32-bit value.
int32_t ToFix24(float value, double unitsPerValue) {
    double x = static_cast<double>(value) * unitsPerValue;
    if (std::isnan(x)) return 0;
    if (x >= 2147483647.0) return 2147483647;
    if (x <= -2147483647.0) return -2147483647;
    return static_cast<int32_t>(x);
}

bool OpenNames(RecordDbHandle** db) { return OpenRecordDb(db, "pl65", kCreatorCode, kDataFolder, kNameFile); }

// Reads name record `index` of an open name file; its star index must be a row of
// brightStarTable.
bool ReadName(RecordDbHandle* db, int index, BrightStarName* record) {
    uint8_t bytes[kNameRecordSize];
    if (!ReadRecord(db, index, bytes, sizeof bytes)) return false;
    int16_t star = LoadI16(bytes, 18);
    if (star < 0 || star >= kBrightStarCount) {
        ShowInformation(std::string(kNameFile) + " is damaged", "");
        return false;
    }
    LoadText(bytes, 0, sizeof record->name, record->name, sizeof record->name);
    record->starIndex = star;
    return true;
}

// Binary search of the HR-ordered half (records n..2n-1); the position, or -1.
int FindNameRecordByHr(RecordDbHandle* db, int n, int hr, BrightStarName* record) {
    int low = n;
    int high = 2 * n - 1;
    while (low <= high) {
        int mid = (low + high) / 2;
        if (!ReadName(db, mid, record)) return -1;
        int probeHr = brightStarTable[record->starIndex].hr;
        if (probeHr == hr) return mid;
        if (probeHr > hr) high = mid - 1;
        else low = mid + 1;
    }
    return -1;
}

// Binary search of the name-ordered half (records 0..n-1) for `name`; -1 when absent.
int FindNameRecordByName(RecordDbHandle* db, int n, const char* name, BrightStarName* record) {
    int low = 0;
    int high = n - 1;
    while (low <= high) {
        int mid = (low + high) / 2;
        if (!ReadName(db, mid, record)) return -1;
        int c = std::strcmp(record->name, name);
        if (c == 0) return mid;
        if (c > 0) high = mid - 1;
        else low = mid + 1;
    }
    return -1;
}

}  // namespace

bool GetStarRecord(int index, StarRecord* star) {
    if (index < 0 || index >= kBrightStarCount || !defaultStarDb) return false;
    const uint8_t* r = FetchRecord(defaultStarDb, index, kStarRecordSize);
    if (!r) {
        ShowInformation("Could not retrieve star record!", "recId " + std::to_string(index));
        return false;
    }
    *star = StarRecord{};
    star->hr = LoadI16(r, 0);
    star->constellation = LoadI16(r, 2);
    star->rightAscension = ToFix24(LoadF32(r, 4), kFix24PerHour);
    star->declination = ToFix24(LoadF32(r, 8), kFix24PerDegree);
    star->magnitude16 = LoadI16(r, 12);
    star->colour = LoadI16(r, 14);
    star->flamsteed = r[16];
    star->bayer = static_cast<int8_t>(r[17]);
    star->superscript = static_cast<int8_t>(r[18]);
    star->reserved = r[19];
    return true;
}

int LoadStarCatalog(int progressStyle) {
    if (starTableLoaded) return 1;
    for (int i = 0; i < kBrightStarCount; ++i) {
        if (i % kBusyStepRecords == 0) StepBusyIndicator(progressStyle);
        if (!GetStarRecord(i, &brightStarTable[i])) break;
    }
    EndBusyIndicator(progressStyle);
    starTableLoaded = true;
    return 1;
}

bool IsStarCatalogLoaded() { return starTableLoaded; }

int GetBrightStarCount() {
    if (brightStarNameCount >= 0) return brightStarNameCount;
    RecordDbHandle* db = nullptr;
    brightStarNameCount = OpenNames(&db) ? GetRecDbCount(db) / 2 : 0;
    CloseRecordDb(&db);
    return brightStarNameCount;
}

bool ReadBrightStarRecord(int index, BrightStarName* record) {
    RecordDbHandle* db = nullptr;
    if (!OpenNames(&db)) return false;
    bool ok = ReadName(db, index, record);
    CloseRecordDb(&db);
    return ok;
}

int FindBrightStarNameByHr(int hr, BrightStarName* record) {
    RecordDbHandle* db = nullptr;
    if (!OpenNames(&db)) return -1;
    int n = GetBrightStarCount();
    int position = FindNameRecordByHr(db, n, hr, record);
    if (position >= 1) {
        char name[sizeof record->name];
        std::memcpy(name, record->name, sizeof name);
        int byName = FindNameRecordByName(db, n, name, record);
        if (byName >= 0) position = byName;
    }
    CloseRecordDb(&db);
    return position;
}

void ResetStarCatalog() {
    std::memset(brightStarTable, 0, sizeof brightStarTable);
    starTableLoaded = false;
    brightStarNameCount = -1;
}
