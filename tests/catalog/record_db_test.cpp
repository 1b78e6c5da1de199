// The record database layer: header checks, reads, and the sorted-search rule.
#include <gtest/gtest.h>

#include <cstring>
#include <tuple>
#include <vector>

#include "catalog/record_db.h"
#include "catalog_test.h"

using fixture::ByteWriter;

namespace {

class RecordDbTest : public CatalogTest {
protected:
    RecordDbHandle* Open(const std::string& name) {
        RecordDbHandle* h = nullptr;
        OpenRecDb(name, &h);
        return h;
    }
};

// Acceptance: a header of count 5 on a file of five records keeps its count and
// every read past the file fails cleanly; a count of 65541 reads as 5. Only the
// low 16 bits of the version are used.
TEST_F(RecordDbTest, HeaderCountIsKeptModulo65536AndReadsPastTheFileFail) {
    for (int64_t count : {5, 65541}) {
        folder.WriteDb("data\\five.ppc", 0x12340007, 64, std::vector<Bytes>(5, Bytes(64)), count);
        RecordDbHandle* h = Open("data\\five.ppc");
        ASSERT_NE(h, nullptr);
        int version = 0;
        EXPECT_TRUE(GetDbVersion(h, &version));
        EXPECT_EQ(version, 7);
        EXPECT_EQ(GetRecDbCount(h), 5);
        EXPECT_EQ(GetRecordCount(h, 2), 10);
        uint8_t buffer[64];
        EXPECT_TRUE(ReadRecord(h, 4, buffer, sizeof buffer));
        for (int i = 5; i < 10; ++i) EXPECT_FALSE(ReadRecord(h, i, buffer, sizeof buffer));
        EXPECT_EQ(TakeTexts(), Texts(5, "Could not retrieve record!"));
        CloseRecDb(h);
    }
}

// A file that holds fewer records than its header counts (a cut download, a
// full card) opens with the records it holds, a part of a record not counted,
// and is reported once in the run however often it is opened; a whole file,
// or one holding more than counted, says nothing. A new start reports again.
TEST_F(RecordDbTest, CutFileIsReportedOnceAndOnlyItsRecordsAreRead) {
    const struct {
        int64_t header;
        int written, partBytes, count;
        const char* message;
    } cases[] = {
        {65535, 2, 0, 2, "cut.ppc is damaged|It holds 2 of the 65535 records its header counts; only those are read."},
        {65535, 2, 40, 2, "cut.ppc is damaged|It holds 2 of the 65535 records its header counts; only those are read."},
        {5, 0, 0, 0, "cut.ppc is damaged|It holds 0 of the 5 records its header counts; only those are read."},
        {65538, 1, 0, 1, "cut.ppc is damaged|It holds 1 of the 2 records its header counts; only those are read."},
        {2, 2, 0, 2, nullptr},
        {1, 2, 0, 1, nullptr},
        {65536, 0, 0, 0, nullptr},  // counts 0
    };
    for (const auto& c : cases) {
        std::vector<Bytes> records;
        for (int i = 0; i < c.written; ++i) records.push_back(Bytes(64, static_cast<uint8_t>(i + 1)));
        Bytes file = fixture::RecordDbBytes(1, 64, records, c.header);
        file.insert(file.end(), static_cast<std::size_t>(c.partBytes), 0xEE);
        folder.WriteRaw("data\\cut.ppc", file);
        for (int open = 0; open < 3; ++open) {
            RecordDbHandle* h = Open("data\\cut.ppc");
            ASSERT_NE(h, nullptr);
            EXPECT_EQ(GetRecDbCount(h), c.count) << c.header;
            uint8_t buffer[64];
            for (int i = 0; i < c.count; ++i) {
                ASSERT_TRUE(ReadRecord(h, i, buffer, sizeof buffer)) << c.header;
                EXPECT_EQ(buffer[63], i + 1);
            }
            CloseRecDb(h);
        }
        EXPECT_EQ(TakeMessages(), c.message ? Texts{c.message} : Texts{}) << c.header;
        ResetRecordDbReports();
    }
}

// A short header or a missing file fails silently and clears the out handle; a
// closed slot answers without messages.
TEST_F(RecordDbTest, UnopenableFilesAndClosedSlotsFailSilently) {
    folder.WriteRaw("data\\short.ppc", Bytes(15, 0));
    for (const char* name : {"data\\short.ppc", "data\\none.ppc"}) {
        RecordDbHandle stale{};
        RecordDbHandle* h = &stale;
        EXPECT_EQ(OpenRecDb(name, &h), 1);
        EXPECT_EQ(h, nullptr);
    }
    RecordDbHandle* slot = nullptr;
    folder.WriteDb("data\\a.ppc", 1, 4, {Bytes(4)});
    ASSERT_TRUE(OpenRecordDb(&slot, "pl00", "ZDV1", "data\\", "a.ppc"));
    CloseRecordDb(&slot);
    EXPECT_EQ(slot, nullptr);
    EXPECT_FALSE(OpenRecordDb(&slot, "pl00", "ZDV1", "data\\", "b.ppc"));
    EXPECT_EQ(slot, nullptr);
    uint8_t buffer[4];
    int version = 5;
    EXPECT_FALSE(ReadRecord(slot, 0, buffer, 4));
    EXPECT_EQ(GetRecordCount(slot, 3), 0);
    EXPECT_FALSE(GetDbVersion(slot, &version));
    EXPECT_EQ(version, 0);
    CloseRecordDb(&slot);
    CloseRecDb(nullptr);
    EXPECT_TRUE(services.messages.empty());
}

// A record size of 0 or above 65536 would make every read meaningless or huge.
TEST_F(RecordDbTest, RecordSizeOutsideOneTo65536IsReportedDamaged) {
    for (uint32_t size : {0u, 1u, 65536u, 65537u, 0xFFFFFFFFu}) {
        folder.WriteDb("data\\sized.ppc", 1, size, {}, 0);
        RecordDbHandle* h = Open("data\\sized.ppc");
        const bool opens = size == 1 || size == 65536;
        EXPECT_EQ(h != nullptr, opens) << size;
        EXPECT_EQ(TakeMessages(), opens ? Texts{} : Texts{"sized.ppc is damaged|"}) << size;
        CloseRecDb(h);
    }
}

// Acceptance: a caller asking for more bytes than a record holds must not read past it.
TEST_F(RecordDbTest, ReadLongerThanTheRecordFailsWithMessage) {
    folder.WriteDb("data\\small.ppc", 1, 44, {Bytes(44, 1)});
    RecordDbHandle* h = Open("data\\small.ppc");
    uint8_t buffer[64] = {};
    EXPECT_FALSE(ReadRecord(h, 0, buffer, 64));
    EXPECT_EQ(TakeTexts(), Texts{"Could not retrieve record!"});
    EXPECT_EQ(buffer[0], 0);
    EXPECT_TRUE(ReadRecord(h, 0, buffer, 44));
    EXPECT_EQ(buffer[43], 1);
    CloseRecDb(h);
}

// Sorted databases keep record 0 out of the search: one record never finds anything.
TEST_F(RecordDbTest, SortedSearchSkipsRecordZero) {
    auto key = [](uint32_t k) { return ByteWriter().U32(k).bytes(); };
    folder.WriteDb("data\\one.ppc", 1, 4, {key(7)});
    folder.WriteDb("data\\sorted.ppc", 1, 4, {key(7), key(1), key(3), key(5), key(9)});
    RecordDbHandle* one = Open("data\\one.ppc");
    RecordDbHandle* sorted = Open("data\\sorted.ppc");
    auto find = [](RecordDbHandle* h, uint32_t k) {
        return SearchSortedDb(h, 4, [k](const uint8_t* r) { return LoadU32(r, 0) == k ? 0 : (LoadU32(r, 0) > k ? 1 : -1); });
    };
    EXPECT_EQ(find(one, 7), -1);
    const std::pair<uint32_t, long> cases[] = {{7, -1}, {1, 1}, {5, 3}, {9, 4}, {4, -1}};  // 7 only in record 0
    for (auto [k, found] : cases) EXPECT_EQ(find(sorted, k), found) << k;
    EXPECT_EQ(SearchSortedDb(sorted, 8, [](const uint8_t*) { return 0; }), -2);  // records too short
    CloseRecDb(one);
    CloseRecDb(sorted);
}

TEST_F(RecordDbTest, ExeDirectoryEndsInABackslashAndFitsTheBuffer) {
    char path[300], small[5];
    GetExeDirectory(path, sizeof path);
    ASSERT_GT(std::strlen(path), 0u);
    EXPECT_EQ(path[std::strlen(path) - 1], '\\');
    GetExeDirectory(small, sizeof small);
    EXPECT_EQ(std::strlen(small), 4u);
}

// Records whose bytes tell their number and place: byte k of record i is
// (7 i + k) mod 251, so a record read from the wrong place shows at once.
std::vector<Bytes> PatternRecords(int count, std::size_t recordSize) {
    std::vector<Bytes> records;
    for (int i = 0; i < count; ++i) {
        Bytes r(recordSize);
        for (std::size_t k = 0; k < recordSize; ++k) r[k] = static_cast<uint8_t>((7 * i + k) % 251);
        records.push_back(r);
    }
    return records;
}

bool HoldsPattern(const uint8_t* record, int i, std::size_t recordSize) {
    for (std::size_t k = 0; k < recordSize; ++k)
        if (record[k] != static_cast<uint8_t>((7 * i + k) % 251)) return false;
    return true;
}

// A file larger than is read whole (5000 records of 1000 bytes, 5 MB): every
// record reads whole forwards, backwards and by jumps, also those that
// straddle the 64 KiB steps of the reads (record 65 spans bytes 65016..66015).
TEST_F(RecordDbTest, LargeFileReadsEveryRecordInAnyOrder) {
    constexpr std::size_t kSize = 1000;
    constexpr int kCount = 5000;
    static_assert(16 + kCount * kSize > kRecordDbWholeFileBytes);
    folder.WriteDb("data\\large.ppc", 1, kSize, PatternRecords(kCount, kSize));
    RecordDbHandle* h = Open("data\\large.ppc");
    ASSERT_NE(h, nullptr);
    ASSERT_EQ(GetRecDbCount(h), kCount);
    std::vector<int> order;
    for (int i = 0; i < kCount; ++i) order.push_back(i);
    for (int i = kCount - 1; i >= 0; --i) order.push_back(i);
    for (int i : {65, kCount - 1, 0, 1312, 64, 66, 4750}) order.push_back(i);
    for (int i : order) {
        const uint8_t* record = nullptr;
        ASSERT_EQ(ReadRecDbRecord(h, i, &record), 0) << i;
        ASSERT_TRUE(HoldsPattern(record, i, kSize)) << i;
    }
    const uint8_t* record = nullptr;
    EXPECT_EQ(ReadRecDbRecord(h, kCount, &record), 1);
    EXPECT_EQ(ReadRecDbRecord(h, -1, &record), 1);
    CloseRecDb(h);
}

// Records of the largest size (64 KiB) in a file of 5.2 MB: one record is
// read at a time at least.
TEST_F(RecordDbTest, LargestRecordsReadWhole) {
    constexpr std::size_t kSize = 65536;
    folder.WriteDb("data\\wide.ppc", 1, kSize, PatternRecords(80, kSize));
    RecordDbHandle* h = Open("data\\wide.ppc");
    ASSERT_NE(h, nullptr);
    for (int i : {79, 0, 40, 41, 1}) {
        const uint8_t* record = nullptr;
        ASSERT_EQ(ReadRecDbRecord(h, i, &record), 0) << i;
        EXPECT_TRUE(HoldsPattern(record, i, kSize)) << i;
    }
    CloseRecDb(h);
}

// A small file is read whole when it opens; once it is cut to three records
// (after it was opened), the next batch of reads finds that the records it no
// longer holds fail to read and the ones it keeps read as before, in any order.
TEST_F(RecordDbTest, SmallFileCutAfterOpeningKeepsOnlyItsRecords) {
    folder.WriteDb("data\\small.ppc", 1, 24, PatternRecords(5, 24));
    RecordDbHandle* h = Open("data\\small.ppc");
    ASSERT_NE(h, nullptr);
    const uint8_t* record = nullptr;
    ASSERT_EQ(ReadRecDbRecord(h, 4, &record), 0);
    EXPECT_TRUE(HoldsPattern(record, 4, 24));
    folder.Resize("data\\small.ppc", 16 + 3 * 24);
    StartRecordBatch();
    EXPECT_EQ(ReadRecDbRecord(h, 4, &record), 1);
    EXPECT_EQ(ReadRecDbRecord(h, 3, &record), 1);
    for (int i : {2, 0, 1}) {
        ASSERT_EQ(ReadRecDbRecord(h, i, &record), 0) << i;
        EXPECT_TRUE(HoldsPattern(record, i, 24)) << i;
    }
    CloseRecDb(h);
}

// Reading every record in one batch asks the system only for the file's size,
// at the first read, and, for a file too large to be read whole, for one 64 KiB
// window per run of 65 records of 1000 bytes (5000 / 65, rounded up, for 5 MB).
TEST_F(RecordDbTest, ReadsInABatchAskTheSystemOnlyForNewBytes) {
    for (auto [count, size, calls] : {std::tuple{5, 24, 1}, {5000, 1000, 1 + 77}}) {
        folder.WriteDb("data\\count.ppc", 1, size, PatternRecords(count, size));
        RecordDbHandle* h = Open("data\\count.ppc");
        ASSERT_NE(h, nullptr);
        StartRecordBatch();
        const uint64_t start = RecordDbSystemCalls();
        const uint8_t* record = nullptr;
        for (int i = 0; i < count; ++i) ASSERT_EQ(ReadRecDbRecord(h, i, &record), 0);
        EXPECT_EQ(RecordDbSystemCalls() - start, static_cast<uint64_t>(calls)) << count;
        CloseRecDb(h);
    }
}

}  // namespace
