// User list files: saving and loading the observing list, catalogue mode.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>

#include "catalog/designations.h"
#include "catalog/selection_list.h"
#include "catalog/user_lists.h"
#include "catalog_test.h"
#include "chart/chart_state.h"
#include "platform/files.h"

namespace {

class UserListTest : public CatalogTest {
protected:
    void SetUp() override {
        CatalogTest::SetUp();
        ASSERT_TRUE(pl::MakeDirectory("userlists"));
        selectionClassFilter = 0;
        ASSERT_EQ(AllocSelectionList(), 1);  // 30 entries: 25 items + 5, no bright-star names
        selectionCriteria.year = 2024;
        selectionCriteria.month = 3;
        selectionCriteria.day = 5;
        selectionCriteria.hour = 21;
        selectionCriteria.minute = 45;
    }
    void TearDown() override {
        pl::FailWritesAfter(-1);
        FreeSelectionList();
        CatalogTest::TearDown();
    }
    // n entries with every byte of the record in use (chart words, codes above
    // 127), objects of type 16 and 30 in turn, their catalogues and places in
    // range.
    void FillList(int n) {
        for (int i = 0; i < n; ++i) {
            Bytes b(kSelectionEntrySize);
            for (std::size_t k = 0; k < b.size(); ++k) b[k] = static_cast<uint8_t>(0x81 + 3 * i + 5 * k);
            LoadSelectionEntry(b.data(), &selectionList[i]);
            SelectionEntry& e = selectionList[i];
            std::snprintf(e.name, sizeof e.name, "Entry %d", i % 100);
            e.number = 1000 + i;
            e.objectType = static_cast<int16_t>(i % 2 ? 30 : 16);
            e.designation = static_cast<int16_t>(i % kDesignationCount);
            e.rightAscension = 23.999f - 0.5f * static_cast<float>(i);
            e.declination = -89.5f + i;
            e.distance = 1.0e30f;
        }
        selectionCount = n;
    }
    Bytes EntryBytes(int count) const {
        Bytes b(static_cast<std::size_t>(count) * kSelectionEntrySize);
        for (int i = 0; i < count; ++i) StoreSelectionEntry(selectionList[i], &b[i * kSelectionEntrySize]);
        return b;
    }
    std::string HostFile(const std::string& name) const { return folder.root() + "/userlists/" + name; }
    Bytes FileBytes(const std::string& name) const {
        std::ifstream in(HostFile(name), std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(in), {});
    }
    // A list file of `count` declared entries followed by `entryBytes` bytes of entries.
    void WriteListFile(const std::string& name, int32_t count, const Bytes& entryBytes,
                       const std::string& header = "Stored") {
        fixture::ByteWriter w;
        w.U32(0).Text(header, 40).U32(1999).U32(12).U32(31).U32(23).U32(59).U32(static_cast<uint32_t>(count));
        Bytes file = w.bytes();
        file.insert(file.end(), entryBytes.begin(), entryBytes.end());
        folder.WriteRaw("userlists\\" + name, file);
    }
};

// Acceptance: the file is 68 + 76 x count bytes and the entries come back
// byte-identical, with the list's date (negative words sign-extended as they
// are written); the program's own date is not changed.
TEST_F(UserListTest, SavedListLoadsBackByteIdentical) {
    FillList(7);
    Bytes before = EntryBytes(7);
    selectionCriteria.day = -5;
    SaveUserList("Signed");
    EXPECT_EQ(LoadI32(FileBytes("Signed.lst").data(), 52), -5);
    selectionCriteria.day = 5;
    SaveUserList("My list");
    Bytes file = FileBytes("My list.lst");
    ASSERT_EQ(file.size(), 68u + 76u * 7u);
    EXPECT_EQ(Bytes(file.begin() + 68, file.end()), before);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&file[4])), "My list");
    EXPECT_EQ(LoadU32(file.data(), 0), 0u);
    const int32_t date[] = {2024, 3, 5, 21, 45, 7};  // the date words and the count
    for (int k = 0; k < 6; ++k) EXPECT_EQ(LoadI32(file.data(), 44 + 4 * k), date[k]);
    EXPECT_FALSE(std::filesystem::exists(HostFile("My list.lst.tmp")));

    ASSERT_EQ(AllocSelectionList(), 1);
    selectionCriteria = SelectionCriteria{};
    currentDateTime = DateTime{2030, 1, 1, 0, 0, 0};
    chartTimeRecord.horizonProjectionReady = 1;
    LoadUserList("My list.lst", 0);
    EXPECT_EQ(EntryBytes(7), before);
    EXPECT_EQ(std::make_tuple(selectionCount, selectionList[7].number, selectionShownCount, selectionCurrentRow,
                              chartTimeRecord.horizonProjectionReady),
              std::make_tuple(7, -1, 7, 0, 0));
    EXPECT_EQ(std::make_tuple(selectionCriteria.year, selectionCriteria.minute, currentDateTime.year),
              std::make_tuple(2024, 45, 2030));
    EXPECT_TRUE(services.messages.empty());
}

// An empty list writes nothing and keeps the old file; a save replaces a list of the same name.
TEST_F(UserListTest, EmptyListWritesNothingAndASaveReplacesTheOldList) {
    WriteListFile("last_list.lst", 0, {});
    Bytes old = FileBytes("last_list.lst");
    selectionCount = 0;
    SaveUserList("last_list");
    EXPECT_EQ(FileBytes("last_list.lst"), old);
    SaveUserList("new");
    EXPECT_FALSE(std::filesystem::exists(HostFile("new.lst")));
    FillList(3);
    SaveUserList("last_list");
    FillList(2);
    SaveUserList("last_list");
    EXPECT_EQ(FileBytes("last_list.lst").size(), 68u + 2u * 76u);
    EXPECT_EQ(pl::ListDirectory("userlists\\*.*"), Texts{"last_list.lst"});
}

// Acceptance: a save that fails half-way must not destroy the list it replaces.
TEST_F(UserListTest, FailedSaveLeavesTheOldListIntact) {
    FillList(4);
    SaveUserList("last_list");
    Bytes old = FileBytes("last_list.lst");
    FillList(6);
    pl::FailWritesAfter(kUserListHeaderSize + 10);  // the header is written, the entries fail
    SaveUserList("last_list");
    EXPECT_EQ(TakeMessages(), Texts{"Can't save list:|last_list.lst"});
    EXPECT_EQ(FileBytes("last_list.lst"), old);
    pl::FailWritesAfter(10);
    SaveUserList("last_list");
    EXPECT_EQ(TakeMessages(), Texts{"Can't save list:|last_list.lst"});
    EXPECT_EQ(FileBytes("last_list.lst"), old);
    EXPECT_EQ(pl::ListDirectory("userlists\\*.*"), Texts{"last_list.lst"});
}

// Names leaving the folder, and names the device's file system refused (the
// list manager's untouched "<New list name>" used to be saved).
TEST_F(UserListTest, NamesLeavingTheFolderOrRefusedByTheDeviceAreRefused) {
    FillList(1);
    for (const char* name : {"../outside", "a/b", "a\\b", "..", "", "<New list name>", "a:b", "a?b", "a*", "a\"b",
                             "a|b", "tab\t"}) {
        SaveUserList(name);
        LoadUserList(name, 0);
        LoadUserList(name, 1);
        EXPECT_EQ(TakeTexts(), Texts(3, "Invalid list name.")) << name;
    }
    EXPECT_FALSE(std::filesystem::exists(folder.root() + "/outside.lst"));
    EXPECT_TRUE(pl::ListDirectory("userlists\\*.*").empty());
    EXPECT_EQ(selectionCount, 1);
    EXPECT_TRUE(IsValidListName("last_list.lst"));
}

// A missing file or a short header leave the list unchanged.
TEST_F(UserListTest, MissingOrDamagedHeaderLeavesTheListUnchanged) {
    FillList(2);
    Bytes before = EntryBytes(2);
    LoadUserList("missing.lst", 0);
    EXPECT_TRUE(services.messages.empty());
    folder.WriteRaw("userlists\\short.lst", Bytes(67, 0));
    LoadUserList("short.lst", 0);
    EXPECT_EQ(services.Texts(), Texts{"Can't read header."});
    EXPECT_EQ(selectionCount, 2);
    EXPECT_EQ(EntryBytes(2), before);
    EXPECT_EQ(selectionCriteria.year, 2024);
}

// A file shorter or longer than its count keeps the whole entries that fit, ends the list, shows it and
// is copied aside, an older copy kept as "_2"; a count reaching the capacity keeps one slot for the end mark.
TEST_F(UserListTest, ShortOrOverlongFileKeepsTheWholeEntriesThatFit) {
    FillList(30);
    Bytes entries = EntryBytes(30);
    WriteListFile("full.lst", 5, Bytes(entries.begin(), entries.begin() + 76 * 2 + 30));
    LoadUserList("full.lst", 0);
    EXPECT_EQ(TakeTexts(), Texts{"2 entries of full.lst were read; the file is kept as full.lst.bad."});
    EXPECT_EQ(std::make_tuple(selectionCount, selectionList[2].number, selectionShownCount, selectionCriteria.year),
              std::make_tuple(2, -1, 2, 1999));
    const Bytes older = FileBytes("full.lst");
    // The one entry of the 30 in the file that did not fit is told of, or the
    // 29 read when the header counts more than the file holds.
    for (int32_t count : {30, 2000000000}) {
        WriteListFile("full.lst", count, entries);
        LoadUserList("full.lst", 0);
        EXPECT_EQ(std::make_tuple(selectionCount, selectionList[29].number), std::make_tuple(29, -1)) << count;
        const char* told = count == 30 ? "1 entries of full.lst could not be loaded; raise Max Selected items to see them."
                                       : "29 entries of full.lst were read; the file is kept as full.lst.bad.";
        EXPECT_EQ(TakeTexts(), Texts{told}) << count;
    }
    EXPECT_EQ(std::make_pair(FileBytes("full.lst.bad"), FileBytes("full.lst_2.bad")),
              std::make_pair(FileBytes("full.lst"), older));
}

// A list that did not read whole is not saved over while its copy cannot be made.
TEST_F(UserListTest, ListNotReadWholeIsNotReplacedWithoutItsCopy) {
    FillList(3);
    WriteListFile("x.lst", -1, EntryBytes(3));
    const Bytes damaged = FileBytes("x.lst");
    std::filesystem::create_directory(HostFile("x.lst.bad.tmp"));
    LoadUserList("x.lst", 0);
    SaveUserList("x");
    EXPECT_EQ(TakeMessages(), (Texts{"Can't save list:|x.lst.bad", "Can't save list:|x.lst"}));
    EXPECT_EQ(FileBytes("x.lst"), damaged);
}

// A file whose date words make no date and time (a month 13) is not read whole: a save over it, not
// loaded, first copies it aside.
TEST_F(UserListTest, FileWhoseDateIsNoDateIsCopiedAsideBeforeASave) {
    FillList(2);
    WriteListFile("undated.lst", 2, EntryBytes(2));
    Bytes file = FileBytes("undated.lst");
    StoreU32(file.data(), 48, 13);
    folder.WriteRaw("userlists\\undated.lst", file);
    SaveUserList("undated");
    EXPECT_EQ(FileBytes("undated.lst.bad"), file);
    EXPECT_EQ(FileBytes("undated.lst").size(), std::size_t{68 + 2 * 76});
    EXPECT_TRUE(services.messages.empty());
}

TEST_F(UserListTest, LoadedListIsShownUnderTheClassFilter) {
    FillList(4);  // types 16, 30, 16, 30
    SaveUserList("filtered");
    selectionClassFilter = 1;  // stars
    LoadUserList("filtered.lst", 0);
    EXPECT_EQ(std::make_tuple(selectionCount, selectionShownCount, selectionListIndex[0], selectionListIndex[1]),
              std::make_tuple(4, 2, 1, 3));
}

TEST_F(UserListTest, CatalogueModeChangesOnlyTheUserCatalogue) {
    FillList(2);
    Bytes before = EntryBytes(2);
    folder.WriteDb("usercatalogs\\mine.pdb", 26, 64, {Bytes(64, 0), Bytes(64, 0)});
    LoadUserList("mine.pdb", 1);
    EXPECT_EQ(UserCatalogName(), "mine.pdb");
    EXPECT_EQ(GetRecDbCount(userCatalogDb), 2);
    EXPECT_EQ(std::make_pair(selectionCount, selectionShownCount), std::make_pair(2, 2));
    EXPECT_EQ(EntryBytes(2), before);
}

// The preference field holds 51 characters and the terminator.
TEST_F(UserListTest, CatalogueNameLongerThanItsFieldIsRefused) {
    SetUserCatalogName("mine.pdb");
    LoadUserList(std::string(52, 'a').c_str(), 1);
    EXPECT_EQ(TakeTexts(), Texts{"Invalid list name."});
    EXPECT_EQ(UserCatalogName(), "mine.pdb");
    LoadUserList(std::string(51, 'a').c_str(), 1);
    EXPECT_EQ(UserCatalogName(), std::string(51, 'a'));
}

TEST_F(UserListTest, HeaderNameIsReadAsAtMost40Bytes) {
    WriteListFile("full_name.lst", 9, {}, std::string(40, 'n'));
    UserListHeader header;
    ASSERT_EQ(ReadUserListHeader("full_name.lst", &header), kHeaderRead);
    EXPECT_EQ(std::string(header.name), std::string(40, 'n'));
    EXPECT_EQ(std::make_tuple(header.year, header.minute, header.count), std::make_tuple(1999, 59, 9));
    folder.WriteRaw("userlists\\short.lst", Bytes(67, 0));
    EXPECT_EQ(ReadUserListHeader("short.lst", &header), kHeaderShort);
    EXPECT_EQ(ReadUserListHeader("missing.lst", &header), kHeaderNoFile);
    EXPECT_EQ(ReadUserListHeader("../x", &header), kHeaderNoFile);
}

// A list file has no magic number: entries whose catalogue, object type or
// place is out of range are garbage, left out with one message; the file is
// copied aside before a save replaces it (they were lost without a copy).
TEST_F(UserListTest, DamagedEntriesAreSkippedWithOneMessage) {
    FillList(7);
    selectionList[1].designation = kDesignationCount;                        // no such catalogue
    selectionList[2].objectType = -1;                                       // no such type
    selectionList[3].rightAscension = std::numeric_limits<float>::infinity();
    selectionList[4].declination = 90.5f;
    selectionList[5].rightAscension = 24.0f;
    const Bytes entries = EntryBytes(7);
    const std::string kept[] = {selectionList[0].name, selectionList[6].name};
    WriteListFile("damaged.lst", 7, entries);
    LoadUserList("damaged.lst", 0);
    EXPECT_EQ(TakeTexts(), Texts{"5 damaged entries were skipped."});
    ASSERT_EQ(selectionCount, 2);
    EXPECT_EQ(std::make_tuple(std::string(selectionList[0].name), std::string(selectionList[1].name),
                              selectionList[2].number),
              std::make_tuple(kept[0], kept[1], -1));
    const Bytes file = FileBytes("damaged.lst");
    SaveUserList("damaged");
    EXPECT_EQ(FileBytes("damaged.lst.bad"), file);
    EXPECT_EQ(FileBytes("damaged.lst").size(), std::size_t{68 + 2 * 76});
}

// A list cut at its load and then changed is saved over its file only once the
// whole file is kept aside as .bad (the entries beyond the room were lost); a
// second save over the same file needs no further copy.
TEST_F(UserListTest, ChangedCutListKeepsTheWholeFileAsideBeforeItIsSaved) {
    FillList(30);
    SaveUserList("long");
    const Bytes whole = FileBytes("long.lst");
    LoadUserList("long.lst", 0);
    TakeTexts();
    --selectionCount;
    SaveUserList("long");
    SaveUserList("long");
    EXPECT_EQ(FileBytes("long.lst.bad"), whole);
    EXPECT_EQ(FileBytes("long.lst").size(), std::size_t{68 + 28 * 76});
    EXPECT_FALSE(std::filesystem::exists(HostFile("long.lst_2.bad")));
    EXPECT_TRUE(services.messages.empty());
}

// A list cut at its load counts as unchanged while only the chart's words
// change (its pick's mark among them: a pick is no change of the list); any
// change of an entry, or a later whole load, ends that.
TEST_F(UserListTest, CutListIsKnownUnchangedUntilItChanges) {
    FillList(30);
    SaveUserList("long");
    FillList(2);
    SaveUserList("short");
    LoadUserList("long.lst", 0);
    EXPECT_EQ(TakeTexts(), Texts{"1 entries of long.lst could not be loaded; raise Max Selected items to see them."});
    EXPECT_TRUE(IsCutListUnchanged("long.lst"));
    EXPECT_FALSE(IsCutListUnchanged("short.lst"));
    selectionList[3].chartX = 77;
    selectionList[3].screenY = 12;
    selectionList[3].horizonHidden = selectionList[3].alwaysShow = 1;
    EXPECT_TRUE(IsCutListUnchanged("long.lst"));
    ++selectionList[3].typeCode;
    EXPECT_FALSE(IsCutListUnchanged("long.lst"));
    --selectionList[3].typeCode;
    selectionCount = 28;
    EXPECT_FALSE(IsCutListUnchanged("long.lst"));
    LoadUserList("short.lst", 0);
    EXPECT_FALSE(IsCutListUnchanged("long.lst"));
    EXPECT_TRUE(services.messages.empty());
}

// A list loaded while the class filter shows none of it took the list before's current
// position as its own; when the filter widens, its first entry is current.
TEST_F(UserListTest, ListLoadedUnderAFilterShowingNoneStartsOnItsFirstEntry) {
    FillList(4);
    for (int i = 0; i < 4; ++i) selectionList[i].objectType = 16;
    SaveUserList("allsixteen");
    FillList(4);  // types 16, 30, 16, 30
    selectionClassFilter = 1;
    RebuildSelectionByClass();
    ASSERT_EQ(SetCurrentSelectionEntry(3), 1);
    LoadUserList("allsixteen.lst", 0);
    EXPECT_EQ(selectionShownCount, 0);
    selectionClassFilter = 0;
    RebuildSelectionByClass();
    ASSERT_EQ(selectionShownCount, 4);
    EXPECT_EQ(CurrentSelectionEntry(), 0);
}

// A save killed before its rename leaves "<name>.lst.tmp" behind; the next
// list save removes every such file, and only those.
TEST_F(UserListTest, NextSaveRemovesStrayTemporariesOfKilledSaves) {
    folder.WriteRaw("userlists\\killed.lst.tmp", Bytes(100, 7));
    folder.WriteRaw("userlists\\last_list.lst.tmp", Bytes(10, 7));
    folder.WriteRaw("userlists\\memo.txt.tmp", Bytes(10, 7));
    folder.WriteRaw("userlists\\notes.tmp", Bytes(10, 7));
    FillList(3);
    SaveUserList("kept");
    EXPECT_EQ(pl::ListDirectory("userlists\\*.*"), (Texts{"kept.lst", "memo.txt.tmp", "notes.tmp"}));
    EXPECT_EQ(FileBytes("kept.lst").size(), 68u + 3u * 76u);
}

}  // namespace
