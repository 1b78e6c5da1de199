// Memo import and export of the observing list.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "catalog/designations.h"
#include "catalog/memo.h"
#include "catalog/selection_list.h"
#include "catalog_test.h"
#include "core/constellation.h"
#include "platform/files.h"
#include "support/object_file_fixture.h"

namespace {

constexpr double kJ2000Day0 = 2451544.5;  // 2000-01-01 0h, the equinox of memo positions
constexpr char kMemoOfTheMinute[] = "20240305_zendamemo_2107.txt";

class MemoTest : public CatalogTest {
protected:
    void SetUp() override {
        CatalogTest::SetUp();
        ASSERT_TRUE(pl::MakeDirectory("userlists"));
        OpenObjects(fixture::SharedObjectRecords(), "zendavori_obj_1k.ppc");
        UseObjectFileRanges(false);
        currentDateTime = DateTime{2024, 3, 5, 21, 7, 0};
        selectionClassFilter = 0;
    }
    void TearDown() override {
        pl::FailWritesAfter(-1);
        FreeSelectionList();
        CatalogTest::TearDown();
    }
    std::string MemoText(const std::string& name = kMemoOfTheMinute) const {
        std::ifstream in(folder.root() + "/userlists/" + name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    // `count` user objects, all shown ("Max Selected items" 500).
    void FillUserObjects(int count) {
        preferences.word[kPrefMaxSelectedItems] = 10;
        ASSERT_EQ(AllocSelectionList(), 1);
        for (selectionShownCount = 0; selectionShownCount < count; ++selectionShownCount) {
            ObjectRecord r = fixture::SharedObject(kDesignationUser, selectionShownCount + 1);
            std::snprintf(r.name, sizeof r.name, "Obj %d", selectionShownCount);
            ASSERT_EQ(MakeSelectionEntry(selectionShownCount, kSourceUser, selectionList, &r), 1);
        }
        selectionCount = count;
        ShowAll();
    }
    long MemoLines() const {
        std::string text = MemoText();
        return std::count(text.begin(), text.end(), '\n');
    }
    // Shows every entry of the list (under the class filter) as its rows.
    void ShowAll() { selectionShownCount = FilterSelectionByClass(selectionClassFilter, selectionList, selectionCount); }
    std::vector<SelectionEntry> Entries() const { return {selectionList, selectionList + selectionCount}; }
    static Bytes EntryBytes(const SelectionEntry& e) {
        Bytes b(kSelectionEntrySize);
        StoreSelectionEntry(e, b.data());
        return b;
    }
};

TEST(MemoFields, ReadUpToTheSeparator) {
    struct Case {
        const char* src;
        int max;
        const char* field;
        int consumed;
    } cases[] = {{"abc;def", 29, "abc", 4}, {"abc\r\nx", 29, "abc", 4}, {"abc\nx", 29, "abc", 4},
                 {"abc", 29, "abc", 4},     {"abcdef;", 2, "ab", 7},   {";", 29, "", 1},
                 {"", 29, "", 1}};
    for (const Case& c : cases) {
        char field[32];
        EXPECT_EQ(ReadMemoField(c.src, field, c.max), c.consumed) << c.src;
        EXPECT_STREQ(field, c.field) << c.src;
    }
}

TEST(MemoLines, ParseAUserObjectLine) {
    const char* line = "Foo;12;A name longer than eighteen;1STAR;Sb;05:30:00;-20:15:00;4.5;10;5;-56\nnext";
    ObjectRecord r{};
    ASSERT_EQ(ParseListLine(line, &r), static_cast<int>(std::strchr(line, '\n') - line + 1));
    // An unknown prefix is a user object; the small code is the low 8 bits of -56.
    ObjectRecord expected{63, 12, 30, 0, 5.5f, -20.25f, 4.5f, 10.0f, 5.0f, 200, 252, 0.0f, "A name longer than"};
    expected.constellation = static_cast<uint32_t>(FindConstellation(5.5, -20.25, kJ2000Day0));
    expected.distance = r.distance;
    EXPECT_EQ(fixture::ObjectBytes(r), fixture::ObjectBytes(expected));
}

TEST(MemoLines, DisplayFormatsOfPositionsAllReadBack) {
    const char* lines[] = {
        "NGC;1;x;GALXY; ;05.5000;-20.2500;1.0;1;1;0",   "NGC;1;x;GALXY; ;05:30:00;-20:15:00;1.0;1;1;0",
        "NGC;1;x;GALXY; ;05h30m00;-20\xB0" "15'00;1.0;1;1;0", "NGC;1;x;GALXY; ;05h30.0;-20\xB0" "15.0;1.0;1;1;0",
    };
    ObjectRecord r;
    for (const char* line : lines) {
        ASSERT_GT(ParseListLine(line, &r), 0) << line;
        EXPECT_FLOAT_EQ(r.rightAscension, 5.5f) << line;
        EXPECT_FLOAT_EQ(r.declination, -20.25f) << line;
    }
}

// A right ascension or declination is a decimal number or a form the display
// formats write; anything else, blank or letters once read as 0, is no place
// (NaN). Expected values: the sexagesimal fields summed by hand.
TEST(MemoLines, PlaceFieldsAreTakenOnlyAsANumberOrAWrittenForm) {
    const double nan = std::nan("");
    const struct {
        const char* ra;
        const char* dec;
        double hours, degrees;
    } cases[] = {
        {"00:42:44", "+41:16:09", 0.7122222, 41.2691667},
        {"23.75", "-70.75", 23.75, -70.75},
        {"23:45:00", "-70:45:00", 23.75, -70.75},
        {"23h45m00", "-70\xB0" "45'00", 23.75, -70.75},
        {"23h45.0", "-70\xB0" "45.0", 23.75, -70.75},
        {" 5,5 ", "-00:30:00", 5.5, -0.5},
        {"", "10", nan, 10},
        {" ", "10", nan, 10},
        {"abcdef", "ghij", nan, nan},
        {"12:60:00", "10:00:60", nan, nan},
        {"12:30", "12h30m00", nan, nan},
        {"12h30m", "10\xB0" "30", nan, nan},
        {"1.2.3", "--10", nan, nan},
        {"23:59:59.9", "+ 10", nan, nan},
    };
    for (const auto& c : cases) {
        const std::string line = std::string("User;1;x;GALXY; ;") + c.ra + ";" + c.dec + ";9.0;1;1;0";
        ObjectRecord r;
        ASSERT_GT(ParseListLine(line.c_str(), &r), 0) << line;
        const double got[] = {r.rightAscension, r.declination}, expected[] = {c.hours, c.degrees};
        for (int i = 0; i < 2; ++i) {
            if (std::isnan(expected[i])) EXPECT_TRUE(std::isnan(got[i])) << line << " " << got[i];
            else EXPECT_NEAR(got[i], expected[i], 1e-5) << line;  // float storage: 0.04 arcsecond
        }
    }
}

// Exported planets and bright stars come back as such, not as constellations.
TEST(MemoLines, BlankPrefixIsToldApartByTheObjectType) {
    ObjectRecord r;
    const std::pair<const char*, uint32_t> blanks[] = {{"      ;4;Mars;PLANET; ;01:00:00;10:00:00;1.0;1;1;0", 45},
                                                      {"      ;7;Vega;1STAR; ;18:36:56;38:47:01;0.0;1;1;0", 54},
                                                      {"      ;52;Lyr;CONST; ;18:36:28;35:39:00;0.0;0;0;0", 13}};
    for (auto [line, designation] : blanks) {
        ASSERT_GT(ParseListLine(line, &r), 0);
        EXPECT_EQ(r.designationId, designation) << line;
    }
}

TEST(MemoLines, LineEndingBeforeTheEleventhFieldIsBad) {
    ObjectRecord r;
    EXPECT_EQ(ParseListLine("NGC;224;M31;GALXY", &r), -1);
    // A short line does not take its fields from the next line.
    EXPECT_EQ(ParseListLine("NGC;224;M31\nNGC;1;x;GALXY; ;1;1;1.0;1;1;0\n", &r), -1);
    EXPECT_EQ(ParseListLine("\r\n", &r), -1);
    // The last line may end without a line end; line ends before a line are skipped.
    const char* last = "\r\nNGC;1;x;GALXY; ;1;1;1.0;1;1;0";
    EXPECT_EQ(ParseListLine(last, &r), static_cast<int>(std::strlen(last)) + 1);
}

TEST(MemoLines, FormatOfALine) {
    preferences.word[kPrefRaFormat] = 1;
    preferences.word[kPrefDecFormat] = 1;
    // 0.7123 h = 2564.28 s; 41.27 deg = 41 deg 16' 12".
    SelectionEntry e{};
    e.number = 224; e.designation = kDesignationNgc; e.objectType = 16; e.rightAscension = 0.7123f;
    e.declination = -41.27f; e.size1 = 178; e.size2 = 63; e.smallCode = 200; e.typeCode = 252; e.mag10 = 34;
    char line[256];
    ASSERT_EQ(FormatListLine(line, sizeof line, &e), 1);
    EXPECT_STREQ(line, "NGC;224; ;GALXY;Sb      ;00:42:44;-41:16:12;3.4;178;63;-56\n");
    EXPECT_EQ(FormatListLine(line, 20, &e), 0);
}

// A list made by the import (catalogue objects from the built-in tables, user
// objects, planets, a bright star and a constellation), exported in one display
// format and imported again.
class MemoRoundTripTest : public MemoTest, public ::testing::WithParamInterface<std::pair<int, int>> {};

const char* const kListText =
    "M;31;M31;GALXY;Sb      ;00:42:44;41:16:09;3.4;178;63;35\n"
    "C;14;C14;OPNCL;I 3 r :a;02:20:00;57:08:00;3.7;30;30;0\n"
    "H;1;NGC40;PLNNB;PN      ;00:13:00;72:31:00;11.9;1;1;0\n"
    "SAC;110;NGC7789;OPNCL;II 1 r :b;23:57:24;56:43:00;6.7;16;16;0\n"
    "      ;4;Mars;PLANET;        ;01:10:20;10:20:30;1.5;0;0;0\n"
    "      ;12;Vega;1STAR;        ;18:36:56;38:47:01;0.0;1;1;3\n"
    "      ;52;Lyr;CONST;        ;18:36:28;35:39:00;0.0;0;0;0\n"
    "User;3;My galaxy;GALXY;III 1m:b;12:34:56;-12:34:56;12.3;5;2;200\n"
    "Foo;7;Odd one;NEBUL;Sbc;21:00:00;-60:30:15;9.9;4;4;-1\n";

// Acceptance: the same list for every display format (Mars as the export
// wrote it, at its place of the program's time).
TEST_P(MemoRoundTripTest, ExportedListImportsAsTheSameList) {
    ASSERT_EQ(ImportMemoText(kListText), 9);
    ShowAll();
    preferences.word[kPrefRaFormat] = GetParam().first;
    preferences.word[kPrefDecFormat] = GetParam().second;
    ExportListToMemo();
    std::vector<SelectionEntry> before = Entries();
    char text[kMemoBufferSize];
    ASSERT_TRUE(ReadMemoFile("20240305_zendamemo_2107.txt", text, sizeof text));
    ASSERT_EQ(ImportMemoText(text), 9) << text;
    // Resolution of the written positions: 0.0001 h and degree, whole seconds, and
    // tenths of a minute (rounded up: up to 6 s or 6").
    const double resolution[] = {0.00005, 0.5 / 3600, 0.5 / 3600, 6.0 / 3600};
    for (int i = 0; i < 9; ++i) {
        SelectionEntry b = selectionList[i];
        EXPECT_NEAR(b.rightAscension, before[i].rightAscension, resolution[GetParam().first] + 1e-6) << i;
        EXPECT_NEAR(b.declination, before[i].declination, resolution[GetParam().second] + 1e-5) << i;
        b.rightAscension = before[i].rightAscension;
        b.declination = before[i].declination;
        if (b.designation == kDesignationPlanet)  // a memo carries no distance; the constellation is of J2000
            b.distance = before[i].distance, b.constellation = before[i].constellation;
        EXPECT_EQ(EntryBytes(b), EntryBytes(before[i])) << before[i].name;
    }
    EXPECT_EQ(selectionList[4].source, kSourcePlanet);
    EXPECT_EQ(selectionList[5].designation, kDesignationBrightStar);
}

INSTANTIATE_TEST_SUITE_P(EveryDisplayFormat, MemoRoundTripTest,
                         ::testing::Values(std::pair{0, 0}, std::pair{1, 1}, std::pair{2, 2}, std::pair{3, 3},
                                           std::pair{0, 2}, std::pair{2, 0}, std::pair{1, 3}, std::pair{3, 1}));

// Catalogue lines take their catalogue records; the list's date is the current one.
// Acceptance: a CRLF text imports as the LF text.
TEST_F(MemoTest, ImportedEntriesFromTheLinesAlsoWithCrLf) {
    ASSERT_EQ(ImportMemoText(kListText), 9);
    const SelectionEntry& m31 = selectionList[0];
    EXPECT_EQ(std::make_tuple(std::string(m31.name), m31.designation, m31.number, m31.source, m31.sourceIndex),
              std::make_tuple(std::string("M31"), int16_t{kDesignationNgc}, 224, uint16_t{kSourceMessier}, uint16_t{30}));
    EXPECT_EQ(std::string(selectionList[1].name) + "|" + selectionList[2].name, "C14|NGC40");
    EXPECT_EQ(selectionList[2].source, kSourceHerschel);
    EXPECT_EQ(selectionList[3].number, 7789);
    EXPECT_EQ(selectionList[4].sourceIndex, 4);
    // "III 1m:b" is type code 150, not the "III 1m:a" before it.
    const SelectionEntry& user = selectionList[7];
    EXPECT_EQ(std::make_tuple(std::string(user.name), user.designation, user.source, user.sourceIndex, user.typeCode,
                              user.smallCode, user.mag10),
              std::make_tuple(std::string("My galaxy"), int16_t{kDesignationUser}, uint16_t{0}, uint16_t{3},
                              uint8_t{150}, uint8_t{200}, 123));
    EXPECT_EQ(selectionList[8].designation, kDesignationUser);  // unknown prefix "Foo"
    EXPECT_EQ(std::make_tuple(selectionCriteria.year, selectionCriteria.minute), std::make_tuple(2024, 7));
    std::vector<SelectionEntry> lf = Entries();
    std::string crlf;
    for (const char* p = kListText; *p; ++p) crlf += *p == '\n' ? std::string("\r\n") : std::string(1, *p);
    ASSERT_EQ(ImportMemoText(crlf.c_str()), 9);
    for (int i = 0; i < 9; ++i) EXPECT_EQ(EntryBytes(selectionList[i]), EntryBytes(lf[i])) << i;
    EXPECT_TRUE(services.messages.empty());
}

TEST_F(MemoTest, RepeatedBadAndOutOfTableLines) {
    ASSERT_EQ(ImportMemoText("M;31;M31;GALXY; ;0;0;3.4;1;1;0\nNGC;224;x;GALXY; ;0;0;3.4;1;1;0\n"), 1);
    EXPECT_EQ(TakeMessages(), Texts{"Already loaded:|NGC;224;x;GALXY; ;0;0;3.4;1;1;"});  // the first 30 characters
    // A bad line stops the import keeping what was read.
    ASSERT_EQ(ImportMemoText("NGC;1;a;GALXY; ;0;0;1.0;1;1;0\nNGC;2;b\nNGC;3;c;GALXY; ;0;0;1.0;1;1;0\n"), 1);
    EXPECT_EQ(TakeMessages(), Texts{"Failed to load data. Check line|NGC;2;b"});
    // A Messier number beyond the table keeps the line.
    ASSERT_EQ(ImportMemoText("M;200;M200;GALXY; ;01:00:00;02:00:00;9.0;1;1;0"), 1);
    const SelectionEntry& e = selectionList[0];
    EXPECT_EQ(std::make_tuple(std::string(e.name), e.designation, e.number, e.source, e.sourceIndex),
              std::make_tuple(std::string("M200"), int16_t{kDesignationMessier}, 200, uint16_t{0}, uint16_t{200}));
}

// A line whose place is no place on the sky (as the list loader would find
// it), or whose place field holds more than a place past its first 29
// characters, is told with its text and left out; the next line is still read.
// So is a line with a whole number beyond 32 bits: its Dec 4294967341,
// -4294967321 or 10^34 - 45 was taken at +45, -25 or -45 degrees, its RA
// 4294967297 at 1 h, its number 4294967297 as 1.
TEST_F(MemoTest, LineOffTheSkyIsToldAndTheNextLineTaken) {
    const std::string good = "NGC;224;M31;GALXY; ;00:42:44;41:16:09;3.4;178;63;0\n";
    const std::string longDec = "User;1;Far;GALXY; ;1;" + std::string(32, '9') + "55;9;0;0;0";
    for (const char* bad : {"User;1;Far;GALXY; ;1;4294967341;9;0;0;0", "User;1;Far;GALXY; ;4294967297;10;9;0;0;0",
                            "User;1;Far;GALXY; ;1;-4294967321;9;0;0;0", longDec.c_str(),
                            "User;4294967297;Far;GALXY; ;1;10;9;0;0;0", "User;1;Far;GALXY; ;1;10;9;0;0;4294967297",
                            "User;1;Far;GALXY; ;1000;10;9;0;0;0", "User;1;Far;GALXY; ;-0.5;10;9;0;0;0",
                            "User;1;Far;GALXY; ;24:00:00;10;9;0;0;0", "User;1;Far;GALXY; ;1;95;9;0;0;0",
                            ";;;;;;;;;;", "X;3;Letters;GALXY;Sb ;abcdef;ghij;zz;q;q;q",
                            "User;1;a;GALXY; ;00:42:44                     xyz;41:16:09;3.4;1;1;0",
                            "User;1;b;GALXY; ;22.600000000000000000000000000xyz;41:16:09;3.4;1;1;0",
                            "User;1;c;GALXY; ;00:42:44;+42:20:57                     letters;3.4;1;1;0"}) {
        ASSERT_EQ(ImportMemoText((std::string(bad) + "\n" + good).c_str()), 1) << bad;
        EXPECT_EQ(TakeMessages(), Texts{std::string("Failed to load data. Check line|") + bad});
        EXPECT_EQ(selectionList[0].number, 224) << bad;
    }
    // A signed declination is a place, and so is one with blanks after it.
    ASSERT_EQ(ImportMemoText("1;M;M31;GALXY;Sb ;00:42:44;+41:16:09                              ;3.4;178;63;0"), 1);
    EXPECT_TRUE(services.messages.empty());
}

// Names holding the separator or a line break are written so that the memo
// imports back to as many entries at the same places.
TEST_F(MemoTest, NamesWithSeparatorsReadBack) {
    ASSERT_EQ(AllocSelectionList(), 1);
    const char* names[] = {"Alpha;Beta", "Gamma", "Delta\r\nX"};
    for (selectionShownCount = 0; selectionShownCount < 3; ++selectionShownCount) {
        ObjectRecord r = fixture::SharedObject(kDesignationUser, selectionShownCount + 1);
        std::snprintf(r.name, sizeof r.name, "%s", names[selectionShownCount]);
        r.rightAscension = 1.5f + selectionShownCount, r.declination = -20.25f + 10 * selectionShownCount;
        ASSERT_EQ(MakeSelectionEntry(selectionShownCount + 1, kSourceUser, selectionList, &r), 1);
    }
    selectionCount = 3;
    ShowAll();
    const std::vector<SelectionEntry> before = Entries();
    ExportListToMemo();
    char text[kMemoBufferSize];
    ASSERT_TRUE(ReadMemoFile("20240305_zendamemo_2107.txt", text, sizeof text));
    ASSERT_EQ(ImportMemoText(text), 3) << text;
    EXPECT_EQ(std::string(selectionList[0].name) + "|" + selectionList[2].name, "Alpha,Beta|Delta  X");
    for (int i = 0; i < 3; ++i) {
        EXPECT_NEAR(selectionList[i].rightAscension, before[i].rightAscension, 0.5 / 3600) << i;
        EXPECT_NEAR(selectionList[i].declination, before[i].declination, 0.5 / 3600) << i;
    }
}

// 40 different objects and room for 25 ("Max Selected items" at its default):
// one message for the 15 lines left out, none of "Already loaded:" (they
// never were). A line already in the list, under any designation, is still
// told of, also once the list is full (it was counted as not imported).
TEST_F(MemoTest, LinesBeyondTheListsRoomAreToldOfOnce) {
    std::string text = "NGC;224;dup;GALXY; ;0;0;3.4;1;1;0\nNGC;224;dup;GALXY; ;0;0;3.4;1;1;0\n";
    for (int i = 1; i <= 39; ++i) text += "NGC;" + std::to_string(1000 + i) + ";x;GALXY; ;01:00:00;10:00:00;9.0;1;1;0\n";
    text += "M;31;M31;GALXY; ;0;0;3.4;1;1;0\n";
    ASSERT_EQ(ImportMemoText(text.c_str()), 25);
    EXPECT_EQ(TakeMessages(), (Texts{"Already loaded:|NGC;224;dup;GALXY; ;0;0;3.4;1;", "Already loaded:|M;31;M31;GALXY; ;0;0;3.4;1;1;0",
                                     "List full: 15 lines not imported.|"}));
    EXPECT_EQ(selectionList[24].number, 1024);
}

// The file is named by the minute; a later export of the same minute goes to
// the next free "_2" name and leaves the earlier memos as they were; an
// export of no row writes none.
TEST_F(MemoTest, ExportNamesTheFileByTheMinuteAndCountsTheObjects) {
    ImportMemoText(kListText);
    ShowAll();
    EXPECT_EQ(ExportListToMemo(), 1);
    EXPECT_EQ(services.Texts().back(), "9 Objects exported.\n");
    EXPECT_EQ(MemoLines(), 9);
    const std::string first = MemoText();
    selectionShownCount = 1;
    ExportListToMemo();
    EXPECT_EQ(services.Texts().back(), "1 Object exported.\n");
    const std::string second = MemoText("20240305_zendamemo_2107_2.txt");
    EXPECT_EQ(std::count(second.begin(), second.end(), '\n'), 1);
    selectionShownCount = 0;
    ExportListToMemo();
    EXPECT_EQ(services.Texts().back(), "Nothing to export.");
    EXPECT_EQ(MemoText(), first);
    EXPECT_EQ(pl::ListDirectory("userlists\\*.*"),
              (Texts{"20240305_zendamemo_2107.txt", "20240305_zendamemo_2107_2.txt"}));
}

// Outside a list export each text is a memo of its own, under its own name.
TEST_F(MemoTest, SingleExportWriteMakesAMemoOfItsOwn) {
    EXPECT_EQ(ExportMemo("first\n"), 1);
    EXPECT_EQ(MemoText(), "first\n");
    ExportMemo("second\n");
    EXPECT_EQ(MemoText(), "first\n");
    EXPECT_EQ(MemoText("20240305_zendamemo_2107_2.txt"), "second\n");
    EXPECT_TRUE(services.messages.empty());
}

// With a class filter on, the rows shown are written, not the first entries.
TEST_F(MemoTest, ExportWritesTheRowsShownUnderTheClassFilter) {
    ImportMemoText(kListText);
    selectionClassFilter = 1;  // stars: Vega only
    ShowAll();
    ASSERT_EQ(selectionShownCount, 1);
    ExportListToMemo();
    EXPECT_EQ(MemoText().substr(0, 12), "      ;12;Ve");
}

// A list longer than the export buffer is written whole into one file.
TEST_F(MemoTest, LongListIsExportedWholeIntoOneFile) {
    FillUserObjects(500);
    ExportListToMemo();
    std::string text = MemoText();
    ASSERT_GT(text.size(), kMemoFlushBytes);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 500);
    EXPECT_EQ(text.substr(0, 18), "User;1;Obj 0;GALXY");
    EXPECT_NE(text.find("User;500;Obj 499;"), std::string::npos);
}

// A failed write leaves the older memo of that name as it was.
TEST_F(MemoTest, FailedExportKeepsTheOlderMemo) {
    ImportMemoText(kListText);
    ShowAll();
    ExportListToMemo();
    std::string older = MemoText();
    services.messages.clear();
    selectionShownCount = 2;
    pl::FailWritesAfter(10);
    ExportListToMemo();
    ASSERT_GE(services.messages.size(), 1u);
    EXPECT_EQ(TakeMessages()[0], "Error while exporting memo.|20240305_zendamemo_2107_2.txt");
    EXPECT_EQ(MemoText(), older);
    EXPECT_EQ(pl::ListDirectory("userlists\\*.*"), Texts{"20240305_zendamemo_2107.txt"});
}

// Writes that fail at once or after the first 16 KB, or a temporary file that
// cannot be made: one error box, no count, the earlier memo kept, none added.
TEST_F(MemoTest, FailedExportIsToldOnceWithoutACount) {
    FillUserObjects(480);
    ExportListToMemo();
    const std::string older = MemoText();
    const std::string second = "20240305_zendamemo_2107_2.txt";
    const struct {
        long writeBudget;
        bool folderInTheWay;
        std::string message;
    } cases[] = {{0, false, "Error while exporting memo.|" + second},
                 {20000, false, "Error while exporting memo.|" + second},
                 {-1, true, "Can't open memo:|" + second}};
    for (const auto& c : cases) {
        services.messages.clear();
        const std::string inTheWay = folder.root() + "/userlists/" + second + ".tmp";
        if (c.folderInTheWay) std::filesystem::create_directory(inTheWay);
        pl::FailWritesAfter(c.writeBudget);
        EXPECT_EQ(ExportListToMemo(), 1);
        pl::FailWritesAfter(-1);
        std::filesystem::remove(inTheWay);
        EXPECT_EQ(TakeMessages(), Texts{c.message}) << c.writeBudget;
        EXPECT_EQ(MemoText(), older) << c.writeBudget;
        EXPECT_EQ(pl::ListDirectory("userlists\\*.*"), Texts{kMemoOfTheMinute}) << c.writeBudget;
    }
}

// The export killed by the file-size limit at byte 0, 1, 4096, 16384 or one
// short of the whole: the earlier memo stays byte-identical and the new one is
// absent, never a part of the list (274 of 480 lines were left); with no limit
// it holds all 480 lines.
TEST_F(MemoTest, KilledExportLeavesNoNewMemoOrAWholeOne) {
    FillUserObjects(480);
    ExportListToMemo();
    const std::string whole = MemoText();
    ASSERT_EQ(std::count(whole.begin(), whole.end(), '\n'), 480);
    const rlim_t limits[] = {0, 1, 4096, 16384, whole.size() - 1, RLIM_INFINITY};
    for (rlim_t limit : limits) {
        std::filesystem::remove(folder.root() + "/userlists/20240305_zendamemo_2107_2.txt");
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            const rlimit size{limit, limit}, core{0, 0};
            setrlimit(RLIMIT_CORE, &core);
            std::signal(SIGXFSZ, SIG_DFL);
            if (setrlimit(RLIMIT_FSIZE, &size) != 0) _exit(2);
            ExportListToMemo();
            _exit(0);
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        const bool killed = WIFSIGNALED(status) && WTERMSIG(status) == SIGXFSZ;
        EXPECT_EQ(killed, limit != RLIM_INFINITY) << limit;
        EXPECT_EQ(MemoText(), whole) << limit;
        const Texts memos = pl::ListDirectory("userlists\\*.txt");
        if (killed) EXPECT_EQ(memos, Texts{kMemoOfTheMinute}) << limit;
        else EXPECT_EQ(MemoText("20240305_zendamemo_2107_2.txt"), whole);
    }
}

// A memo cut for length still gives its whole lines, with the message; one
// that gives no entry says only that, naming the file, and keeps the list.
TEST_F(MemoTest, CutMemoIsToldOnlyWhenItGivesEntries) {
    const struct {
        const char* text;
        int entries;
        Texts messages;
    } cases[] = {{"NGC;1;a;GALXY; ;01:00:00;10:00:00;1.0;1;1;0\n", 1, {"Memo file too long.|long.txt"}},
                 {"NGC;2;b;GALXY; ; ;10:00:00;1.0;1;1;0\n", 0, {"No object found in memo:|long.txt"}}};
    for (const auto& c : cases) {
        EXPECT_EQ(ImportMemoFileText("long.txt", c.text, true), c.entries) << c.text;
        EXPECT_EQ(TakeMessages(), c.messages) << c.text;
        ASSERT_EQ(selectionCount, 1);
        EXPECT_EQ(selectionList[0].number, 1);
    }
}

TEST_F(MemoTest, ReadingMemoFiles) {
    char text[64];
    folder.WriteRaw("userlists\\a.txt", Bytes{'x', ';', 'y', '\r', '\n'});
    ASSERT_TRUE(ReadMemoFile("a.txt", text, sizeof text));
    EXPECT_STREQ(text, "x;y\r\n");
    folder.WriteRaw("userlists\\empty.txt", Bytes{});
    for (const char* name : {"missing.txt", "empty.txt", "../a.txt"}) EXPECT_FALSE(ReadMemoFile(name, text, sizeof text));
    EXPECT_EQ(TakeMessages(), (Texts{"Can't open file.|userlists\\missing.txt", "Can't read file.|", "Invalid list name.|"}));
}

// A file longer than the buffer is cut after its last whole line, terminated inside the buffer.
TEST_F(MemoTest, MemoTooLongForTheBufferIsCutAfterAWholeLine) {
    std::string line = "NGC;1;x;GALXY; ;0;0;1.0;1;1;0\n";  // 30 characters
    std::string file;
    for (int i = 0; i < 10; ++i) file += line;
    folder.WriteRaw("userlists\\long.txt", Bytes(file.begin(), file.end()));
    char text[100 + 8];
    std::memset(text, '#', sizeof text);
    ASSERT_TRUE(ReadMemoFile("long.txt", text, 100));
    EXPECT_EQ(std::string(text), line + line + line);
    EXPECT_EQ(text[107], '#');
    EXPECT_EQ(TakeTexts(), Texts{"Memo file too long."});
    char exact[301];
    ASSERT_TRUE(ReadMemoFile("long.txt", exact, sizeof exact));
    EXPECT_EQ(std::string(exact), file);
    EXPECT_TRUE(services.messages.empty());
}

}  // namespace
