// Tables of file names: growth on demand and the directory scan.
#include "catalog/name_table.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "support/catalog_fixture.h"

namespace {

// Asking past the count grows the table: capacity 10, then 2 x 10 + 1.
TEST(NameTable, AskingPastTheCountGrowsTheTable) {
    NameTable table;
    EXPECT_EQ(GetNameTableEntry(&table, -1), nullptr);
    char* entry = GetNameTableEntry(&table, 3);
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(table.Count(), 4);
    EXPECT_EQ(table.Capacity(), 10);
    std::snprintf(entry, kNameTableEntrySize, "kept");
    GetNameTableEntry(&table, 10);
    EXPECT_EQ(table.Count(), 11);
    EXPECT_EQ(table.Capacity(), 21);
    EXPECT_STREQ(GetNameTableEntry(&table, 3), "kept");
    EXPECT_STREQ(GetNameTableEntry(&table, 9), "");
    EXPECT_EQ(table.Count(), 11);  // asking below the count changes nothing
}

class NameTableScan : public ::testing::Test {
protected:
    void Write(const std::string& name) const { std::ofstream(folder.root() + "/userlists/" + name) << "x\n"; }
    fixture::CatalogFolder folder;
    NameTable table;
};

TEST_F(NameTableScan, MatchingNamesInOrderCutTo63Characters) {
    EXPECT_EQ(ScanNameTable(&table, "userlists", "*.txt"), 0);  // the folder is made
    ASSERT_TRUE(std::filesystem::is_directory(folder.root() + "/userlists"));
    const std::string longName = std::string(70, 'z') + ".txt";
    for (const std::string& name : {std::string("b.txt"), std::string("a.TXT"), std::string("c.lst"), longName})
        Write(name);
    ASSERT_EQ(ScanNameTable(&table, "userlists", "*.txt"), 3);
    EXPECT_STREQ(table[0].data(), "a.TXT");
    EXPECT_STREQ(table[1].data(), "b.txt");
    EXPECT_EQ(std::string(table[2].data()), longName.substr(0, 63));
    std::filesystem::remove(folder.root() + "/userlists/b.txt");
    ASSERT_EQ(ScanNameTable(&table, "userlists", "*.*"), 3);  // a rescan starts empty
    EXPECT_STREQ(table[1].data(), "c.lst");
}

}  // namespace
