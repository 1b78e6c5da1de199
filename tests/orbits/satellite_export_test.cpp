// The export of the satellite database to memo files: the text of a record,
// where the memos are cut, and the one file that holds them all.
#include "orbits/satellite_export.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "catalog/databases.h"
#include "catalog/memo.h"
#include "core/shared_state.h"
#include "platform/files.h"
#include "support/catalog_fixture.h"
#include "support/recording_services.h"
#include "support/test_site.h"

namespace {

// A 71-character line: `prefix` and then the digits of its column numbers.
std::string FullLine(const std::string& prefix) {
    std::string line = prefix;
    while (line.size() < 71) line += static_cast<char>('0' + line.size() % 10);
    return line;
}

class SatelliteExportTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetWithDefaults();
        ResetCatalogState();
        ASSERT_TRUE(pl::MakeDirectory("userlists"));
        currentDateTime = DateTime{2024, 3, 5, 21, 7, 0};
        memos.clear();
    }
    void TearDown() override { ResetCatalogState(); }

    // `count` records of three full 71-character lines (216 characters of text each).
    void OpenFullRecords(int count) {
        std::vector<fixture::Bytes> records;
        for (int i = 0; i < count; ++i) {
            const std::string n = std::to_string(i + 1);
            records.push_back(fixture::SatelliteBytes(FullLine("SAT " + n + " "), FullLine("1 " + n + " "),
                                                      FullLine("2 " + n + " ")));
        }
        folder.WriteDb("data\\zendavori_satellites.ppc", 1, 213, records);
        CloseRecordDb(&satelliteDb);
        ASSERT_TRUE(OpenRecordDb(&satelliteDb, "pl12", "ZDV1", "data\\", "zendavori_satellites.ppc"));
    }
    std::string MemoFile(const std::string& name = "20240305_zendamemo_2107.txt") const {
        std::ifstream in(folder.root() + "/userlists/" + name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    static int RecordMemo(const char* text) {
        memos.emplace_back(text);
        return 1;
    }
    // The first field of each record in a memo: "SAT <n>".
    static std::vector<int> RecordNumbers(const std::string& memo) {
        std::vector<int> numbers;
        for (std::size_t at = memo.find("SAT "); at != std::string::npos; at = memo.find("SAT ", at + 1))
            numbers.push_back(std::stoi(memo.substr(at + 4)));
        return numbers;
    }
    static std::vector<int> Range(int first, int last) {
        std::vector<int> out;
        for (int i = first; i <= last; ++i) out.push_back(i);
        return out;
    }

    static inline std::vector<std::string> memos;
    fixture::CatalogFolder folder;
    RecordingServices services;
};

// A line ends at its first NUL or after its 71st character.
TEST_F(SatelliteExportTest, LinesEndAtTheirFirstNulOrAfter71Characters) {
    SatelliteRecord record;
    std::memset(&record, 0, sizeof record);
    std::memcpy(record.nameLine, "ISS (ZARYA)", 11);
    const std::string full = FullLine("1 25544U ");
    std::memcpy(record.line1, full.data(), 71);
    std::memcpy(record.line2, "2 25544", 7);
    std::string text = "before\n";
    EXPECT_EQ(AppendSatelliteRecordLines(text, record), 1);
    EXPECT_EQ(text, "before\nISS (ZARYA)\n" + full + "\n2 25544\n");
}

// 40 records of 216 characters: a memo is written before a record once the
// record before it began past character 3596 (record 18 begins at 3672), so
// the memos hold records 1-18, 19-36 and 37-40 and all 40 are counted.
TEST_F(SatelliteExportTest, FortyFullRecordsMakeThreeMemos) {
    OpenFullRecords(40);
    EXPECT_EQ(ExportSatelliteRecords(RecordMemo), 40);
    ASSERT_EQ(memos.size(), 3u);
    EXPECT_EQ(RecordNumbers(memos[0]), Range(1, 18));
    EXPECT_EQ(RecordNumbers(memos[1]), Range(19, 36));
    EXPECT_EQ(RecordNumbers(memos[2]), Range(37, 40));
    EXPECT_EQ(memos[0].size(), 18u * 216);
    EXPECT_EQ(services.busySteps, 8);  // records 0, 5, .. 35
    EXPECT_EQ(services.busyEnds, 1);
}

// The memos of one export go into the one file of its minute: an earlier
// memo is never replaced by a later one.
TEST_F(SatelliteExportTest, AllMemosOfAnExportStayInItsFile) {
    OpenFullRecords(40);
    EXPECT_EQ(ExportSatellites(), 1);
    EXPECT_EQ(RecordNumbers(MemoFile()), Range(1, 40));
    EXPECT_EQ(MemoFile().size(), 40u * 216);
    EXPECT_EQ(services.Texts(), std::vector<std::string>{"40 Satellite records exported.\n"});
}

// One record has no plural; none gives one empty text, which is no memo:
// nothing is written and that is said.
TEST_F(SatelliteExportTest, CountWithoutPluralForOneAndNone) {
    const struct {
        int records;
        const char* message;
    } cases[] = {{1, "1 Satellite record exported.\n"}, {0, "Nothing to export."},
                 {2, "2 Satellite records exported.\n"}};
    for (const auto& c : cases) {
        services.messages.clear();
        memos.clear();
        std::filesystem::remove(folder.root() + "/userlists/20240305_zendamemo_2107.txt");
        OpenFullRecords(c.records);
        EXPECT_EQ(ExportSatelliteRecords(RecordMemo), c.records);
        EXPECT_EQ(memos.size(), 1u);
        ExportSatellites();
        EXPECT_EQ(services.Texts(), std::vector<std::string>{c.message}) << c.records;
        EXPECT_EQ(std::filesystem::exists(folder.root() + "/userlists/20240305_zendamemo_2107.txt"), c.records > 0);
        EXPECT_EQ(MemoFile().size(), c.records * 216u) << c.records;
    }
    EXPECT_EQ(memos[0].size(), 2u * 216);
}

// With two memos of the minute, the satellite export takes "_3" and leaves
// both byte-identical; with its writes failing it is told once, without a
// count, and adds no file.
TEST_F(SatelliteExportTest, ExportNeverReplacesAnotherMemoAndAFailureIsToldOnce) {
    OpenFullRecords(40);
    ExportMemo("User;1;Kept;GALXY; ;01:00:00;10:00:00;9.0;1;1;0\n");
    ExportMemo("User;2;Kept too;GALXY; ;02:00:00;20:00:00;9.0;1;1;0\n");
    const std::vector<std::string> earlier{"20240305_zendamemo_2107.txt", "20240305_zendamemo_2107_2.txt"};
    const std::string first = MemoFile(earlier[0]), second = MemoFile(earlier[1]);
    const struct {
        long writeBudget;
        std::vector<std::string> messages;
    } cases[] = {{5000, {"Error while exporting memo."}}, {-1, {"40 Satellite records exported.\n"}}};
    for (const auto& c : cases) {
        services.messages.clear();
        pl::FailWritesAfter(c.writeBudget);
        ExportSatellites();
        pl::FailWritesAfter(-1);
        EXPECT_EQ(services.Texts(), c.messages);
        EXPECT_EQ(MemoFile(earlier[0]), first);
        EXPECT_EQ(MemoFile(earlier[1]), second);
    }
    EXPECT_EQ(RecordNumbers(MemoFile("20240305_zendamemo_2107_3.txt")), Range(1, 40));
    EXPECT_EQ(pl::ListDirectory("userlists\\*.*"),
              (std::vector<std::string>{earlier[0], earlier[1], "20240305_zendamemo_2107_3.txt"}));
}

}  // namespace
