// The record database layer: header checks, reads, and the sorted-search rule.
#include <gtest/gtest.h>

#include <cstring>

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

// Acceptance: a header of count 5 on a header-only file keeps its count and every
// read fails cleanly; a count of 65541 reads as 5. Only the low 16 bits of the
// version are used.
TEST_F(RecordDbTest, HeaderCountIsKeptModulo65536AndReadsPastTheFileFail) {
    for (int64_t count : {5, 65541}) {
        folder.WriteDb("data\\five.ppc", 0x12340007, 64, {}, count);
        RecordDbHandle* h = Open("data\\five.ppc");
        ASSERT_NE(h, nullptr);
        int version = 0;
        EXPECT_TRUE(GetDbVersion(h, &version));
        EXPECT_EQ(version, 7);
        EXPECT_EQ(GetRecDbCount(h), 5);
        EXPECT_EQ(GetRecordCount(h, 2), 10);
        uint8_t buffer[64];
        for (int i = 0; i < 5; ++i) EXPECT_FALSE(ReadRecord(h, i, buffer, sizeof buffer));
        EXPECT_EQ(TakeTexts(), Texts(5, "Could not retrieve record!"));
        CloseRecDb(h);
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

}  // namespace
