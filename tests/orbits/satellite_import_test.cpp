// The import of element sets: which lines are element lines (the check digit
// of the two-line format), how a text is read into records, and how they are
// merged into the satellite database file.
#include "orbits/satellite_import.h"

#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "catalog/databases.h"
#include "platform/files.h"
#include "satellite_search_fixture.h"
#include "support/catalog_fixture.h"
#include "support/recording_services.h"
#include "support/test_site.h"

namespace {

// Element lines as published with their check digits (SGP4-VER.TLE of Vallado
// et al. 2006, through the verification table).
struct Published {
    std::string name, line1, line2;
};

Published Set(const char* name, int number) {
    auto [line1, line2] = VerificationLines(number);
    return {name, line1, line2};
}

std::string Text(const std::vector<Published>& sets, const char* end = "\n") {
    std::string text;
    for (const Published& p : sets) text += p.name + end + p.line1 + end + p.line2 + end;
    return text;
}

// The same line with its last (check) digit moved on by one.
// The line with byte `at` replaced by `byte`.
std::string WithByte(std::string line, size_t at, char byte) {
    line[at] = byte;
    return line;
}

std::string WrongCheckDigit(std::string line) {
    line[68] = static_cast<char>('0' + (line[68] - '0' + 1) % 10);
    return line;
}

std::string Field(const char* field) { return std::string(field, strnlen(field, 71)); }

// `line` with `text` at `column` and its check digit made right again.
std::string Rewritten(std::string line, std::size_t column, const std::string& text) {
    line.replace(column, text.size(), text);
    int sum = 0;
    for (std::size_t i = 0; i < 68; ++i)
        sum += std::isdigit(static_cast<unsigned char>(line[i])) ? line[i] - '0' : line[i] == '-';
    line[68] = static_cast<char>('0' + sum % 10);
    return line;
}

TEST(ElementLine, CheckDigitAndShape) {
    const Published iss = Set("ISS", 29238);
    const std::string minus = VerificationLines(16925).first;  // "-30915-6": its '-' signs count 1 each
    const struct {
        std::string line;
        int number;
        bool element;
        const char* why;
    } cases[] = {
        {iss.line1, 1, true, "published line 1"},
        {iss.line2, 2, true, "published line 2"},
        {minus, 1, true, "published line with minus signs"},
        {iss.line1, 2, false, "line 1 read as line 2"},
        {WrongCheckDigit(iss.line1), 1, false, "check digit moved on"},
        {iss.line1.substr(0, 68), 1, false, "68 characters: no check digit"},
        {iss.line1 + "  ", 1, true, "71 characters"},
        {iss.line1 + "   ", 1, false, "72 characters"},
        {"1X" + iss.line1.substr(2), 1, false, "no blank after the line number"},
        {WithByte(iss.line1, 20, '\x01'), 1, false, "a control character"},
        {WithByte(iss.line1, 20, '\xE9'), 1, false, "a byte above ASCII"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsElementLine(c.line.c_str(), c.line.size(), c.number), c.element) << c.why;
}

// Three good records and one whose line 1 has a wrong check digit: three
// records and one skipped, whatever the line ends and blank lines between.
TEST(ElementSetText, GoodRecordsReadAndDamagedOnesCounted) {
    Published bad = Set("BAD 28057", 28057);
    bad.line1 = WrongCheckDigit(bad.line1);
    const std::vector<Published> sets = {Set("ISS 29238", 29238), bad, Set("GEO 28626", 28626),
                                         Set("MOLNIYA 08195", 8195)};
    for (const char* end : {"\n", "\r\n"}) {
        const std::string text = Text(sets, end) + end;
        const ElementSetText read = ReadElementSetText(text.data(), text.size());
        ASSERT_EQ(read.records.size(), 3u) << (end[1] ? "CR LF" : "LF");
        EXPECT_EQ(read.skipped, 1);
        EXPECT_EQ(Field(read.records[0].nameLine), "ISS 29238");
        EXPECT_EQ(Field(read.records[1].line1), sets[2].line1);
        EXPECT_EQ(Field(read.records[2].line2), sets[3].line2);
        EXPECT_EQ(read.records[0].nameLine[9], '\0');  // fields zero-filled after their text
    }
}

TEST(ElementSetText, StrayLinesCountOneEach) {
    const Published iss = Set("ISS 29238", 29238);
    const struct {
        std::string text;
        std::size_t records;
        int skipped;
        const char* why;
    } cases[] = {
        {"", 0, 0, "nothing"},
        {"\n\n  \n", 0, 0, "blank lines only"},
        {"hello\nworld\n", 0, 2, "two lines of prose"},
        {iss.line1 + "\n" + iss.line2 + "\n", 0, 2, "element lines without a name line"},
        {"junk\n" + Text({iss}), 1, 1, "a stray line before a record"},
        {Text({iss}).substr(0, Text({iss}).size() - 1), 1, 0, "the last line without its line end"},
        {iss.name + "\n" + iss.line1 + "\n", 0, 2, "a record cut after line 1"},
        {std::string(72, 'N') + "\n" + iss.line1 + "\n" + iss.line2 + "\n", 0, 3, "a name line of 72 characters"},
        {Text({{iss.name, iss.line1, Rewritten(iss.line2, 17, "   71416")}}), 0, 1, "a node of 71416 degrees"},
        {Text({{iss.name, Rewritten(iss.line1, 18, "06400"), iss.line2}}), 0, 1, "day 400 of 2006"},
    };
    for (const auto& c : cases) {
        const ElementSetText read = ReadElementSetText(c.text.data(), c.text.size());
        EXPECT_EQ(read.records.size(), c.records) << c.why;
        EXPECT_EQ(read.skipped, c.skipped) << c.why;
    }
}

// Every number of the element lines read by its format: digits, blanks
// before them, a sign where the format has one (the derivatives, the drag and
// second-derivative mantissas and exponents), a decimal point where it has one
// (not in the eccentricity nor the mantissas). Each field of 29238's lines
// holding "nan", "inf", a letter O for a zero, and the drag "102inf",
// a blank after the digits, a sign or point out of place, each with its check
// digit right: not an element line, and the set skipped and counted beside a
// sound one. (Letters were skipped: an inclination "     nan" read as 0 and
// the set was imported; "102inf" as a drag of 0.00102.) Signs and points
// where the format has them still read.
TEST(ElementSetText, NumbersHoldingLettersAreRefusedAndCounted) {
    const Published sound = Set("ISS 29238", 29238);
    const struct {
        int line, column, width;
    } fields[] = {{1, 18, 14}, {1, 33, 10}, {1, 44, 6}, {1, 50, 2}, {1, 53, 6}, {1, 59, 2},
                  {2, 8, 8},   {2, 17, 8},  {2, 26, 7}, {2, 34, 8}, {2, 43, 8}, {2, 52, 11}};
    struct Case {
        int line, column;
        std::string text;
        bool reads;
    };
    std::vector<Case> cases = {
        {1, 53, "102inf", false},       {2, 52, "15.5       ", false}, {2, 8, " -51.644", false},
        {2, 26, "0.08673", false},      {1, 53, "12.345", false},      {2, 17, "12.4.567", false},
        {1, 33, "- .0000008", false},   {1, 33, "+.00000084", true},   {1, 33, " -.0000008", true},
        {1, 44, "-12345", true},        {1, 50, "+1", true},           {1, 59, " 4", true},
        {2, 52, "         15", true},
    };
    for (const auto& f : fields) {
        const std::string original = (f.line == 1 ? sound.line1 : sound.line2).substr(f.column, f.width);
        std::string letterO = original;
        letterO[letterO.find_first_of("0123456789")] = 'O';
        for (std::string token : {std::string("nan"), std::string("inf"), letterO}) {
            if (token.size() > static_cast<std::size_t>(f.width)) token = token.substr(token.size() - f.width);
            cases.push_back({f.line, f.column, std::string(f.width - token.size(), ' ') + token, false});
        }
    }
    for (const Case& c : cases) {
        Published set = sound;
        std::string& line = c.line == 1 ? set.line1 : set.line2;
        line = Rewritten(line, c.column, c.text);
        EXPECT_EQ(IsElementLine(line.c_str(), line.size(), c.line), c.reads) << c.line << " '" << c.text << "'";
        const std::string text = Text({set, Set("GEO 28626", 28626)});
        const ElementSetText read = ReadElementSetText(text.data(), text.size());
        EXPECT_EQ(read.records.size(), c.reads ? 2u : 1u) << c.line << " '" << c.text << "'";
        EXPECT_EQ(read.skipped, c.reads ? 0 : 1) << c.line << " '" << c.text << "'";
    }
}

class SatelliteImportTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetWithDefaults();
        ResetCatalogState();
    }
    void TearDown() override {
        pl::FailWritesAfter(-1);
        ResetCatalogState();
    }
    std::string DatabaseBytes() const {
        std::ifstream in(folder.root() + "/data/zendavori_satellites.ppc", std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    static std::vector<std::string> Names() {
        std::vector<std::string> names;
        for (int i = 0; i < GetSatelliteCount(); ++i) {
            SatelliteRecord r;
            if (GetSatelliteRecord(i, &r)) names.push_back(Field(r.nameLine));
        }
        return names;
    }
    int Import(const std::string& text) { return ImportSatelliteText(text.data(), text.size()); }

    fixture::CatalogFolder folder;
    RecordingServices services;
};

// With no satellite database the import makes the file, opens it and reports.
TEST_F(SatelliteImportTest, NoDatabaseGetsOneMade) {
    folder.Remove("data\\zendavori_satellites.ppc");
    Published bad = Set("BAD", 28057);
    bad.line2 = WrongCheckDigit(bad.line2);
    EXPECT_EQ(Import(Text({Set("ISS", 29238), Set("GEO", 28626), bad, Set("MOLNIYA", 8195)})), 3);
    ASSERT_EQ(services.messages.size(), 1u);
    EXPECT_EQ(services.messages[0].text, "3 Satellite records imported.");
    EXPECT_EQ(services.messages[0].detail, "1 skipped.");
    EXPECT_EQ(Names(), (std::vector<std::string>{"ISS", "GEO", "MOLNIYA"}));
    EXPECT_EQ(DatabaseBytes().size(), 16u + 3 * 213);
    EXPECT_FALSE(pl::FileExists("data\\zendavori_satellites.ppc.tmp"));
}

// A record of a name already in the database replaces it (trailing blanks
// aside); others are added after the records there.
TEST_F(SatelliteImportTest, SameNameReplacedOthersAppended) {
    auto [old1, old2] = VerificationLines(88888);
    folder.WriteDb("data\\zendavori_satellites.ppc", 7, 213,
                   {fixture::SatelliteBytes("ISS   ", old1, old2), fixture::SatelliteBytes("KEEP", old1, old2)});
    ASSERT_TRUE(OpenRecordDb(&satelliteDb, "pl12", "ZDV1", "data\\", "zendavori_satellites.ppc"));
    const Published iss = Set("ISS", 29238);
    EXPECT_EQ(Import(Text({iss, Set("NEW", 28626)})), 2);
    EXPECT_EQ(services.messages[0].text, "2 Satellite records imported.");
    EXPECT_EQ(services.messages[0].detail, "");
    EXPECT_EQ(Names(), (std::vector<std::string>{"ISS", "KEEP", "NEW"}));
    SatelliteRecord first;
    ASSERT_TRUE(GetSatelliteRecord(0, &first));
    EXPECT_EQ(Field(first.line1), iss.line1);
    int version = 0;
    EXPECT_TRUE(GetDbVersion(satelliteDb, &version));
    EXPECT_EQ(version, 7);  // the file keeps its version
    services.messages.clear();
    EXPECT_EQ(Import(Text({Set("ONE", 29238)})), 1);
    EXPECT_EQ(services.Texts(), std::vector<std::string>{"1 Satellite record imported."});
}

// A disk that fills while the new file is written leaves the old one whole
// and open.
TEST_F(SatelliteImportTest, WriteFailureLeavesTheOldFileIntact) {
    auto [line1, line2] = VerificationLines(88888);
    folder.WriteDb("data\\zendavori_satellites.ppc", 1, 213, {fixture::SatelliteBytes("OLD", line1, line2)});
    ASSERT_TRUE(OpenRecordDb(&satelliteDb, "pl12", "ZDV1", "data\\", "zendavori_satellites.ppc"));
    const std::string before = DatabaseBytes();
    pl::FailWritesAfter(300);
    EXPECT_EQ(Import(Text({Set("ISS", 29238), Set("GEO", 28626)})), 0);
    EXPECT_EQ(services.Texts(), std::vector<std::string>{"Error while importing satellites."});
    EXPECT_EQ(DatabaseBytes(), before);
    EXPECT_EQ(Names(), std::vector<std::string>{"OLD"});
    EXPECT_FALSE(pl::FileExists("data\\zendavori_satellites.ppc.tmp"));
}

// Bytes that hold no element set add nothing and say what was skipped.
TEST_F(SatelliteImportTest, ArbitraryBytesAddNothing) {
    auto [line1, line2] = VerificationLines(88888);
    folder.WriteDb("data\\zendavori_satellites.ppc", 1, 213, {fixture::SatelliteBytes("OLD", line1, line2)});
    ASSERT_TRUE(OpenRecordDb(&satelliteDb, "pl12", "ZDV1", "data\\", "zendavori_satellites.ppc"));
    const std::string before = DatabaseBytes();
    std::string bytes;
    for (int i = 0; i < 600; ++i) bytes += static_cast<char>((i * 37 + 11) % 256);
    const ElementSetText read = ReadElementSetText(bytes.data(), bytes.size());
    EXPECT_EQ(Import(bytes), 0);
    ASSERT_EQ(services.messages.size(), 1u);
    EXPECT_EQ(services.messages[0].text, "0 Satellite record imported.");
    EXPECT_EQ(services.messages[0].detail, std::to_string(read.skipped) + " skipped.");
    EXPECT_GT(read.skipped, 0);
    EXPECT_EQ(DatabaseBytes(), before);
}

// A file whose header gives record size 0 (it does not open) or 250 (sets
// read askew), or counts 5 of its 50 sets, was rewritten with the new sets
// alone, the askew ones or the 5: it is left byte for byte, with one message
// naming it.
TEST_F(SatelliteImportTest, UnreadableFileIsLeftAsItIs) {
    auto [line1, line2] = VerificationLines(88888);
    const struct {
        std::size_t at;  // the header byte changed
        uint8_t value;
    } damages[] = {{12, 0}, {12, 250}, {8, 5}};
    for (const auto& d : damages) {
        folder.WriteDb("data\\zendavori_satellites.ppc", 1, 213,
                       std::vector<fixture::Bytes>(50, fixture::SatelliteBytes("OLD", line1, line2)));
        std::string bytes = DatabaseBytes();
        bytes[d.at] = static_cast<char>(d.value);
        folder.WriteRaw("data\\zendavori_satellites.ppc", fixture::Bytes(bytes.begin(), bytes.end()));
        CloseRecordDb(&satelliteDb);
        EXPECT_EQ(OpenRecordDb(&satelliteDb, "pl12", "ZDV1", "data\\", "zendavori_satellites.ppc"), d.value != 0);
        services.messages.clear();
        EXPECT_EQ(Import(Text({Set("ISS", 29238)})), 0) << d.at;
        ASSERT_EQ(services.messages.size(), 1u) << d.at;
        EXPECT_EQ(services.messages[0].text, "Error while importing satellites.");
        EXPECT_EQ(services.messages[0].detail, "data/zendavori_satellites.ppc could not be read; it is left as it is.");
        EXPECT_TRUE(DatabaseBytes() == bytes) << d.at;  // not printed: 10 KB
        EXPECT_FALSE(pl::FileExists("data\\zendavori_satellites.ppc.tmp"));
    }
}

// A file of 65535 sets (the most a record file counts) takes no new one: the
// set left out is told and the file not written again (a hard link beside it
// still shares its data). With room for 5 of 10 new sets, 5 are imported and
// 5 told.
TEST_F(SatelliteImportTest, FullFileTellsTheSetsLeftOut) {
    const struct {
        int sets, added;
        const char* message;
        const char* detail;
        bool rewritten;
    } cases[] = {
        {65535, 1, "0 Satellite record imported.", "1 left out: the satellite file is full (65535 sets).", false},
        {65530, 10, "5 Satellite records imported.", "5 left out: the satellite file is full (65535 sets).", true},
    };
    const std::filesystem::path file = std::filesystem::path(folder.root()) / "data" / "zendavori_satellites.ppc";
    const std::filesystem::path link = file.string() + ".link";
    for (const auto& c : cases) {
        ResetCatalogState();
        services.messages.clear();
        folder.WriteFullDb("data\\zendavori_satellites.ppc", 1, 213, {}, c.sets);
        std::filesystem::remove(link);
        std::filesystem::create_hard_link(file, link);
        ASSERT_TRUE(OpenRecordDb(&satelliteDb, "pl12", "ZDV1", "data\\", "zendavori_satellites.ppc"));
        std::vector<Published> added;
        for (int i = 0; i < c.added; ++i) added.push_back(Set(("NEW" + std::to_string(i)).c_str(), 29238));
        Import(Text(added));
        ASSERT_EQ(services.messages.size(), 1u) << c.sets;
        EXPECT_EQ(services.messages[0].text, c.message);
        EXPECT_EQ(services.messages[0].detail, c.detail);
        EXPECT_EQ(std::filesystem::hard_link_count(file), c.rewritten ? 1u : 2u) << c.sets;
        EXPECT_EQ(std::filesystem::file_size(file), 16u + 65535u * 213u) << c.sets;
        EXPECT_FALSE(pl::FileExists("data\\zendavori_satellites.ppc.tmp"));
    }
    EXPECT_EQ(Names().back(), "NEW4");
}

}  // namespace
