// Files the program finds at its start: a kept list longer than the list's
// room, whose header does not match its entries or with a name that has no
// terminating zero, and a second start in a program folder already in use.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <tuple>
#include <vector>

#include "catalog/designations.h"
#include "catalog/record_db.h"
#include "catalog/screens/list_manager_form.h"
#include "catalog/selection_list.h"
#include "core/preferences.h"
#include "core/shared_state.h"
#include "platform/window.h"
#include "support/both_screens.h"
#include "support/list_entries.h"
#include "support/program_fixture.h"
#include "ui/forms.h"

namespace {

using Bytes = std::vector<uint8_t>;

// A list file of `count` user objects (designation 63, type 16), the header
// laid out by hand: {0, name[40], year, month, day, hour, minute, count}.
Bytes ListFile(int count) {
    Bytes file(68, 0);
    const char name[] = "last_list";
    std::copy(name, name + sizeof name - 1, file.begin() + 4);
    const int32_t words[] = {2026, 12, 7, 21, 30, count};
    for (int k = 0; k < 6; ++k) StoreU32(file.data(), 44 + 4 * k, static_cast<uint32_t>(words[k]));
    for (int i = 0; i < count; ++i) {
        SelectionEntry e = ListEntry("", kDesignationUser, i, 16, 0.2f * static_cast<float>(i % 100), 10.0f);
        std::snprintf(e.name, sizeof e.name, "Obj%d", i);
        uint8_t entry[kSelectionEntrySize];
        StoreSelectionEntry(e, entry);
        file.insert(file.end(), entry, entry + sizeof entry);
    }
    return file;
}

Bytes Read(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

void Write(const std::filesystem::path& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

class StartFiles : public ProgramTest {};

// 100 entries and room for 30 (25 "Max Selected items" + 5, no bright-star
// names) less the end mark: 29 are shown, 71 told of, and a start and a quit
// with the list untouched leave the file of 100 as it was.
TEST_F(StartFiles, LongLastListIsToldOfAndSurvivesAStartAndAQuitWhole) {
    const std::filesystem::path file = folder.path() / "userlists" / "last_list.lst";
    const Bytes original = ListFile(100);
    Write(file, original);
    ASSERT_TRUE(StartProgram());
    EXPECT_EQ(BoxText(), "71 entries of last_list.lst could not be loaded; raise Max Selected items to see them.\n");
    EXPECT_EQ(selectionCount, 29);
    AnswerAll();
    QuitProgram();
    EXPECT_EQ(Read(file), original);
}

// Once the cut list is changed, the quit saves what the list holds.
TEST_F(StartFiles, ChangedCutLastListIsSavedAtTheQuit) {
    const std::filesystem::path file = folder.path() / "userlists" / "last_list.lst";
    Write(file, ListFile(100));
    ASSERT_TRUE(StartProgram());
    AnswerAll();
    Ui([] { selectionCount = 10; });
    QuitProgram();
    EXPECT_EQ(Read(file).size(), 68u + 10u * 76u);
}

// A last list of 40 entries whose header counts 30, 50, -1 or 2147483647 (room for 54), read by the start or,
// as "Winter", the list manager's Load: the 40 are read, the file said kept as <name>.lst.bad; after a quit, the
// list unchanged or one entry added, the copy is the file and the last list holds the 40 (30 lost 31-40, -1 all).
class DamagedLastList
    : public ProgramTest,
      public ::testing::WithParamInterface<std::tuple<pl::ScreenInfo, int32_t, bool, std::string>> {};

TEST_P(DamagedLastList, EveryEntryStaysInAFileAfterTheQuit) {
    const auto [screen, count, oneAdded, name] = GetParam();
    harness.changeScreen(screen.width, screen.height, screen.dpi);
    const std::filesystem::path lists = folder.path() / "userlists";
    Bytes file = ListFile(40);
    StoreU32(file.data(), 64, static_cast<uint32_t>(count));
    Write(lists / (name + ".lst"), file);
    preferences.word[kPrefMaxSelectedItems] = 1;
    ASSERT_TRUE(StartProgram());
    if (name != "last_list") {
        Ui([] { GotoForm(kListManagerForm); });
        Tap(RowCentre(pl::GetDlgItem(GetCurrentFormDialog(), 1051), 0));
        FormCommand(1056);  // Load
    }
    EXPECT_EQ(BoxText(), "40 entries of " + name + ".lst were read; the file is kept as " + name + ".lst.bad.\n");
    EXPECT_EQ(BoxCount(), 1);
    AnswerAll();
    if (oneAdded) Ui([] { selectionList[selectionCount++] = ListEntry("Added", kDesignationUser, 40, 16, 1, 10); });
    QuitProgram();
    EXPECT_EQ(Read(lists / (name + ".lst.bad")), file);
    const Bytes kept = Read(lists / "last_list.lst");
    ASSERT_EQ(kept.size(), 68u + 76u * (oneAdded ? 41 : 40));
    EXPECT_TRUE(std::equal(file.begin() + 68, file.end(), kept.begin() + 68));
}

INSTANTIATE_TEST_SUITE_P(HeaderCounts, DamagedLastList,
                         ::testing::Combine(::testing::ValuesIn(kBothScreens),
                                            ::testing::Values(30, 50, -1, 2147483647), ::testing::Bool(),
                                            ::testing::Values("last_list", "Winter")));

// A last list whose entry 3 has a name of 15 bytes without its terminating
// zero: read with the name cut and told once, and the quit's save comes after
// the copy, which holds the file as it was (the quit saved over it without a
// copy or a word).
class UnterminatedNameLastList : public ProgramTest, public ::testing::WithParamInterface<pl::ScreenInfo> {};

TEST_P(UnterminatedNameLastList, FileIsKeptAsideBeforeTheQuitSavesOverIt) {
    harness.changeScreen(GetParam().width, GetParam().height, GetParam().dpi);
    const std::filesystem::path lists = folder.path() / "userlists";
    Bytes file = ListFile(10);
    std::fill_n(file.begin() + 68 + 3 * 76, 15, 'N');
    Write(lists / "last_list.lst", file);
    ASSERT_TRUE(StartProgram());
    EXPECT_EQ(BoxText(), "10 entries of last_list.lst were read; the file is kept as last_list.lst.bad.\n");
    EXPECT_EQ(BoxCount(), 1);
    AnswerAll();
    QuitProgram();
    EXPECT_EQ(Read(lists / "last_list.lst.bad"), file);
    const Bytes kept = Read(lists / "last_list.lst");
    ASSERT_EQ(kept.size(), file.size());
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&kept[68 + 3 * 76])), std::string(14, 'N'));
}

INSTANTIATE_TEST_SUITE_P(BothScreens, UnterminatedNameLastList, ::testing::ValuesIn(kBothScreens));

}  // namespace
