// The saved N-star list "userlists\nstar.nsa": the hand-written seed files of
// scripts/reference/n_star_file_seeds.py read as their layout says, Save then
// Load giving the same entries, damaged lines skipped and told, and a save
// that fails keeping the old file.
#include "scope/n_star_file.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "core/shared_buffers.h"
#include "platform/files.h"
#include "scope/n_star_list.h"
#include "support/fuzz_corpus.h"
#include "support/n_star_file_entry.h"
#include "support/scope_fixture.h"
#include "support/temp_program_folder.h"

namespace {

const std::filesystem::path kCorpus = std::filesystem::path(ZENDAVORI_SOURCE_DIR) / "fuzz/corpus/n_star_file";

std::string Seed(const char* name) {
    std::ifstream in(kCorpus / name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

NStarFileContents Parse(const std::string& text) {
    return ParseNStarList(reinterpret_cast<const uint8_t*>(text.data()), text.size());
}

class NStarFile : public ScopeTest {
protected:
    NStarFile() {
        alignmentStars = static_cast<uint8_t*>(AllocSharedBuffer(kAlignmentStarsSize));
        ResetNStarList();
    }
    ~NStarFile() override {
        pl::FailWritesAfter(-1);
        FreeSharedBuffer(alignmentStars);
        ResetNStarList();
    }
    // Entry i: a name, kind 28, index 100 + i and twelve distinct numbers,
    // some with no short decimal form.
    static AlignmentStar Made(int i) {
        AlignmentStar e{};
        std::snprintf(e.name, sizeof e.name, "Star %d", i);
        e.kind = 28;
        e.index = 100 + i;
        double* numbers[] = {&e.time,      &e.ra,        &e.dec,        &e.reading1,   &e.reading2,   &e.model1,
                             &e.model2,    &e.measured1, &e.measured2,  &e.corrected1, &e.corrected2, &e.sidereal};
        for (int k = 0; k < 12; ++k) *numbers[k] = (k + 1) * 1.1 + i / 3.0 + (k == 2 ? -60.0 : 0.0);
        return e;
    }
    void Fill(int n) {
        for (int i = 0; i < n; ++i) GetAlignmentStarList()[i] = Made(i);
        alignmentStarCount = n;
        nStarCurrentRow = n - 1;
    }
    std::filesystem::path File() const { return folder.path() / "userlists" / "nstar.nsa"; }
    void Write(const std::string& text) {
        std::filesystem::create_directories(File().parent_path());
        std::ofstream(File(), std::ios::binary) << text;
    }
    static bool Same(const AlignmentStar& a, const AlignmentStar& b) {
        return std::strcmp(a.name, b.name) == 0 && a.kind == b.kind && a.index == b.index && a.time == b.time &&
               a.ra == b.ra && a.dec == b.dec && a.reading1 == b.reading1 && a.reading2 == b.reading2 &&
               a.model1 == b.model1 && a.model2 == b.model2 && a.measured1 == b.measured1 &&
               a.measured2 == b.measured2 && a.corrected1 == b.corrected1 && a.corrected2 == b.corrected2 &&
               a.sidereal == b.sidereal;
    }

    TempProgramFolder folder{"n_star_file"};
};

// Every saved input reads within the limits and writes back the same.
TEST(NStarFileCorpus, SavedInputsReplay) { EXPECT_GE(ReplayFuzzCorpus("n_star_file", RunNStarFile), 17); }

// The seeds as their layout says: the two good lines (Vega and Altair, HR
// 7001 and 7557), line endings and blank lines, and the lines to skip.
TEST(NStarFileCorpus, SeedsReadAsWritten) {
    NStarFileContents two = Parse(Seed("two_entries"));
    ASSERT_EQ(two.entries.size(), 2u);
    EXPECT_TRUE(two.damagedLines.empty());
    EXPECT_STREQ(two.entries[0].name, "Vega");
    EXPECT_EQ(two.entries[0].kind, 28);
    EXPECT_EQ(two.entries[0].index, 7001);
    EXPECT_EQ(two.entries[0].time, 317.5);
    EXPECT_EQ(two.entries[0].ra, 279.2);
    EXPECT_EQ(two.entries[0].dec, 38.8);
    EXPECT_EQ(two.entries[0].measured1, 279.25);
    EXPECT_EQ(two.entries[0].sidereal, 8.1068);
    EXPECT_EQ(two.entries[1].corrected2, 8.86);
    const struct {
        const char* seed;
        std::size_t entries;
        std::vector<int> damaged;
    } cases[] = {
        {"crlf_and_blank_lines", 2, {}},    {"no_final_newline", 2, {}},    {"empty", 0, {}},
        {"unnamed_entry", 1, {}},           {"fourteen_fields", 2, {1}},    {"sixteen_fields", 2, {1}},
        {"name_too_long", 1, {1}},          {"ra_out_of_range", 0, {1}},    {"dec_out_of_range", 0, {1}},
        {"not_a_number", 1, {1}},           {"infinite", 1, {1}},           {"kind_not_whole", 1, {1}},
        {"index_too_large", 1, {1}},        {"control_in_name", 0, {1}},    {"twenty_one_entries", 21, {}},
        {"leading_blank_number", 1, {1}},
    };
    for (const auto& c : cases) {
        NStarFileContents r = Parse(Seed(c.seed));
        EXPECT_EQ(r.entries.size(), c.entries) << c.seed;
        EXPECT_EQ(r.damagedLines, c.damaged) << c.seed;
    }
    EXPECT_STREQ(Parse(Seed("name_too_long")).entries[0].name, std::string(19, 'B').c_str());
}

// Save then Load gives the same entries, number for number; the file is
// replaced through its temporary file, which does not stay.
TEST_F(NStarFile, SaveThenLoadGivesTheSameEntries) {
    Fill(20);
    ASSERT_EQ(SaveNStarList(), 1);
    EXPECT_TRUE(std::filesystem::exists(File()));
    EXPECT_FALSE(std::filesystem::exists(File().string() + ".tmp"));
    ResetNStarList();
    ASSERT_EQ(LoadNStarList(), 1);
    ASSERT_EQ(alignmentStarCount, 20);
    EXPECT_EQ(nStarCurrentRow, 0);
    for (int i = 0; i < 20; ++i) EXPECT_TRUE(Same(GetAlignmentStarList()[i], Made(i))) << i;
    EXPECT_TRUE(services.messages.empty());
}

// A file with a damaged line: the other entries replace the list and the
// line is named.
TEST_F(NStarFile, DamagedLineIsSkippedAndTold) {
    Fill(3);
    ASSERT_EQ(SaveNStarList(), 1);
    std::ifstream in(File(), std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), {});
    const std::size_t second = text.find('\n') + 1;
    text.replace(second, 4, "Xx\tyy");
    Write(text);
    Fill(1);
    ASSERT_EQ(LoadNStarList(), 1);
    ASSERT_EQ(alignmentStarCount, 2);
    EXPECT_TRUE(Same(GetAlignmentStarList()[0], Made(0)));
    EXPECT_TRUE(Same(GetAlignmentStarList()[1], Made(2)));
    ASSERT_EQ(services.messages.size(), 1u);
    EXPECT_EQ(services.messages[0].text, "Damaged lines of the saved list were skipped");
    EXPECT_EQ(services.messages[0].detail, "Lines 2");
}

// More than 20 entries: the first 20 are loaded, and the user is told.
TEST_F(NStarFile, OnlyTwentyEntriesAreLoaded) {
    Write(Seed("twenty_one_entries"));
    ASSERT_EQ(LoadNStarList(), 1);
    EXPECT_EQ(alignmentStarCount, 20);
    EXPECT_STREQ(GetAlignmentStarList()[19].name, "S19");
    EXPECT_EQ(services.Texts(), std::vector<std::string>{"Only the first 20 stars of the saved list were loaded"});
}

// Nothing to load (no file, or no line that reads) leaves the list; an empty
// list is not saved; a save that fails on the disk keeps the old file whole.
TEST_F(NStarFile, RefusalsLoseNothing) {
    Fill(2);
    EXPECT_EQ(LoadNStarList(), 0);
    Write(Seed("ra_out_of_range"));
    EXPECT_EQ(LoadNStarList(), 0);
    EXPECT_EQ(alignmentStarCount, 2);
    EXPECT_EQ(services.Texts(), (std::vector<std::string>{"No saved N-star list",
                                                          "No star could be read from the saved list"}));
    services.messages.clear();
    Write(Seed("two_entries"));
    pl::FailWritesAfter(10);
    EXPECT_EQ(SaveNStarList(), 0);
    pl::FailWritesAfter(-1);
    EXPECT_EQ(services.Texts(), std::vector<std::string>{"Can't save the N-star list"});
    std::ifstream in(File(), std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), Seed("two_entries"));
    services.messages.clear();
    ResetNStarList();
    EXPECT_EQ(SaveNStarList(), 0);
    EXPECT_EQ(services.Texts(), std::vector<std::string>{"Please add at least one stars."});
}

}  // namespace

// A NUL inside a number ends the C text early: the field is damaged, not read
// as the digits before it.
TEST(NStarFileCorpus, NulInsideANumberIsDamage) {
    for (const char* field : {"317.5", "7001"}) {
        std::string text = Seed("two_entries");
        const std::size_t at = text.find(field);
        ASSERT_NE(at, std::string::npos);
        text.insert(at + std::strlen(field), std::string("\0" "9", 2));
        NStarFileContents r = Parse(text);
        EXPECT_EQ(r.entries.size(), 1u) << field;
        EXPECT_EQ(r.damagedLines, std::vector<int>{1}) << field;
    }
}
