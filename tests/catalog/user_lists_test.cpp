// User list files: saving and loading the observing list, catalogue mode.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "catalog/user_lists.h"
#include "catalog_test.h"
#include "chart/chart_state.h"
#include "objects/selection_list.h"
#include "platform/files.h"

using fixture::Bytes;

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
    // n entries with every byte of the record in use (chart words, codes above 127).
    void FillList(int n) {
        for (int i = 0; i < n; ++i) {
            SelectionEntry& e = selectionList[i];
            std::snprintf(e.name, sizeof e.name, "Entry %d", i % 100);
            e.reserved = static_cast<uint8_t>(0xA0 + i);
            e.number = 1000 + i;
            e.sourceIndex = static_cast<uint16_t>(60000 + i);
            e.designation = 42;
            e.objectType = static_cast<int16_t>(i % 2 ? 30 : 16);
            e.constellation = 87;
            e.rightAscension = 23.999f - i;
            e.declination = -89.5f + i;
            e.chartX = -i;
            e.chartY = 1 << 30;
            e.chartZ = -7;
            e.size1 = -3;
            e.size2 = 32767;
            e.source = 11;
            e.smallCode = 200;
            e.typeCode = 255;
            e.mag10 = -15;
            e.screenX = 239;
            e.screenY = -1;
            e.horizonHidden = 1;
            e.alwaysShow = 65535;
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
    void WriteListFile(const std::string& name, int32_t count, const Bytes& entryBytes) {
        fixture::ByteWriter w;
        w.U32(0).Text("Stored", 40).U32(1999).U32(12).U32(31).U32(23).U32(59).U32(static_cast<uint32_t>(count));
        Bytes file = w.bytes();
        file.insert(file.end(), entryBytes.begin(), entryBytes.end());
        folder.WriteRaw("userlists\\" + name, file);
    }
};

TEST_F(UserListTest, SavedListLoadsBackByteIdentical) {
    FillList(7);
    Bytes before = EntryBytes(7);
    SaveUserList("My list");
    Bytes file = FileBytes("My list.lst");
    ASSERT_EQ(file.size(), 68u + 76u * 7u);
    EXPECT_EQ(Bytes(file.begin() + 68, file.end()), before);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&file[4])), "My list");
    EXPECT_EQ(LoadU32(file.data(), 0), 0u);
    const uint32_t date[] = {2024, 3, 5, 21, 45, 7};
    for (int k = 0; k < 6; ++k) EXPECT_EQ(LoadU32(file.data(), 44 + 4 * k), date[k]);
    EXPECT_FALSE(std::filesystem::exists(HostFile("My list.lst.tmp")));

    ASSERT_EQ(AllocSelectionList(), 1);
    selectionCriteria = SelectionCriteria{};
    currentDateTime = DateTime{2030, 1, 1, 0, 0, 0};
    chartTimeRecord.horizonProjectionReady = 1;
    LoadUserList("My list.lst", 0);
    EXPECT_EQ(selectionCount, 7);
    EXPECT_EQ(EntryBytes(7), before);
    EXPECT_EQ(selectionList[7].number, -1);
    EXPECT_EQ(selectionShownCount, 7);
    EXPECT_EQ(selectionCurrentRow, 0);
    EXPECT_EQ(chartTimeRecord.horizonProjectionReady, 0);
    EXPECT_EQ(selectionCriteria.year, 2024);
    EXPECT_EQ(selectionCriteria.minute, 45);
    EXPECT_EQ(currentDateTime.year, 2030);  // the program's own date is not changed
    EXPECT_TRUE(services.messages.empty());
}

TEST_F(UserListTest, NegativeDateWordsAreSignExtended) {
    FillList(1);
    selectionCriteria.year = -5;
    SaveUserList("neg");
    EXPECT_EQ(LoadI32(FileBytes("neg.lst").data(), 44), -5);
}

TEST_F(UserListTest, EmptyListWritesNothingAndKeepsTheOldFile) {
    WriteListFile("last_list.lst", 0, {});
    Bytes old = FileBytes("last_list.lst");
    selectionCount = 0;
    SaveUserList("last_list");
    EXPECT_EQ(FileBytes("last_list.lst"), old);
    SaveUserList("new");
    EXPECT_FALSE(std::filesystem::exists(HostFile("new.lst")));
}

TEST_F(UserListTest, SaveReplacesAnExistingList) {
    FillList(3);
    SaveUserList("same");
    FillList(2);
    SaveUserList("same");
    EXPECT_EQ(FileBytes("same.lst").size(), 68u + 2u * 76u);
    EXPECT_EQ(pl::ListDirectory("userlists\\*.lst"), std::vector<std::string>{"same.lst"});
}

// A save that fails half-way must not destroy the list it replaces.
TEST_F(UserListTest, FailedSaveLeavesTheOldListIntact) {
    FillList(4);
    SaveUserList("last_list");
    Bytes old = FileBytes("last_list.lst");
    FillList(6);
    pl::FailWritesAfter(kUserListHeaderSize + 10);  // the header is written, the entries fail
    SaveUserList("last_list");
    EXPECT_EQ(services.Texts(), std::vector<std::string>{"Can't write data."});
    EXPECT_EQ(FileBytes("last_list.lst"), old);
    pl::FailWritesAfter(10);
    SaveUserList("last_list");
    EXPECT_EQ(services.Texts(), (std::vector<std::string>{"Can't write data.", "Can't write header."}));
    EXPECT_EQ(FileBytes("last_list.lst"), old);
    EXPECT_EQ(pl::ListDirectory("userlists\\*.*"), std::vector<std::string>{"last_list.lst"});
}

TEST_F(UserListTest, NamesLeavingTheFolderAreRefused) {
    FillList(1);
    for (const char* name : {"../outside", "a/b", "a\\b", "..", ""}) {
        services.messages.clear();
        SaveUserList(name);
        EXPECT_EQ(services.Texts(), std::vector<std::string>{"Invalid list name."}) << name;
        LoadUserList(name, 0);
        LoadUserList(name, 1);
        EXPECT_EQ(services.messages.size(), 3u) << name;
    }
    EXPECT_FALSE(std::filesystem::exists(folder.root() + "/outside.lst"));
    EXPECT_EQ(selectionCount, 1);
    EXPECT_TRUE(IsValidListName("last_list.lst"));
}

TEST_F(UserListTest, MissingOrDamagedHeaderLeavesTheListUnchanged) {
    FillList(2);
    Bytes before = EntryBytes(2);
    LoadUserList("missing.lst", 0);
    EXPECT_TRUE(services.messages.empty());
    folder.WriteRaw("userlists\\short.lst", Bytes(67, 0));
    LoadUserList("short.lst", 0);
    WriteListFile("negative.lst", -1, Bytes(76, 0));
    LoadUserList("negative.lst", 0);
    EXPECT_EQ(services.Texts(), (std::vector<std::string>{"Can't read header.", "Can't read header."}));
    EXPECT_EQ(selectionCount, 2);
    EXPECT_EQ(EntryBytes(2), before);
    EXPECT_EQ(selectionCriteria.year, 2024);
}

// A file shorter than its count keeps the whole entries read, ends the list and shows it.
TEST_F(UserListTest, ShortFileKeepsTheWholeEntriesRead) {
    FillList(3);
    Bytes entries = EntryBytes(3);
    entries.resize(76 * 2 + 30);
    WriteListFile("cut.lst", 5, entries);
    ASSERT_EQ(AllocSelectionList(), 1);
    LoadUserList("cut.lst", 0);
    EXPECT_EQ(services.Texts(), std::vector<std::string>{"Can't read data."});
    EXPECT_EQ(selectionCount, 2);
    EXPECT_EQ(selectionList[2].number, -1);
    EXPECT_EQ(selectionShownCount, 2);
    EXPECT_EQ(selectionCriteria.year, 1999);
}

TEST_F(UserListTest, CountReachingTheCapacityKeepsOneSlotForTheEndMark) {
    FillList(30);
    Bytes entries = EntryBytes(30);
    WriteListFile("full.lst", 30, entries);
    LoadUserList("full.lst", 0);
    EXPECT_EQ(selectionCount, 29);
    EXPECT_EQ(selectionList[29].number, -1);
    EXPECT_TRUE(services.messages.empty());
    WriteListFile("huge.lst", 2000000000, entries);
    LoadUserList("huge.lst", 0);
    EXPECT_EQ(selectionCount, 29);
}

TEST_F(UserListTest, LoadedListIsShownUnderTheClassFilter) {
    FillList(4);  // types 16, 30, 16, 30
    SaveUserList("filtered");
    selectionClassFilter = 1;  // stars
    LoadUserList("filtered.lst", 0);
    EXPECT_EQ(selectionCount, 4);
    EXPECT_EQ(selectionShownCount, 2);
    EXPECT_EQ(selectionListIndex[0], 1);
    EXPECT_EQ(selectionListIndex[1], 3);
}

TEST_F(UserListTest, CatalogueModeChangesOnlyTheUserCatalogue) {
    FillList(2);
    Bytes before = EntryBytes(2);
    folder.WriteDb("usercatalogs\\mine.pdb", 26, 64, {Bytes(64, 0), Bytes(64, 0)});
    LoadUserList("mine.pdb", 1);
    EXPECT_STREQ(reinterpret_cast<const char*>(&preferences.word[kPrefUserCatalogName]), "mine.pdb");
    EXPECT_EQ(GetRecDbCount(userCatalogDb), 2);
    EXPECT_EQ(selectionCount, 2);
    EXPECT_EQ(EntryBytes(2), before);
    EXPECT_EQ(selectionShownCount, 2);
}

TEST_F(UserListTest, CatalogueNameLongerThanItsFieldIsRefused) {
    SetUserCatalogName("kept.pdb");
    std::string longest(51, 'a');
    std::string tooLong(52, 'a');
    LoadUserList(tooLong.c_str(), 1);
    EXPECT_EQ(services.Texts(), std::vector<std::string>{"Invalid list name."});
    EXPECT_STREQ(reinterpret_cast<const char*>(&preferences.word[kPrefUserCatalogName]), "kept.pdb");
    LoadUserList(longest.c_str(), 1);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&preferences.word[kPrefUserCatalogName])), longest);
}

TEST_F(UserListTest, HeaderNameIsReadAsAtMost40Bytes) {
    fixture::ByteWriter w;
    w.U32(0).Text(std::string(40, 'n'), 40).U32(2001).U32(2).U32(3).U32(4).U32(5).U32(9);
    folder.WriteRaw("userlists\\full_name.lst", w.bytes());
    UserListHeader header;
    ASSERT_TRUE(ReadUserListHeader("full_name.lst", &header));
    EXPECT_EQ(std::string(header.name), std::string(40, 'n'));
    EXPECT_EQ(header.year, 2001);
    EXPECT_EQ(header.minute, 5);
    EXPECT_EQ(header.count, 9);
    EXPECT_FALSE(ReadUserListHeader("missing.lst", &header));
    EXPECT_FALSE(ReadUserListHeader("../x", &header));
}

}  // namespace
