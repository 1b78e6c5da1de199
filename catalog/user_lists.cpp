#include "catalog/user_lists.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "catalog/databases.h"
#include "catalog/designations.h"
#include "catalog/listed_comets.h"
#include "catalog/object_catalog.h"
#include "catalog/record_db.h"
#include "catalog/selection_list.h"
#include "core/julian_day.h"
#include "core/kept_file.h"
#include "core/list_date.h"
#include "core/preferences.h"
#include "core/program_hooks.h"
#include "core/services.h"
#include "core/shared_state.h"
#include "platform/files.h"

namespace {

constexpr char kListFolder[] = "userlists\\";
// The largest list file that is copied aside (it is read whole into memory).
constexpr std::size_t kLargestCopiedList = std::size_t{1} << 24;
// Older copies of damaged lists: "<name>.lst_2.bad" up to this number.
constexpr int kMostDamagedCopies = 99;

std::string ListPath(const std::string& fileName) { return kListFolder + fileName; }

// The header of the list in memory, named `listName` (cut to 39 characters).
void BuildHeader(const char* listName, int count, uint8_t* header) {
    std::memset(header, 0, kUserListHeaderSize);
    std::strncpy(reinterpret_cast<char*>(header + 4), listName, kUserListNameField - 1);
    const int16_t date[] = {selectionCriteria.year, selectionCriteria.month, selectionCriteria.day,
                            selectionCriteria.hour, selectionCriteria.minute};
    for (int k = 0; k < 5; ++k) StoreU32(header, 44 + 4 * k, static_cast<uint32_t>(static_cast<int32_t>(date[k])));
    StoreU32(header, 64, static_cast<uint32_t>(count));
}

// Writes header and entries to an open file; false when a write fails.
bool WriteList(std::FILE* file, const uint8_t* header, int count) {
    if (std::fwrite(header, 1, kUserListHeaderSize, file) != static_cast<std::size_t>(kUserListHeaderSize))
        return false;
    std::vector<uint8_t> entries(static_cast<std::size_t>(count) * kSelectionEntrySize);
    for (int i = 0; i < count; ++i) StoreSelectionEntry(selectionList[i], &entries[i * kSelectionEntrySize]);
    return std::fwrite(entries.data(), 1, entries.size(), file) == entries.size();
}

// Writes the first `count` entries as "userlists\<fileName>" through a
// temporary file; false when it cannot be created or written.
bool WriteListFile(const std::string& fileName, const char* listName, int count) {
    const std::string path = ListPath(fileName), temporary = path + ".tmp";
    std::FILE* file = OpenKeptTemporary(temporary.c_str(), "wb");
    if (!file) return false;
    uint8_t header[kUserListHeaderSize];
    BuildHeader(listName, count, header);
    const bool written = WriteList(file, header, count);
    return CommitKeptFile(file, temporary.c_str(), path.c_str(), written);
}

void RebuildListView() {
    InvalidateHorizonProjection();
    RebuildSelectionByClass();
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
    int whole = 0;         // whole entries read from the file
    int kept = 0;          // of which put in the list
    int unterminated = 0;  // of which with a name that had no terminating zero
};

// Reads up to n entries into the list, leaving out the damaged ones.
ReadCounts ReadEntries(std::FILE* file, int n) {
    std::vector<uint8_t> bytes(static_cast<std::size_t>(n) * kSelectionEntrySize);
    ReadCounts counts;
    counts.whole = static_cast<int>(std::fread(bytes.data(), 1, bytes.size(), file) / kSelectionEntrySize);
    for (int i = 0; i < counts.whole; ++i) {
        SelectionEntry entry;
        if (!LoadSelectionEntry(&bytes[i * kSelectionEntrySize], &entry)) ++counts.unterminated;
        if (!IsDamagedEntry(entry)) selectionList[counts.kept++] = entry;
    }
    return counts;
}

// The whole entries after the header of an open list file, and whether the
// file is its header and as many entries as that counts, nothing more.
struct ListFileShape {
    int64_t entries = 0;
    bool whole = false;
};

ListFileShape ShapeOf(std::FILE* file, int32_t count) {
    constexpr int64_t kEntrySize = kSelectionEntrySize;
    const int64_t size = pl::FileSize(file);
    ListFileShape shape;
    if (size >= kUserListHeaderSize) shape.entries = (size - kUserListHeaderSize) / kEntrySize;
    shape.whole = count >= 0 && size == kUserListHeaderSize + count * kEntrySize;
    return shape;
}

// Copies list file `fileName` byte for byte to "<fileName>.bad" through a
// temporary file. A copy of the same bytes already there is the copy; an
// older copy of other bytes is first renamed to the first free
// "<fileName>_2.bad", "<fileName>_3.bad" ... so that no copy is lost. False
// when the copy could not be made.
bool CopyDamagedList(const std::string& fileName) {
    std::vector<uint8_t> bytes, older;
    if (!ReadKeptFile(ListPath(fileName).c_str(), kLargestCopiedList, &bytes) || bytes.size() > kLargestCopiedList)
        return false;
    const std::string copy = fileName + ".bad";
    if (ReadKeptFile(ListPath(copy).c_str(), bytes.size(), &older)) {
        if (older == bytes) return true;
        const std::string aside = FirstFreeNumberedName(kListFolder, copy, kMostDamagedCopies);
        if (aside.empty() || pl::RenameToNewName(ListPath(copy), ListPath(aside)) != pl::NewNameResult::kRenamed)
            return false;
    }
    return ReplaceKeptFile(ListPath(copy).c_str(), (ListPath(copy) + ".tmp").c_str(), bytes);
}

// Whether the open list file holds, from where it is read on, an entry that a
// load leaves out as damaged or whose name has no terminating zero (a save
// would write it back otherwise).
bool HoldsDamagedEntry(std::FILE* file) {
    uint8_t bytes[kSelectionEntrySize];
    SelectionEntry entry;
    while (std::fread(bytes, 1, sizeof bytes, file) == sizeof bytes)
        if (!LoadSelectionEntry(bytes, &entry) || IsDamagedEntry(entry)) return true;
    return false;
}

// Whether the header's date words make a date and time (IsCalendarDateTime).
bool HoldsListDate(const uint8_t* header) {
    UserListHeader h;
    DecodeHeader(header, &h);
    return IsCalendarDateTime(h.year, h.month, h.day, h.hour, h.minute);
}

// Whether list file `fileName` may be replaced: it is missing, shorter than a
// header, whole with a date and no damaged entry and no entry the list left out for want
// of room (`leftOut`), or copied aside (the copy is made now when it is
// missing).
bool MayReplaceListFile(const std::string& fileName, bool leftOut) {
    std::FILE* file = pl::OpenFile(ListPath(fileName), "rb");
    if (!file) return true;
    uint8_t header[kUserListHeaderSize];
    const bool read = std::fread(header, 1, sizeof header, file) == sizeof header;
    const bool whole =
        !read || (HoldsListDate(header) && ShapeOf(file, LoadI32(header, 64)).whole && !HoldsDamagedEntry(file));
    std::fclose(file);
    return (whole && !leftOut) || CopyDamagedList(fileName);
}

// The list as the last load left it: the file, the entries without the words
// the chart rewrites at every drawing and pick (projection, screen place,
// hidden flag, the pick's mark), those that move a planet or comet to the
// chart's time (place, magnitude, distance, constellation, size) and a comet's
// record number, and whether the file holds entries that the list left out.
struct LoadedList {
    std::string file;
    std::vector<uint8_t> entries;
    bool cut = false;
};
LoadedList loaded;

// Whether two list file names name one file as the program finds it (a name
// not there as written is looked up without regard to case): "obs.lst" is
// the "Obs.lst" that was loaded.
bool IsLoadedFile(const std::string& fileName) {
    return !loaded.file.empty() && pl::HostPath(ListPath(loaded.file)) == pl::HostPath(ListPath(fileName));
}

void ForgetMovedWords(SelectionEntry& e) {
    if (!IsPlaceOfDate(e.designation)) return;
    // A comet entry is its name: its record number follows the comet file (MatchListedComets).
    if (e.designation == kDesignationComet) e.number = e.sourceIndex = 0;
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

// Shows `format` with the count and the file name for each of its "%s".
void ShowCountMessage(const char* format, long count, const char* name = "") {
    char text[200];
    std::snprintf(text, sizeof text, format, static_cast<int>(count), name, name);
    ShowInformation(text, "");
}

// The file's date into the criteria, a time of the list's own only when after the device clock;
// false for date words that make no date and time (the criteria take the program's time).
bool RestoreListDate(const UserListHeader& header) {
    return TakeListDate(header.year, header.month, header.day, header.hour, header.minute);
}

// Tells how a load went: a file that is not whole is copied aside first (one
// message of what was read, or of the copy that failed); a whole file tells a
// failed read or the entries beyond the list's room. Damaged entries are
// told apart.
void TellListRead(const char* fileName, bool whole, const ReadCounts& read, int asked, int64_t left) {
    if (!whole) {
        if (CopyDamagedList(fileName))
            ShowCountMessage("%d entries of %s were read; the file is kept as %s.bad.", read.kept, fileName);
        else
            ShowInformation("Can't save list:", std::string(fileName) + ".bad");
    } else if (read.whole < asked) {
        ShowInformation("Can't read data.", "");
    } else if (left > 0) {
        ShowCountMessage("%d entries of %s could not be loaded; raise Max Selected items to see them.", left, fileName);
    }
    if (read.whole > read.kept) ShowCountMessage("%d damaged entries were skipped.", read.whole - read.kept);
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
    const std::string fileName = std::string(listName) + ".lst";
    const bool loadedFile = IsLoadedFile(fileName);
    if (!MayReplaceListFile(fileName, loadedFile && loaded.cut) || !WriteListFile(fileName, listName, count)) {
        ShowInformation("Can't save list:", fileName);
        return;
    }
    // The file now holds the list as it is: nothing of it is left out any more.
    if (loadedFile) loaded = LoadedList{fileName, ListIdentity(), false};
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
    if (std::fread(bytes, 1, sizeof bytes, file) != sizeof bytes) {
        ShowInformation("Can't read header.", "");
        std::fclose(file);
        return;
    }
    UserListHeader header;
    DecodeHeader(bytes, &header);
    const ListFileShape shape = ShapeOf(file, header.count);
    const int n = static_cast<int>(std::min<int64_t>(shape.entries, GetSelectionListAllocated() - 1));
    const bool dated = RestoreListDate(header);
    const ReadCounts read = ReadEntries(file, n);
    std::fclose(file);
    selectionCount = read.kept;
    const int64_t left = shape.entries - read.whole;
    // A name without its terminating zero is read cut, damaged date words are not kept: either way the
    // file is not read as it is.
    TellListRead(fileName, shape.whole && read.unterminated == 0 && dated, read, n, left);
    selectionList[selectionCount].number = -1;
    ++selectionListChanges;
    MatchListedComets();
    SetCurrentSelectionEntry(-1);  // no entry of the list before is carried into the new one
    RebuildListView();
    // The new list's first row; its first entry, held until a view shows it, when no row shows.
    if (selectionShownCount > 0) SetCurrentSelectionRow(0);
    else SetCurrentSelectionEntry(0);
    loaded = LoadedList{fileName, ListIdentity(), left > 0};
}

bool IsCutListUnchanged(const char* fileName) {
    return loaded.cut && IsLoadedFile(fileName) && selectionList && ListIdentity() == loaded.entries;
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
