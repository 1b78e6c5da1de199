#include "support/record_file_entries.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "catalog/comet_satellite_db.h"
#include "catalog/constellation_lines.h"
#include "catalog/databases.h"
#include "catalog/designations.h"
#include "catalog/dreyer.h"
#include "catalog/eyepieces.h"
#include "catalog/mars_features.h"
#include "catalog/moon_features.h"
#include "catalog/object_catalog.h"
#include "catalog/object_file_ranges.h"
#include "catalog/object_lookup.h"
#include "catalog/record_writer.h"
#include "catalog/stars.h"
#include "catalog/stellar_catalog.h"
#include "core/moon_records.h"
#include "core/preferences.h"
#include "core/shared_state.h"
#include "support/fuzz_folder.h"
#include "support/object_file_fixture.h"
#include "support/recording_services.h"

namespace {

using record_writer::Bytes;

// Records read from the start of a file: enough to reach every branch of the
// readers, few enough for thousands of inputs a second.
constexpr int kFirstRecords = 96;

// The folder, the recorded messages and the catalogue state of one input;
// the catalogue state is reset again when it ends, closing every file.
struct EntryScope {
    EntryScope() { ResetCatalogState(); }
    ~EntryScope() { ResetCatalogState(); }
    FuzzFolder folder;
    RecordingServices services;
};

bool Terminated(const char* text, std::size_t size) { return std::memchr(text, '\0', size) != nullptr; }

// The indexes to read of a file of `count` records: the first ones, the last
// and the ones just outside.
std::vector<int> IndexesToRead(int count, int first = kFirstRecords) {
    std::vector<int> indexes{-1};
    for (int i = 0; i < count && i < first; ++i) indexes.push_back(i);
    if (count > first) indexes.push_back(count - 1);
    indexes.push_back(count);
    return indexes;
}

void WriteData(const FuzzFolder& folder, const std::string& name, const Bytes& bytes) {
    folder.WriteOnce("data\\" + name, bytes);
}

// The shared first records of the object files, as a fixture object file.
const Bytes& FixtureObjectFile() {
    static const Bytes file = [] {
        std::vector<Bytes> records;
        for (const ObjectRecord& o : fixture::SharedObjectRecords()) records.push_back(record_writer::ObjectBytes(o));
        return record_writer::RecordDbBytes(26, 64, records);
    }();
    return file;
}

// Default stars: 1646 records of stars spread over the sky, HR numbers 1..1646.
const Bytes& FixtureDefaultStars() {
    static const Bytes file = [] {
        std::vector<Bytes> records;
        for (int i = 0; i < kBrightStarCount; ++i) {
            record_writer::StarFile s;
            s.hr = static_cast<int16_t>(i + 1);
            s.constellation = static_cast<int16_t>(i % kConstellationCount);
            s.raHours = static_cast<float>((i * 7) % 24);
            s.decDegrees = static_cast<float>((i * 13) % 181 - 90);
            s.magnitude16 = static_cast<int16_t>(16 * (i % 7));
            records.push_back(record_writer::StarBytes(s));
        }
        return record_writer::RecordDbBytes(1, 44, records);
    }();
    return file;
}

// A stellar catalogue of `records` records of 42 stars, numbered 1, 2, ... in
// file order, declinations rising from -89 degrees.
Bytes FixtureStellarFile(int records) {
    std::vector<Bytes> recordBytes;
    uint32_t id = 1;
    for (int r = 0; r < records; ++r) {
        std::vector<record_writer::PackedStarFile> stars;
        for (int k = 0; k < 42; ++k) {
            record_writer::PackedStarFile s;
            s.id = id++;
            s.ra[0] = static_cast<int8_t>(k % 24);
            s.dec[0] = static_cast<int8_t>(-89 + (178 * r) / (records > 1 ? records - 1 : 1));
            s.magnitude16 = 100;
            stars.push_back(s);
        }
        recordBytes.push_back(record_writer::StellarRecordBytes(stars, 42));
    }
    return record_writer::RecordDbBytes(1, 504, recordBytes);
}

bool PlaceOnTheSky(const ObjectRecord& r) {
    return std::isfinite(r.rightAscension) && std::isfinite(r.declination);
}

}  // namespace

int RunObjectFile(const uint8_t* data, std::size_t size) {
    EntryScope scope;
    scope.folder.Write("data\\zendavori_obj_18k.ppc", data, size);
    ResetSharedState();
    if (!OpenRecordDb(&objectDb, "pl00", "ZDV1", "data\\", "zendavori_obj_18k.ppc")) return 0;
    ReadObjectFileRanges(objectDb);
    const int count = GetRecDbCount(objectDb);
    for (int id = 0; id < kDesignationCount; ++id) {
        const DesignationRow& row = designationTable[id];
        if (row.first == kNoDesignationRecords) continue;
        if (row.first >= row.last || row.last > count) return 2;
    }
    for (int index : IndexesToRead(count)) {
        ObjectRecord record;
        if (GetObjectRecord(index, &record) && !Terminated(record.name, sizeof record.name)) return 1;
    }
    for (int index : {0, 1, 44, 108, 109, 399}) {
        ObjectRecord record;
        GetMessierObjectRecord(index, &record);
        GetCaldwellObjectRecord(index, &record);
        GetHerschelObjectRecord(index, &record);
        GetBestNgcObjectRecord(index, &record);
    }
    const int kinds[] = {kDesignationMessier, kDesignationCaldwell, kDesignationNgc, kDesignationIc,
                         kDesignationHerschel, kDesignationBestNgc};
    for (int kind : kinds) {
        for (int index : {-2, -1, 0, 1, 5}) {
            ObjectRecord record{};
            char designation[24];
            char name[32];
            int listed = 0;
            if (!GetObjectByKind(kind, index, &record, designation, sizeof designation, name, sizeof name, 1,
                                 &listed))
                continue;
            if (!Terminated(designation, sizeof designation) || !Terminated(name, sizeof name)) return 1;
            if (PlaceOnTheSky(record) && !(record.declination >= -90.5f && record.declination <= 90.5f)) return 3;
        }
    }
    return 0;
}

int RunObjectIndex(const uint8_t* data, std::size_t size) {
    EntryScope scope;
    WriteData(scope.folder, "zendavori_obj_1k.ppc", FixtureObjectFile());
    scope.folder.Write("data\\zendavori_obj_1k_idx.ppc", data, size);
    if (!OpenRecordDb(&objectDb, "pl00", "ZDV1", "data\\", "zendavori_obj_1k.ppc")) return 0;
    if (!OpenObjIndexDb()) return 0;
    const int objects = GetRecDbCount(objectDb);
    const int count = GetRecDbCount(objectIndexDb);
    for (int index : IndexesToRead(count)) {
        ObjectIndexEntry entries[kObjectIndexEntries];
        if (!GetObjectIndexRecord(index, entries)) continue;
        for (const ObjectIndexEntry& e : entries) {
            if (e.objectRecord == -1) continue;
            if (e.objectRecord < 0 || e.objectRecord >= objects || e.designationId < 0 ||
                e.designationId >= kDesignationCount || e.objectType < 0 || e.objectType >= kObjectTypeCount)
                return 1;
        }
    }
    for (int32_t declination : {INT32_MIN, -460000000, -1, 0, 1, 123456789, 460000000, INT32_MAX}) {
        int found = FindObjectIndexRecord(declination);
        if (found < -1 || found >= (count > 0 ? count : 1)) return 2;
    }
    return 0;
}

int RunCrossReferences(const uint8_t* data, std::size_t size) {
    EntryScope scope;
    scope.folder.Write("data\\zendavori_obj_cross_ref.ppc", data, size);
    if (!OpenRecordDb(&crossRefDb, "pl80", "ZDV1", "data\\", "zendavori_obj_cross_ref.ppc")) return 0;
    const std::pair<int, int32_t> keys[] = {{kDesignationNgc, 224}, {kDesignationHr, 2491}, {kDesignationMessier, 31},
                                            {kDesignationIc, 1},    {0, 0},                {-1, -1},
                                            {32767, INT32_MAX}};
    for (auto [id, number] : keys) {
        for (int nameSize : {1, 2, 12, 40}) {
            char name[40];
            std::memset(name, 0x55, sizeof name);
            FindCrossReference(id, number, nullptr, nullptr, 0, name, nameSize);
            if (!Terminated(name, static_cast<std::size_t>(nameSize))) return 1;
        }
        for (int maximum : {1, 3}) {
            int ids[3] = {0, 0, 0};
            int32_t numbers[3] = {0, 0, 0};
            FindCrossReference(id, number, ids, numbers, maximum, nullptr, 0);
            for (int k = 0; k < 3; ++k)
                if (ids[k] < 0 || (k >= maximum && ids[k] != 0)) return 2;
        }
    }
    return 0;
}

int RunDescriptions(const uint8_t* data, std::size_t size) {
    EntryScope scope;
    scope.folder.Write("data\\zendavori_obj_18k_desc.ppc", data, size);
    if (!OpenRecordDb(&descriptionDb, "pl10", "ZDV1", "data\\", "zendavori_obj_18k_desc.ppc")) return 0;
    const std::pair<int, int32_t> keys[] = {{kDesignationNgc, 224}, {kDesignationIc, 434}, {kDesignationNgc, 1},
                                            {0, 0}, {-1, INT32_MIN}};
    for (auto [id, number] : keys) {
        for (std::size_t bufferSize : {std::size_t{1}, std::size_t{20}, std::size_t{64}}) {
            char description[64];
            std::memset(description, 0x55, sizeof description);
            if (!FindDreyerDescription(id, number, description, bufferSize)) continue;
            if (!Terminated(description, bufferSize) || std::strlen(description) > 49) return 1;
            char expanded[kDreyerLongSize];
            std::memset(expanded, 0x55, sizeof expanded);
            TranslateDreyerDescription(description, expanded, sizeof expanded);
            if (description[0] != '\0' && !Terminated(expanded, sizeof expanded)) return 2;
        }
    }
    return 0;
}

int RunUserCatalog(const uint8_t* data, std::size_t size) {
    EntryScope scope;
    scope.folder.Write("usercatalogs\\user.pdb", data, size);
    ResetSharedState();
    char* name = reinterpret_cast<char*>(&preferences.word[kPrefUserCatalogName]);
    std::memset(name, 0, kUserCatalogNameSize);
    std::memcpy(name, "user.pdb", 8);
    if (!OpenUserCatalog()) return 0;
    for (int index : IndexesToRead(GetUserObjectCount())) {
        ObjectRecord record;
        if (!GetUserObjectRecord(index, &record)) continue;
        if (!Terminated(record.name, sizeof record.name) || record.name[0] == '\0') return 1;
    }
    for (int index : {-1, 0, 1, 2, 3}) {
        ObjectRecord record{};
        char designation[24];
        char text[32];
        int listed = 0;
        if (GetObjectByKind(kDesignationUser, index, &record, designation, sizeof designation, text, sizeof text, 1,
                            &listed) &&
            (!Terminated(designation, sizeof designation) || !Terminated(text, sizeof text)))
            return 1;
    }
    return 0;
}

int RunDefaultStars(const uint8_t* data, std::size_t size) {
    EntryScope scope;
    scope.folder.Write("data\\zendavori_default_stars.ppc", data, size);
    if (!OpenRecordDb(&defaultStarDb, "pl01", "ZDV1", "data\\", "zendavori_default_stars.ppc")) return 0;
    for (int index : IndexesToRead(GetRecDbCount(defaultStarDb))) {
        StarRecord star;
        GetStarRecord(index, &star);
    }
    LoadStarCatalog(0);
    return IsStarCatalogLoaded() ? 0 : 1;
}

int RunBrightStarNames(const uint8_t* data, std::size_t size) {
    EntryScope scope;
    // The star table the names point into, loaded from the fixture once and
    // put back for each input (loading it is most of the work otherwise).
    static std::vector<StarRecord> table;
    if (table.empty()) {
        WriteData(scope.folder, "zendavori_default_stars.ppc", FixtureDefaultStars());
        if (!OpenRecordDb(&defaultStarDb, "pl01", "ZDV1", "data\\", "zendavori_default_stars.ppc")) return 0;
        LoadStarCatalog(0);
        table.assign(brightStarTable, brightStarTable + kBrightStarTableCapacity);
        CloseRecordDb(&defaultStarDb);
    }
    std::copy(table.begin(), table.end(), brightStarTable);
    scope.folder.Write("data\\zendavori_brightstar.ppc", data, size);
    const int count = GetBrightStarCount();
    // Each name read opens the file again (as the program does), so fewer.
    for (int index : IndexesToRead(2 * count, 16)) {
        BrightStarName name;
        std::memset(&name, 0x55, sizeof name);
        if (!ReadBrightStarRecord(index, &name)) continue;
        if (name.starIndex < 0 || name.starIndex >= kBrightStarCount) return 1;
        if (!Terminated(name.name, sizeof name.name)) return 2;
    }
    for (int hr : {-1, 0, 1, 2, 424, 1646, 1647, 9110}) {
        BrightStarName name;
        if (FindBrightStarNameByHr(hr, &name) >= 0 && (name.starIndex < 0 || name.starIndex >= kBrightStarCount))
            return 1;
    }
    return 0;
}

int RunStellarCatalog(const uint8_t* data, std::size_t size) {
    EntryScope scope;
    scope.folder.Write("data\\zendavori_hr.ppc", data, size);
    preferences.word[kPrefCardCatalog] = 4;
    if (!SelectStellarCatalog(0)) return 0;
    const int count = GetRecDbCount(stellarDb);
    const int stars = GetHipparcosStarCount();
    for (int index : IndexesToRead(count)) GetStellarRecord(index);
    for (int position : {-1, 0, 1, 41, 42, 43, stars - 1, stars}) {
        UnpackedStar star;
        GetHipparcosRecord(position, &star);
    }
    for (float declination : {-90.0f, -45.5f, -0.5f, 0.0f, 0.25f, 30.0f, 89.99f, 90.0f, 91.0f}) {
        int found = FindStellarRecordByDec(declination);
        if (found < -1 || found >= count) return 1;
    }
    for (uint32_t id : {1u, 100001u, 4294967295u}) {
        UnpackedStar star;
        GetTychoStar(id, &star);
    }
    return 0;
}

int RunStellarIndexes(const uint8_t* data, std::size_t size) {
    EntryScope scope;
    const int kind = size > 0 ? data[0] % 3 : 0;
    static const Bytes hrFile = FixtureStellarFile(217);    // 9114 stars
    static const Bytes hipFile = FixtureStellarFile(2810);  // 118020 stars
    preferences.word[kPrefCardCatalog] = kind == 1 ? 4 : 0;
    if (kind == 1) WriteData(scope.folder, "zendavori_hip_110k.ppc", hipFile);
    else WriteData(scope.folder, "zendavori_hr.ppc", hrFile);
    const char* indexName = kind == 0 ? "data\\zendavori_hr_idx.ppc"
                            : kind == 1 ? "data\\zendavori_hip_110k_idx.ppc"
                                        : "data\\zendavori_tycho_idx.ppc";
    scope.folder.Write(indexName, size > 0 ? data + 1 : data, size > 0 ? size - 1 : 0);
    preferences.word[kPrefCardCatalog] = kind == 1 ? 4 : 1;
    if (!SelectStellarCatalog(kind == 1 ? 10 : 0)) return 0;
    const int count = GetRecDbCount(stellarDb);
    for (int32_t number : {-1, 0, 1, 2, 41, 42, 43, 5000, 9114, 118020, 120999, 121000, 121001}) {
        UnpackedStar star;
        std::memset(&star, 0, sizeof star);
        int record = GetStarByCatalogNumber(number, &star);
        if (record >= count || (record >= 0 && star.id != static_cast<uint16_t>(number))) return 1;
    }
    for (uint32_t id : {1u, 42u, 100001u, 200041u, 4294967295u}) {
        UnpackedStar star;
        std::memset(&star, 0, sizeof star);
        if (GetTychoStar(id, &star) && star.id != static_cast<uint16_t>(id)) return 1;
    }
    return 0;
}

int RunMoonFeatures(const uint8_t* data, std::size_t size) {
    EntryScope scope;
    scope.folder.Write("data\\zendavori_moon.ppc", data, size);
    InstallMoonRecordReaders();
    if (!OpenRecordDb(&moonDb, "pl08", "ZDV1", "data\\", "zendavori_moon.ppc")) return 0;
    const int features = GetMoonRecordCount();
    for (int index : IndexesToRead(features)) {
        MoonFeatureRecord record;
        if (GetMoonRecord(index, &record) && !Terminated(record.name, sizeof record.name)) return 2;
    }
    BuildMoonFeatureIndex();
    int entries = 0;
    GetMoonFeatureIndex(&entries);
    for (int mode : {2, 0, 1}) SortMoonFeatureIndex(mode);
    for (int type = -1; type <= 13; ++type) {
        int count = 0;
        int first = FindMoonFeatureTypeRange(type, &count);
        if (first >= 0 && (count < 1 || first + count > entries)) return 1;
        if (first >= 0) {
            featureTypeRange = FeatureTypeRange{first, count};
            MoonFeatureRecord record;
            for (int i : {-1, 0, count - 1, count})
                if (GetMoonFeatureInRange(i, &record) && !Terminated(record.name, sizeof record.name)) return 2;
        }
    }
    visibleFeatureList.clear();
    for (int i = 0; i < features && i < kFirstRecords; ++i) visibleFeatureList.push_back(i);
    for (int mode : {0, 1, 2}) SortVisibleFeatureList(mode);
    return 0;
}

int RunMarsFeatures(const uint8_t* data, std::size_t size) {
    EntryScope scope;
    scope.folder.Write("data\\zendavori_mars.ppc", data, size);
    if (!OpenRecordDb(&marsDb, "pl09", "ZDV1", "data\\", "zendavori_mars.ppc")) return 0;
    const int count = GetMarsRecordCount();
    for (int index : IndexesToRead(count)) {
        MarsFeatureRecord record;
        if (GetMarsRecord(index, &record) && !Terminated(record.name, sizeof record.name)) return 2;
    }
    for (int group = -2; group <= 10; ++group) {
        int first = -1;
        int runLength = 0;
        if (FindMarsFeatureGroup(group, &first, &runLength) >= 0 && (first < 0 || first + runLength > count))
            return 1;
    }
    return 0;
}

int RunConstellationLines(const uint8_t* data, std::size_t size) {
    EntryScope scope;
    scope.folder.Write("data\\zendavori_constellation.ppc", data, size);
    for (int set : {0, 1, 0}) {
        LoadConstellationData(set);
        int count = 0;
        const ConstellationLine* lines = GetConstellationLines(&count);
        for (int i = 0; i < count; ++i) {
            if (lines[i].firstStar == 0 && lines[i].secondStar == 0) continue;  // a line the file lacked
            if (lines[i].firstStar < 0 || lines[i].firstStar >= kBrightStarCount || lines[i].secondStar < 0 ||
                lines[i].secondStar >= kBrightStarCount)
                return 1;
        }
    }
    return 0;
}

int RunEyepieces(const uint8_t* data, std::size_t size) {
    EntryScope scope;
    scope.folder.Write("data\\zendavori_eyepiece.ppc", data, size);
    const int count = CheckEyepieceDatabase();
    // Each eyepiece read opens the file again (as the program does), so fewer.
    for (int index : IndexesToRead(count, 16)) {
        for (std::size_t bufferSize : {std::size_t{48}, static_cast<std::size_t>(4 + (index & 7) * 4)}) {
            char text[48];
            std::memset(text, 0x55, sizeof text);
            uint32_t value = 0;
            float focalLength = 0;
            GetEyepieceRecord(index, &value, &focalLength, text, bufferSize);
            if (!Terminated(text, bufferSize)) return 1;
        }
    }
    return 0;
}

int RunSatelliteDatabase(const uint8_t* data, std::size_t size) {
    EntryScope scope;
    scope.folder.Write("data\\zendavori_satellites.ppc", data, size);
    if (!OpenRecordDb(&satelliteDb, "pl12", "ZDV1", "data\\", "zendavori_satellites.ppc")) return 0;
    for (int index : IndexesToRead(GetSatelliteCount())) {
        SatelliteRecord record;
        if (!GetSatelliteRecord(index, &record)) continue;
        for (const char* field : {record.nameLine, record.line1, record.line2}) {
            char line[kSatelliteLineSize];
            std::memset(line, 0x55, sizeof line);
            GetSatelliteLine(field, line);
            if (!Terminated(line, sizeof line)) return 1;
        }
    }
    return 0;
}
