#include "catalog/user_lists.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "catalog/databases.h"
#include "catalog/designations.h"
#include "catalog/object_catalog.h"
#include "catalog/record_db.h"
#include "catalog/selection_list.h"
#include "core/kept_file.h"
#include "core/preferences.h"
#include "core/program_hooks.h"
#include "core/services.h"
#include "core/shared_state.h"
#include "platform/files.h"

namespace {

constexpr char kListFolder[] = "userlists\\";

std::string ListPath(const char* fileName) { return std::string(kListFolder) + fileName; }

// The header of the list in memory, named `listName` (cut to 39 characters).
void BuildHeader(const char* listName, int count, uint8_t* header) {
    std::memset(header, 0, kUserListHeaderSize);
    std::strncpy(reinterpret_cast<char*>(header + 4), listName, kUserListNameField - 1);
    const int16_t date[] = {selectionCriteria.year, selectionCriteria.month, selectionCriteria.day,
                            selectionCriteria.hour, selectionCriteria.minute};
    for (int k = 0; k < 5; ++k) StoreU32(header, 44 + 4 * k, static_cast<uint32_t>(static_cast<int32_t>(date[k])));
    StoreU32(header, 64, static_cast<uint32_t>(count));
}

// Writes header and entries to an open file; false with its message.
bool WriteList(std::FILE* file, const uint8_t* header, int count) {
    if (std::fwrite(header, 1, kUserListHeaderSize, file) != static_cast<std::size_t>(kUserListHeaderSize)) {
        ShowInformation("Can't write header.", "");
        return false;
    }
    std::vector<uint8_t> entries(static_cast<std::size_t>(count) * kSelectionEntrySize);
    for (int i = 0; i < count; ++i) StoreSelectionEntry(selectionList[i], &entries[i * kSelectionEntrySize]);
    if (std::fwrite(entries.data(), 1, entries.size(), file) != entries.size()) {
        ShowInformation("Can't write data.", "");
        return false;
    }
    return true;
}

void RebuildListView() {
    InvalidateHorizonProjection();
    selectionShownCount = FilterSelectionByClass(selectionClassFilter, selectionList, selectionCount);
}

// Catalogue mode: the name becomes the user catalogue, which is opened again.
void UseUserCatalog(const char* fileName) {
    if (std::strlen(fileName) >= static_cast<std::size_t>(kUserCatalogNameSize)) {
        ShowInformation("Invalid list name.", "");
        return;
    }
    char* name = reinterpret_cast<char*>(&preferences.word[kPrefUserCatalogName]);
    std::memset(name, 0, kUserCatalogNameSize);
    std::memcpy(name, fileName, std::strlen(fileName));
    CloseUserCatalog();
    OpenUserCatalog();
    RebuildListView();
}

void DecodeHeader(const uint8_t* bytes, UserListHeader* header) {
    LoadText(bytes, 4, kUserListNameField, header->name, sizeof header->name);
    header->year = LoadI32(bytes, 44);
    header->month = LoadI32(bytes, 48);
    header->day = LoadI32(bytes, 52);
    header->hour = LoadI32(bytes, 56);
    header->minute = LoadI32(bytes, 60);
    header->count = LoadI32(bytes, 64);
}

// An entry no search or form makes: a designation or object type outside its
// table, or a place that is no place on the sky. A list file carries no magic
// number, so this is how garbage is told from a list.
bool IsDamagedEntry(const SelectionEntry& e) {
    return e.designation < 0 || e.designation >= kDesignationCount || e.objectType < 0 ||
           e.objectType >= kObjectTypeCount || !IsSkyPlace(e.rightAscension, e.declination);
}

struct ReadCounts {
    int whole = 0;  // whole entries read from the file
    int kept = 0;   // of which put in the list
};

// Reads up to n entries into the list, leaving out the damaged ones.
ReadCounts ReadEntries(std::FILE* file, int n) {
    std::vector<uint8_t> bytes(static_cast<std::size_t>(n) * kSelectionEntrySize);
    ReadCounts counts;
    counts.whole = static_cast<int>(std::fread(bytes.data(), 1, bytes.size(), file) / kSelectionEntrySize);
    for (int i = 0; i < counts.whole; ++i) {
        SelectionEntry entry;
        LoadSelectionEntry(&bytes[i * kSelectionEntrySize], &entry);
        if (!IsDamagedEntry(entry)) selectionList[counts.kept++] = entry;
    }
    return counts;
}

// Entries of the file after the first `read`, up to the header's count.
long EntriesLeft(std::FILE* file, int32_t count, int read) {
    if (std::fseek(file, 0, SEEK_END) != 0) return 0;
    const long end = std::ftell(file);
    const long inFile = (end - kUserListHeaderSize) / kSelectionEntrySize;
    return (inFile < count ? inFile : count) - read;
}

// The list as the last load left it: the file, the entries without the words
// the chart rewrites at every drawing and pick (projection, screen place,
// hidden flag, the selection's mark) and those that move a planet or comet to the chart's time (place, magnitude,
// distance, constellation, size), and whether the file holds entries that the
// list left out.
struct LoadedList {
    std::string file;
    std::vector<uint8_t> entries;
    bool cut = false;
};
LoadedList loaded;

void ForgetMovedWords(SelectionEntry& e) {
    if (!IsPlaceOfDate(e.designation)) return;
    e.rightAscension = e.declination = e.distance = 0.0f;
    e.mag10 = 0;
    e.constellation = e.size1 = e.size2 = 0;
}

std::vector<uint8_t> ListIdentity() {
    std::vector<uint8_t> bytes(static_cast<std::size_t>(selectionCount) * kSelectionEntrySize);
    for (int i = 0; i < selectionCount; ++i) {
        SelectionEntry entry = selectionList[i];
        entry.chartX = entry.chartY = entry.chartZ = entry.screenX = entry.screenY = 0;
        entry.horizonHidden = entry.alwaysShow = 0;
        ForgetMovedWords(entry);
        StoreSelectionEntry(entry, &bytes[i * kSelectionEntrySize]);
    }
    return bytes;
}

void ShowCountMessage(const char* format, long count, const char* name = "") {
    char text[200];
    std::snprintf(text, sizeof text, format, static_cast<int>(count), name);
    ShowInformation(text, "");
}

}  // namespace

bool IsValidListName(const char* name) {
    if (!name || name[0] == '\0') return false;
    for (const char* c = name; *c; ++c)
        if (static_cast<unsigned char>(*c) < 0x20 || std::strchr("/\\<>:\"|?*", *c)) return false;
    return std::strstr(name, "..") == nullptr;
}

void SaveUserList(const char* listName) {
    int count = selectionCount < GetSelectionListAllocated() ? selectionCount : GetSelectionListAllocated();
    if (count < 1) return;
    if (!IsValidListName(listName)) {
        ShowInformation("Invalid list name.", "");
        return;
    }
    std::string path = ListPath(listName) + ".lst";
    std::string temporary = path + ".tmp";
    std::FILE* file = OpenKeptTemporary(temporary.c_str(), "wb");
    if (!file) return;
    uint8_t header[kUserListHeaderSize];
    BuildHeader(listName, count, header);
    const bool written = WriteList(file, header, count);
    // A failed write has said which; a failure after it is one of the data.
    if (!CommitKeptFile(file, temporary.c_str(), path.c_str(), written) && written)
        ShowInformation("Can't write data.", "");
}

void LoadUserList(const char* fileName, int asCatalog) {
    if (!IsValidListName(fileName)) {
        ShowInformation("Invalid list name.", "");
        return;
    }
    if (asCatalog) {
        UseUserCatalog(fileName);
        return;
    }
    if (!selectionList) return;
    std::FILE* file = pl::OpenFile(ListPath(fileName), "rb");
    if (!file) return;
    uint8_t bytes[kUserListHeaderSize];
    UserListHeader header;
    bool headerRead = std::fread(bytes, 1, sizeof bytes, file) == sizeof bytes;
    if (headerRead) DecodeHeader(bytes, &header);
    if (!headerRead || header.count < 0) {
        ShowInformation("Can't read header.", "");
        std::fclose(file);
        return;
    }
    int n = header.count;
    const int capacity = GetSelectionListAllocated();
    if (n >= capacity) n = capacity - 1;
    selectionCriteria.year = static_cast<int16_t>(header.year);
    selectionCriteria.month = static_cast<int16_t>(header.month);
    selectionCriteria.day = static_cast<int16_t>(header.day);
    selectionCriteria.hour = static_cast<int16_t>(header.hour);
    selectionCriteria.minute = static_cast<int16_t>(header.minute);
    selectionCurrentRow = 0;
    const ReadCounts read = ReadEntries(file, n);
    selectionCount = read.kept;
    const long left = read.whole < n ? 0 : EntriesLeft(file, header.count, n);
    if (read.whole < n) ShowInformation("Can't read data.", "");
    if (left > 0)
        ShowCountMessage("%d entries of %s could not be loaded; raise Max Selected items to see them.", left, fileName);
    if (read.whole > read.kept) ShowCountMessage("%d damaged entries were skipped.", read.whole - read.kept);
    selectionList[selectionCount].number = -1;
    ++selectionListChanges;
    std::fclose(file);
    RebuildListView();
    loaded = LoadedList{fileName, ListIdentity(), left > 0};
}

bool IsCutListUnchanged(const char* fileName) {
    return loaded.cut && loaded.file == fileName && selectionList && ListIdentity() == loaded.entries;
}

void CarryListToNewCapacity() {
    const bool unchanged = !loaded.file.empty() && selectionList && ListIdentity() == loaded.entries;
    int leftOut = 0;
    if (!ReallocSelectionList(&leftOut) || leftOut == 0) return;
    if (unchanged) loaded = LoadedList{loaded.file, ListIdentity(), true};
    ShowCountMessage("%d entries did not fit in the list and were left out.", leftOut);
}

UserListHeaderResult ReadUserListHeader(const char* fileName, UserListHeader* header) {
    if (!IsValidListName(fileName)) return kHeaderNoFile;
    std::FILE* file = pl::OpenFile(ListPath(fileName), "rb");
    if (!file) return kHeaderNoFile;
    uint8_t bytes[kUserListHeaderSize];
    bool read = std::fread(bytes, 1, sizeof bytes, file) == sizeof bytes;
    std::fclose(file);
    if (!read) return kHeaderShort;
    DecodeHeader(bytes, header);
    return kHeaderRead;
}
