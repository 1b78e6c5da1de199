#include "catalog/stellar_catalog.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "catalog/databases.h"
#include "core/preferences.h"
#include "core/services.h"
#include "platform/files.h"

const char* const stellarCatalogFiles[kStellarCatalogFileCount] = {
    "zendavori_hr.ppc",          "zendavori_hip_16k.ppc",    "zendavori_hip_32k.ppc",     "zendavori_hip_64k.ppc",
    "zendavori_hip_110k.ppc",    "zendavori_tycho_390k.ppc", "zendavori_tycho_2500k.ppc",
};

namespace {

constexpr int kLevelFile[kStellarLevelCount] = {0, 0, 0, 0, 0, 1, 2, 3, 4, 5, 6, 6, 6, 6, 6, 6};
constexpr int kLargeFileRecords = 25000;
constexpr int kStarsLargeRecord = 80;
constexpr int kStarsSmallRecord = 42;
constexpr int32_t kMaxCatalogNumber = 121000;
constexpr int kIndexEntries = 42;
constexpr std::size_t kIndexRecordSize = 2 * kIndexEntries;
constexpr char kTychoIndexFile[] = "zendavori_tycho_idx.ppc";
constexpr std::size_t kTychoIndexRecordSize = 8;
constexpr uint32_t kTychoRegion = 100000;

int starsPerRecord = kStarsSmallRecord;

// floor(value x unit / 128) in 64 bits.
int64_t Scaled(int8_t value, int64_t unit) { return (value * unit) >> 7; }

void ShowNumbered(const char* format, long number) {
    char text[64];
    std::snprintf(text, sizeof text, format, number);
    ShowInformation(text, "");
}

// Record `index` of the open catalogue with all its stars, or null.
const uint8_t* FetchStellarRecord(long index) {
    return FetchRecord(stellarDb, index, static_cast<std::size_t>(starsPerRecord) * kPackedStarSize);
}

// Unpacks the first star of `record` whose id is `id`; false when none is.
bool FindStarInRecord(const uint8_t* record, uint32_t id, UnpackedStar* star) {
    for (int k = 0; k < starsPerRecord; ++k) {
        const uint8_t* packed = record + k * kPackedStarSize;
        if (LoadU32(packed, 0) == id) {
            UnpackStar(packed, star);
            return true;
        }
    }
    return false;
}

// Opens a stellar file into the stellar slot and sets the stars per record.
bool OpenStellarFile(int fileIndex) {
    const char* name = stellarCatalogFiles[fileIndex];
    if (!OpenRecordDb(&stellarDb, "pl50", kCreatorCode, kDataFolder, name)) return false;
    starsPerRecord = GetRecDbCount(stellarDb) > kLargeFileRecords ? kStarsLargeRecord : kStarsSmallRecord;
    if (stellarDb->recordSize < static_cast<uint32_t>(starsPerRecord) * kPackedStarSize) {
        ShowInformation(std::string(name) + " is damaged", "");
        CloseRecordDb(&stellarDb);
        return false;
    }
    return true;
}

// Reads entry `number` of an index file into *entry; false with its message.
bool ReadIndexEntry(const char* indexName, int32_t number, int* entry) {
    RecordDbHandle* index = nullptr;
    if (!OpenRecordDb(&index, "pl61", kCreatorCode, kDataFolder, indexName)) {
        ShowInformation("Could not open Hipparchos index file", "");
        return false;
    }
    const uint8_t* record = FetchRecord(index, number / kIndexEntries, kIndexRecordSize);
    if (record) *entry = LoadI16(record, 2 * (number % kIndexEntries));
    CloseRecordDb(&index);
    if (!record) ShowNumbered("Can't find Hipparchos index record number %ld", number / kIndexEntries);
    return record != nullptr;
}

// Lowest and highest declination of Tycho region `region`; false with its message.
bool ReadTychoRegion(uint32_t region, float* lowest, float* highest) {
    RecordDbHandle* index = nullptr;
    if (!OpenRecordDb(&index, "pl60", kCreatorCode, kDataFolder, kTychoIndexFile)) {
        ShowInformation("Can't open Tycho index.", WithMissingDataFile("", kTychoIndexFile));
        return false;
    }
    const uint8_t* record = region <= 0xFFFF ? FetchRecord(index, region, kTychoIndexRecordSize) : nullptr;
    if (record) {
        *lowest = LoadF32(record, 0);
        *highest = LoadF32(record, 4);
    }
    CloseRecordDb(&index);
    if (!record) ShowInformation("Could not retrieve tycho record!", "");
    return record != nullptr;
}

}  // namespace

uint32_t UnpackStar(const uint8_t* packed, UnpackedStar* star) {
    auto byte = [packed](int k) { return static_cast<int8_t>(packed[k]); };
    uint32_t id = LoadU32(packed, 0);
    star->id = static_cast<uint16_t>(id);
    star->rightAscension = static_cast<int32_t>(Scaled(byte(4), 562209904) + Scaled(byte(5), 9370165) +
                                                Scaled(byte(6), 156169));
    star->declination = static_cast<int32_t>(Scaled(byte(7), 37480660) + Scaled(byte(8), 624677) +
                                             Scaled(byte(9), 10411));
    star->magnitude = packed[10];
    star->colour = byte(11);
    return id;
}

int LargestHipparcosCatalogInstalled() {
    for (int file = 4; file >= 1; --file)
        if (pl::FileExists(std::string(kDataFolder) + stellarCatalogFiles[file])) return file;
    return 0;
}

namespace {

// The file index of a level under the preference's cap; -1 for none.
int StellarFileIndex(int level) {
    int cap = preferences.word[kPrefCardCatalog];
    if (cap <= 0 || level < 0 || level >= kStellarLevelCount) return -1;
    return std::min(kLevelFile[level], cap);
}

}  // namespace

const char* StellarCatalogFileOf(int level) {
    int fileIndex = StellarFileIndex(level);
    return fileIndex >= 0 && fileIndex < kStellarCatalogFileCount ? stellarCatalogFiles[fileIndex] : nullptr;
}

bool SelectStellarCatalog(int level) {
    int fileIndex = StellarFileIndex(level);
    if (fileIndex < 0) return false;
    if (level == openStellarLevel) return IsStellarCatalogOpen();
    CloseRecordDb(&stellarDb);
    openStellarLevel = level;
    if (!OpenStellarFile(fileIndex)) {
        starsPerRecord = 0;
        openStellarLevel = -1;
        return false;
    }
    return true;
}

int GetStellarStarsPerRecord() { return starsPerRecord; }

const uint8_t* GetStellarRecord(int index) {
    return stellarDb && starsPerRecord > 0 && index >= 0 ? FetchStellarRecord(index) : nullptr;
}

int GetHipparcosStarCount() { return stellarDb ? GetRecDbCount(stellarDb) * starsPerRecord : 0; }

int FindStellarRecordByDec(float declination) {
    int count = GetRecDbCount(stellarDb);
    if (!stellarDb || count < 1 || !(declination >= -90.0f && declination <= 90.0f)) return -1;
    if (count == 1) return 0;
    int keyDegrees = static_cast<int>(declination);
    int arcMinutes = static_cast<int>(declination * 60.0f);
    int keyMinutes = arcMinutes - 60 * (arcMinutes / 60);
    int low = 0;
    int high = count - 1;
    int mid = 0;
    while (low <= high) {
        mid = (low + high) / 2;
        const uint8_t* record = FetchStellarRecord(mid);
        if (!record) {
            ShowNumbered("Can't find Hipparchos record number %ld", mid);
            return -1;
        }
        int difference = keyDegrees - static_cast<int8_t>(record[7]);
        if (difference == 0) difference = keyMinutes - static_cast<int8_t>(record[8]);
        if (difference == 0 || low + high < 2) break;
        if (difference < 0) high = mid - 1;
        else low = mid + 1;
    }
    return mid;
}

uint32_t GetHipparcosRecord(int position, UnpackedStar* star) {
    if (!stellarDb) {
        ShowInformation("Database Hipparchos isn't open!", "");
        return 0;
    }
    if (position < 0 || starsPerRecord <= 0) return 0;
    const uint8_t* record = FetchStellarRecord(position / starsPerRecord);
    if (!record) return 0;
    return UnpackStar(record + (position % starsPerRecord) * kPackedStarSize, star);
}

int GetStarByCatalogNumber(int32_t number, UnpackedStar* star) {
    if (!stellarDb) return 0;
    if (number < 1 || number > kMaxCatalogNumber) return -1;
    int stars = GetHipparcosStarCount();
    const char* indexName = stars >= 118001 && stars <= 119999 ? "zendavori_hip_110k_idx.ppc"
                            : stars >= 9101 && stars <= 9199   ? "zendavori_hr_idx.ppc"
                                                               : nullptr;
    if (!indexName) return -1;
    int r = -1;
    if (!ReadIndexEntry(indexName, number, &r)) return -1;
    // A number that no star carries has the entry -1.
    if (r == -1) return -1;
    // A damaged entry (negative or past the record count) is not read.
    const uint8_t* record = r >= 0 && r < GetRecDbCount(stellarDb) ? FetchStellarRecord(r) : nullptr;
    if (!record) {
        ShowNumbered("Can't find Hipparchos record number %ld", number / kIndexEntries);
        return -1;
    }
    std::memset(star, 0, sizeof *star);
    return FindStarInRecord(record, static_cast<uint32_t>(number), star) ? r : -1;
}

bool GetTychoStar(uint32_t id, UnpackedStar* star) {
    if (!stellarDb) return false;
    float lowest = 0, highest = 0;
    if (!ReadTychoRegion(id / kTychoRegion, &lowest, &highest)) return false;
    int a = FindStellarRecordByDec(lowest);
    int b = FindStellarRecordByDec(highest);
    if (a < 0 || b < 0 || a > b) return false;
    for (int r = a; r <= b; ++r) {
        const uint8_t* record = FetchStellarRecord(r);
        if (!record) {
            ShowInformation("Can't get stellar record", "");
            continue;
        }
        if (FindStarInRecord(record, id, star)) return true;
    }
    return false;
}

void FormatTychoDesignation(char* buffer, std::size_t size, uint32_t id) {
    std::snprintf(buffer, size, "TYC%lu-%lu-1", static_cast<unsigned long>(id / kTychoRegion),
                  static_cast<unsigned long>(id % kTychoRegion));
}
