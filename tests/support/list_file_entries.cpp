#include "support/list_file_entries.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "catalog/comet_satellite_db.h"
#include "catalog/databases.h"
#include "catalog/designations.h"
#include "catalog/memo.h"
#include "catalog/object_catalog.h"
#include "catalog/record_writer.h"
#include "catalog/selection_list.h"
#include "catalog/user_lists.h"
#include "core/julian_day.h"
#include "core/shared_state.h"
#include "support/fuzz_folder.h"
#include "support/object_file_fixture.h"
#include "support/recording_services.h"

namespace {

struct ListScope {
    ListScope() {
        ResetCatalogState();
        ResetSharedState();
        selectionClassFilter = 0;
    }
    ~ListScope() {
        FreeSelectionList();
        ResetCatalogState();
    }
    FuzzFolder folder;
    RecordingServices services;
};

// 1 when the list holds more entries than its allocation, 2 when a name is
// not terminated.
int CheckList() {
    if (selectionCount > GetSelectionListAllocated()) return 1;
    for (int i = 0; i < selectionCount; ++i)
        if (!std::memchr(selectionList[i].name, '\0', sizeof selectionList[i].name)) return 2;
    return 0;
}

// The records of the list's comet and asteroid entries, in list order.
std::vector<int> CometRecords() {
    std::vector<int> records;
    for (int i = 0; i < selectionCount; ++i)
        if (selectionList[i].designation == kDesignationComet) records.push_back(selectionList[i].number);
    return records;
}

// Whether two comet or asteroid entries hold one record.
bool CometRecordHeldTwice() {
    std::vector<int> records = CometRecords();
    std::erase(records, -1);
    std::sort(records.begin(), records.end());
    return std::adjacent_find(records.begin(), records.end()) != records.end();
}

// 4 when an imported entry's place is no place on the sky; 5 when the list
// exported and imported again holds another number of entries or other
// places than the export wrote (a planet's of the program's time; beyond the
// half second of the display format, the hours wrapping); 8 when two comet
// entries hold one record, or a comet entry comes back on another record.
int CheckMemoRoundTrip() {
    for (int i = 0; i < selectionCount; ++i)
        if (!IsSkyPlace(selectionList[i].rightAscension, selectionList[i].declination)) return 4;
    if (CometRecordHeldTwice()) return 8;
    const std::vector<int> comets = CometRecords();
    selectionShownCount = FilterSelectionByClass(0, selectionList, selectionCount);
    ExportListToMemo();
    const std::vector<SelectionEntry> imported(selectionList, selectionList + selectionCount);
    static char again[kMemoBufferSize];
    if (!ReadMemoFile("20240305_zendamemo_2107.txt", again, sizeof again)) return imported.empty() ? 0 : 5;
    if (ImportMemoText(again) != static_cast<int>(imported.size())) return 5;
    for (std::size_t i = 0; i < imported.size(); ++i) {
        const double hours = std::fabs(selectionList[i].rightAscension - imported[i].rightAscension);
        if (std::fmin(hours, 24.0 - hours) > 1.0 / 3600 ||
            std::fabs(selectionList[i].declination - imported[i].declination) > 1.0 / 3600)
            return 5;
    }
    return CometRecords() == comets ? 0 : 8;
}

using Bytes = std::vector<uint8_t>;

// A comet file of like names: two orbits of "C/2027 Z1", a name that continues it, one that merely
// begins alike, and two names alike in the 14 characters an entry keeps.
Bytes LikeNamedComets() {
    const char* const names[] = {"2P/Encke",   "C/2027 Z1", "C/2027 Z1",           "C/2027 Z1 (PanSTARRS)",
                                 "C/2027 Z10", "C/2030 A1", "C/2031 B1 (LINEAR-A)", "C/2031 B1 (LINEAR-B)"};
    std::vector<Bytes> records;
    for (int i = 0; i < 8; ++i) {
        CometRecord c{};
        c.kind = 13;
        std::strncpy(c.name, names[i], sizeof c.name - 1);
        c.year = 2024, c.month = 3, c.day = 1.0f + i;
        c.perihelionDistance = 1.1f, c.eccentricity = 0.8f, c.node = 40.0f * i, c.inclination = 10.0f + 5 * i;
        c.absoluteMagnitude = 5.0f, c.slope = 10.0f;
        records.push_back(record_writer::CometBytes(c));
    }
    return record_writer::RecordDbBytes(1, 128, records);
}

constexpr char kKeptLine[] = "User;1;Kept;GALXY; ;01:00:00;10:00:00;9.0;1;1;0\n";

// Whether a place field is a whole number (blanks around, an optional sign,
// digits) beyond the 32-bit range, judged on its decimal digits.
bool IsWholeBeyond32Bits(std::string field) {
    const std::size_t first = field.find_first_not_of(" \t"), last = field.find_last_not_of(" \t");
    if (first == std::string::npos) return false;
    field = field.substr(first, last - first + 1);
    const bool negative = field[0] == '-';
    if (field[0] == '-' || field[0] == '+') field.erase(0, 1);
    if (field.empty() || field.find_first_not_of("0123456789") != std::string::npos) return false;
    field.erase(0, std::min(field.find_first_not_of('0'), field.size() - 1));
    const std::string limit = negative ? "2147483648" : "2147483647";
    return field.size() > limit.size() || (field.size() == limit.size() && field > limit);
}

// 7 when the line at `text` (line ends before it skipped) has a place although
// its RA or Dec field is a whole number beyond 32 bits (it wrapped into one).
int CheckWholeNumberPlaces(const char* text, const ObjectRecord& record) {
    text += std::strspn(text, "\r\n");
    const std::string line(text, std::strcspn(text, "\r\n"));
    std::vector<std::string> fields(1);
    for (char c : line) {
        if (c == ';') fields.emplace_back();
        else fields.back().push_back(c);
    }
    const bool place = IsSkyPlace(record.rightAscension, record.declination);
    for (std::size_t k : {5u, 6u})
        if (place && k < fields.size() && IsWholeBeyond32Bits(fields[k])) return 7;
    return 0;
}

// Whether a list file holds an entry whose name field has no terminating zero.
bool HoldsUnterminatedName(const uint8_t* data, std::size_t size) {
    for (std::size_t at = kUserListHeaderSize; at + kSelectionEntrySize <= size; at += kSelectionEntrySize)
        if (!std::memchr(data + at, '\0', kSelectionNameSize)) return true;
    return false;
}

Bytes FileBytes(const FuzzFolder& folder, const std::string& name) {
    std::ifstream in(folder.path() / "userlists" / name, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

Bytes EntryBytes(const SelectionEntry& e) {
    Bytes bytes(kSelectionEntrySize);
    StoreSelectionEntry(e, bytes.data());
    return bytes;
}

}  // namespace

int RunUserLists(const uint8_t* data, std::size_t size) {
    ListScope scope;
    scope.folder.Write("userlists\\list.lst", data, size);
    scope.folder.Remove("userlists\\again.lst");
    scope.folder.Remove("userlists\\list.lst.bad");
    UserListHeader header;
    const bool headed = ReadUserListHeader("list.lst", &header) == kHeaderRead;
    if (headed && !std::memchr(header.name, '\0', sizeof header.name)) return 2;
    if (AllocSelectionList() != 1) return 0;
    LoadUserList("list.lst", 0);
    if (int failed = CheckList()) return failed;
    const Bytes input(data, data + size);
    if (headed && !IsCalendarDateTime(header.year, header.month, header.day, header.hour, header.minute) &&
        FileBytes(scope.folder, "list.lst.bad") != input)
        return 5;
    selectionShownCount = FilterSelectionByClass(0, selectionList, selectionCount);
    const std::vector<SelectionEntry> loaded(selectionList, selectionList + selectionCount);
    SaveUserList("again");
    LoadUserList("again.lst", 0);
    if (int failed = CheckList()) return failed;
    if (selectionCount != static_cast<int>(loaded.size())) return 3;
    for (int i = 0; i < selectionCount; ++i) {
        uint8_t before[kSelectionEntrySize];
        uint8_t after[kSelectionEntrySize];
        StoreSelectionEntry(loaded[i], before);
        StoreSelectionEntry(selectionList[i], after);
        if (std::memcmp(before, after, sizeof before) != 0) return 3;
    }
    // The file saved over comes after its copy when a name in it had no terminating zero.
    SaveUserList("list");
    if (HoldsUnterminatedName(data, size) && FileBytes(scope.folder, "list.lst") != input &&
        FileBytes(scope.folder, "list.lst.bad") != input)
        return 4;
    return 0;
}

int RunMemos(const uint8_t* data, std::size_t size) {
    ListScope scope;
    static const record_writer::Bytes objects = [] {
        std::vector<record_writer::Bytes> records;
        for (const ObjectRecord& o : fixture::SharedObjectRecords()) records.push_back(record_writer::ObjectBytes(o));
        return record_writer::RecordDbBytes(26, 64, records);
    }();
    scope.folder.WriteOnce("data\\zendavori_obj_1k.ppc", objects);
    static const record_writer::Bytes comets = LikeNamedComets();
    scope.folder.WriteOnce("data\\zendavori_comet.ppc", comets);
    scope.folder.Write("userlists\\memo.txt", data, size);
    scope.folder.Remove("userlists\\20240305_zendamemo_2107.txt");
    if (!OpenRecordDb(&objectDb, "pl00", "ZDV1", "data\\", "zendavori_obj_1k.ppc")) return 0;
    if (!OpenRecordDb(&cometDb, "pl11", "ZDV1", "data\\", "zendavori_comet.ppc")) return 0;
    UseObjectFileRanges(false);
    currentDateTime = DateTime{2024, 3, 5, 21, 7, 0};
    static char text[kMemoBufferSize];
    bool cut = false;
    if (!ReadMemoFile("memo.txt", text, sizeof text, &cut)) return 0;
    const std::size_t length = std::strlen(text);
    for (std::size_t at = 0; at < length;) {
        ObjectRecord record;
        int consumed = ParseListLine(text + at, &record);
        if (consumed < 0) break;
        if (consumed == 0 || at + static_cast<std::size_t>(consumed) > length + 1) return 3;
        if (!std::memchr(record.name, '\0', sizeof record.name)) return 2;
        if (int failed = CheckWholeNumberPlaces(text + at, record)) return failed;
        at += static_cast<std::size_t>(consumed);
    }
    // A text that gives no entry leaves the list as it was.
    if (ImportMemoText(kKeptLine) != 1) return 6;
    const Bytes kept = EntryBytes(selectionList[0]);
    if (ImportMemoFileText("memo.txt", text, cut) == 0 && (selectionCount != 1 || EntryBytes(selectionList[0]) != kept))
        return 6;
    if (int failed = CheckList()) return failed;
    return CheckMemoRoundTrip();
}
