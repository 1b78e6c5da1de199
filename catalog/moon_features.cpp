#include "catalog/moon_features.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <tuple>

#include "catalog/databases.h"
#include "core/services.h"

std::vector<int32_t> visibleFeatureList;
FeatureTypeRange featureTypeRange{0, 0};

namespace {

constexpr int kMaxMoonRecordIndex = 1794;
constexpr std::size_t kMoonRecordSize = 44;

std::vector<MoonFeatureIndexEntry> featureIndex;
bool featureIndexBuilt = false;

// Sort keys of one visible feature.
struct VisibleKey {
    int32_t record;
    double diameter;        // not-a-number sorts as the smallest
    double latitudeStep;    // the tenth of a degree holding the latitude; not-a-number sorts first
};

// The step of 0.1 degree that holds a latitude, from the latitude rounded to 0.0001
// degree so that a stored float such as -12.30 stays in the step it names.
double LatitudeStep(float latitude) {
    double step = std::floor(std::round(static_cast<double>(latitude) * 10000.0) / 1000.0);
    return std::isnan(step) ? -std::numeric_limits<double>::infinity() : step;
}

VisibleKey ReadVisibleKey(int32_t record) {
    MoonFeatureRecord r{};
    VisibleKey key{record, 0.0, 0.0};
    if (!GetMoonRecord(record, &r)) return key;
    key.diameter = std::isnan(r.diameter) ? -std::numeric_limits<double>::infinity() : r.diameter;
    key.latitudeStep = LatitudeStep(r.latitude);
    return key;
}

}  // namespace

void InstallMoonRecordReaders() {
    MoonRecordHooks hooks;
    hooks.getMoonRecordCount = ReadMoonRecordCount;
    hooks.getMoonRecord = ReadMoonRecord;
    InstallMoonRecordHooks(hooks);
}

int ReadMoonRecordCount() { return GetRecDbCount(moonDb) >> 1; }

int ReadMoonRecord(int index, MoonFeatureRecord* record) {
    if (index < 0 || index > kMaxMoonRecordIndex) return 0;
    if (!moonDb) {
        ShowInformation("Moon Database isn't open!", "");
        return 0;
    }
    const uint8_t* r = FetchRecord(moonDb, index, kMoonRecordSize);
    if (!r) {
        ShowInformation("Could not retrieve moon record!", "");
        return 0;
    }
    record->type = LoadU16(r, 0);
    record->sortKey = LoadI16(r, 2);
    record->mapY = LoadI16(r, 4);
    record->mapSize = LoadI16(r, 6);
    record->latitude = LoadF32(r, 8);
    record->longitude = LoadF32(r, 12);
    record->diameter = LoadF32(r, 16);
    LoadText(r, 20, sizeof record->name, record->name, sizeof record->name);
    return 1;
}

bool BuildMoonFeatureIndex() {
    if (featureIndexBuilt) return true;
    int n = GetMoonRecordCount();
    featureIndex.assign(static_cast<std::size_t>(std::max(n, 0)), MoonFeatureIndexEntry{0, 0, 0});
    for (int i = 0; i < n; ++i) {
        StepBusyIndicator(1);
        MoonFeatureRecord r;
        if (GetMoonRecord(i, &r))
            featureIndex[i] = {static_cast<int16_t>(i), r.sortKey, static_cast<int16_t>(r.type)};
    }
    EndBusyIndicator(1);
    featureIndexBuilt = true;
    return false;
}

void FreeMoonFeatureIndex() {
    featureIndex.clear();
    featureIndexBuilt = false;
}

const MoonFeatureIndexEntry* GetMoonFeatureIndex(int* count) {
    *count = featureIndexBuilt ? static_cast<int>(featureIndex.size()) : 0;
    return featureIndexBuilt ? featureIndex.data() : nullptr;
}

void SortMoonFeatureIndex(int mode) {
    auto byRecord = [](const MoonFeatureIndexEntry& a, const MoonFeatureIndexEntry& b) { return a.record < b.record; };
    auto byType = [](const MoonFeatureIndexEntry& a, const MoonFeatureIndexEntry& b) {
        return std::tie(a.type, a.record) < std::tie(b.type, b.record);
    };
    auto byKey = [](const MoonFeatureIndexEntry& a, const MoonFeatureIndexEntry& b) {
        return std::tie(a.sortKey, a.record) < std::tie(b.sortKey, b.record);
    };
    if (mode == 0) std::sort(featureIndex.begin(), featureIndex.end(), byRecord);
    else if (mode == 1) std::sort(featureIndex.begin(), featureIndex.end(), byType);
    else if (mode == 2) std::sort(featureIndex.begin(), featureIndex.end(), byKey);
}

int FindMoonFeatureTypeRange(int type, int* count) {
    *count = 0;
    int first = -1;
    for (std::size_t i = 0; i < featureIndex.size(); ++i) {
        if (featureIndex[i].type != type) {
            if (first >= 0) break;
            continue;
        }
        if (first < 0) first = static_cast<int>(i);
        ++*count;
    }
    return first;
}

void SortVisibleFeatureList(int mode) {
    std::vector<VisibleKey> keys;
    keys.reserve(visibleFeatureList.size());
    for (int32_t record : visibleFeatureList) keys.push_back(ReadVisibleKey(record));
    auto bySize = [](const VisibleKey& a, const VisibleKey& b) {
        return a.diameter != b.diameter ? a.diameter > b.diameter : a.record < b.record;
    };
    auto byName = [](const VisibleKey& a, const VisibleKey& b) { return a.record < b.record; };
    auto byLatitude = [](const VisibleKey& a, const VisibleKey& b) {
        return std::tie(a.latitudeStep, a.record) < std::tie(b.latitudeStep, b.record);
    };
    if (mode == 0) std::sort(keys.begin(), keys.end(), bySize);
    else if (mode == 1) std::sort(keys.begin(), keys.end(), byName);
    else if (mode == 2) std::sort(keys.begin(), keys.end(), byLatitude);
    for (std::size_t i = 0; i < keys.size(); ++i) visibleFeatureList[i] = keys[i].record;
}

bool GetMoonFeatureInRange(int i, MoonFeatureRecord* record) {
    if (!featureIndexBuilt || i < 0 || i >= featureTypeRange.count) return false;
    int64_t position = static_cast<int64_t>(featureTypeRange.first) + i;
    if (position < 0 || position >= static_cast<int64_t>(featureIndex.size())) return false;
    return GetMoonRecord(featureIndex[position].record, record) == 1;
}

void ResetMoonFeatures() {
    FreeMoonFeatureIndex();
    visibleFeatureList.clear();
    featureTypeRange = {0, 0};
}
