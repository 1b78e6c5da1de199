// Files the program finds at its start: a kept list longer than the list's
// room, and a second start in a program folder already in use.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "catalog/designations.h"
#include "catalog/record_db.h"
#include "catalog/selection_list.h"
#include "core/shared_state.h"
#include "support/list_entries.h"
#include "support/program_fixture.h"

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

}  // namespace
