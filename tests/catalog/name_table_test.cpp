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
    EXPECT_EQ(std::make_pair(table.Count(), table.Capacity()), std::make_pair(4, 10));
    std::snprintf(entry, kNameTableEntrySize, "kept");
    GetNameTableEntry(&table, 10);
    EXPECT_EQ(std::make_pair(table.Count(), table.Capacity()), std::make_pair(11, 21));
    EXPECT_STREQ(GetNameTableEntry(&table, 3), "kept");
    EXPECT_STREQ(GetNameTableEntry(&table, 9), "");
    EXPECT_EQ(table.Count(), 11);  // asking below the count changes nothing
}

// Matching names in order, cut to 63 characters; the folder is made when missing
// and a rescan starts empty.
TEST(NameTable, ScanFindsMatchingNamesInOrderCutTo63Characters) {
    fixture::CatalogFolder folder;
    NameTable table;
    EXPECT_EQ(ScanNameTable(&table, "userlists", "*.txt"), 0);
    ASSERT_TRUE(std::filesystem::is_directory(folder.root() + "/userlists"));
    const std::string longName = std::string(70, 'z') + ".txt";
    for (const std::string& name : {std::string("b.txt"), std::string("a.TXT"), std::string("c.lst"), longName})
        std::ofstream(folder.root() + "/userlists/" + name) << "x\n";
    ASSERT_EQ(ScanNameTable(&table, "userlists", "*.txt"), 3);
    EXPECT_STREQ(table[0].data(), "a.TXT");
    EXPECT_STREQ(table[1].data(), "b.txt");
    EXPECT_EQ(std::string(table[2].data()), longName.substr(0, 63));
    std::filesystem::remove(folder.root() + "/userlists/b.txt");
    ASSERT_EQ(ScanNameTable(&table, "userlists", "*.*"), 3);
    EXPECT_STREQ(table[1].data(), "c.lst");
}

}  // namespace
