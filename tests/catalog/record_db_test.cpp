// The record database layer: header checks, reads, and the sorted-search rule.
#include <gtest/gtest.h>

#include <cstring>

#include "catalog/record_db.h"
#include "catalog_test.h"

using fixture::Bytes;
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

// Header-only file: the count is kept as stated, every read fails (edge case of the
// record-file layer and the acceptance of the catalogue issue).
TEST_F(RecordDbTest, HeaderOnlyFileKeepsItsCountAndEveryReadFails) {
    folder.WriteDb("data\\five.ppc", 1, 64, {}, 5);
    RecordDbHandle* h = Open("data\\five.ppc");
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(GetRecDbCount(h), 5);
    uint8_t buffer[64];
    for (int i = 0; i < 5; ++i) EXPECT_FALSE(ReadRecord(h, i, buffer, sizeof buffer));
    EXPECT_EQ(services.Texts(), std::vector<std::string>(5, "Could not retrieve record!"));
    CloseRecDb(h);
}

TEST_F(RecordDbTest, CountAboveSixteenBitsIsTakenModulo65536) {
    folder.WriteDb("data\\big.ppc", 1, 8, {}, 65541);
    RecordDbHandle* h = Open("data\\big.ppc");
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(GetRecDbCount(h), 5);
    EXPECT_EQ(GetRecordCount(h, 2), 10);
    CloseRecDb(h);
}

TEST_F(RecordDbTest, ShortHeaderFailsSilently) {
    folder.WriteRaw("data\\short.ppc", Bytes(15, 0));
    RecordDbHandle stale{};
    RecordDbHandle* h = &stale;  // the out handle is cleared first
    EXPECT_EQ(OpenRecDb("data\\short.ppc", &h), 1);
    EXPECT_EQ(h, nullptr);
    EXPECT_TRUE(services.messages.empty());
}

TEST_F(RecordDbTest, MissingFileFailsSilently) {
    RecordDbHandle* h = nullptr;
    EXPECT_EQ(OpenRecDb("data\\none.ppc", &h), 1);
    EXPECT_TRUE(services.messages.empty());
}

// A record size of 0 or above 65536 would make every read meaningless or huge.
TEST_F(RecordDbTest, RecordSizeOutsideOneTo65536IsReportedDamaged) {
    struct Case {
        uint32_t size;
        bool opens;
    } cases[] = {{0, false}, {1, true}, {65536, true}, {65537, false}, {0xFFFFFFFFu, false}};
    for (const Case& c : cases) {
        services.messages.clear();
        folder.WriteDb("data\\sized.ppc", 1, c.size, {}, 0);
        RecordDbHandle* h = Open("data\\sized.ppc");
        EXPECT_EQ(h != nullptr, c.opens) << c.size;
        if (c.opens) EXPECT_TRUE(services.messages.empty()) << c.size;
        else {
            ASSERT_EQ(services.messages.size(), 1u) << c.size;
            EXPECT_EQ(services.messages[0].text, "sized.ppc is damaged");
            EXPECT_EQ(services.messages[0].detail, "");
        }
        CloseRecDb(h);
    }
}

TEST_F(RecordDbTest, ReadsRecordsAtTheirOffsets) {
    folder.WriteDb("data\\three.ppc", 0x12340007, 4,
                   {ByteWriter().U32(10).bytes(), ByteWriter().U32(20).bytes(), ByteWriter().U32(30).bytes()});
    RecordDbHandle* h = Open("data\\three.ppc");
    ASSERT_NE(h, nullptr);
    int version = 0;
    EXPECT_TRUE(GetDbVersion(h, &version));
    EXPECT_EQ(version, 7);  // the low 16 bits of the header version
    for (int i : {2, 0, 1}) {
        const uint8_t* r = nullptr;
        ASSERT_EQ(ReadRecDbRecord(h, i, &r), 0);
        EXPECT_EQ(LoadU32(r, 0), 10u * (i + 1));
    }
    const uint8_t* r = nullptr;
    EXPECT_EQ(ReadRecDbRecord(h, 3, &r), 1);
    EXPECT_EQ(ReadRecDbRecord(h, -1, &r), 1);
    CloseRecDb(h);
}

// A caller asking for more bytes than a record holds must not read past it.
TEST_F(RecordDbTest, ReadLongerThanTheRecordFailsWithMessage) {
    folder.WriteDb("data\\small.ppc", 1, 44, {Bytes(44, 1)});
    RecordDbHandle* h = Open("data\\small.ppc");
    uint8_t buffer[64] = {};
    EXPECT_FALSE(ReadRecord(h, 0, buffer, 64));
    EXPECT_EQ(services.Texts(), std::vector<std::string>{"Could not retrieve record!"});
    EXPECT_EQ(buffer[0], 0);
    EXPECT_TRUE(ReadRecord(h, 0, buffer, 44));
    EXPECT_EQ(buffer[43], 1);
    CloseRecDb(h);
}

TEST_F(RecordDbTest, ClosedSlotAnswersWithoutMessages) {
    RecordDbHandle* slot = nullptr;
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

TEST_F(RecordDbTest, OpenRecordDbClearsTheSlotWhenTheFileIsMissing) {
    folder.WriteDb("data\\a.ppc", 1, 4, {Bytes(4)});
    RecordDbHandle* slot = nullptr;
    ASSERT_TRUE(OpenRecordDb(&slot, "pl00", "ZDV1", "data\\", "a.ppc"));
    CloseRecordDb(&slot);
    EXPECT_EQ(slot, nullptr);
    EXPECT_FALSE(OpenRecordDb(&slot, "pl00", "ZDV1", "data\\", "b.ppc"));
    EXPECT_EQ(slot, nullptr);
}

// Sorted databases keep record 0 out of the search: one record never finds anything.
TEST_F(RecordDbTest, SortedSearchSkipsRecordZero) {
    auto key = [](uint32_t k) { return ByteWriter().U32(k).bytes(); };
    folder.WriteDb("data\\one.ppc", 1, 4, {key(7)});
    folder.WriteDb("data\\sorted.ppc", 1, 4, {key(7), key(1), key(3), key(5), key(9)});
    RecordDbHandle* one = Open("data\\one.ppc");
    RecordDbHandle* sorted = Open("data\\sorted.ppc");
    auto find = [](RecordDbHandle* h, uint32_t k) {
        return SearchSortedDb(h, 4, [k](const uint8_t* r) {
            uint32_t v = LoadU32(r, 0);
            return v == k ? 0 : (v > k ? 1 : -1);
        });
    };
    EXPECT_EQ(find(one, 7), -1);
    EXPECT_EQ(find(sorted, 7), -1);  // only in record 0
    EXPECT_EQ(find(sorted, 1), 1);
    EXPECT_EQ(find(sorted, 5), 3);
    EXPECT_EQ(find(sorted, 9), 4);
    EXPECT_EQ(find(sorted, 4), -1);
    EXPECT_EQ(SearchSortedDb(sorted, 8, [](const uint8_t*) { return 0; }), -2);  // records too short
    CloseRecDb(one);
    CloseRecDb(sorted);
}

TEST_F(RecordDbTest, FieldHelpersAreLittleEndianAndTextStaysInItsField) {
    Bytes b = ByteWriter().U16(0xFFFE).U32(0x80000001u).F32(-2.5f).Text("ABCDEFGH", 8).bytes();
    EXPECT_EQ(LoadU16(b.data(), 0), 0xFFFE);
    EXPECT_EQ(LoadI16(b.data(), 0), -2);
    EXPECT_EQ(LoadU32(b.data(), 2), 0x80000001u);
    EXPECT_EQ(LoadI32(b.data(), 2), static_cast<int32_t>(0x80000001u));
    EXPECT_EQ(LoadF32(b.data(), 6), -2.5f);
    char text[16];
    LoadText(b.data(), 10, 4, text, sizeof text);  // an unterminated field ends at its width
    EXPECT_STREQ(text, "ABCD");
    LoadText(b.data(), 10, 8, text, 6);  // and the destination's size
    EXPECT_STREQ(text, "ABCDE");
}

TEST_F(RecordDbTest, ExeDirectoryEndsInABackslashAndFitsTheBuffer) {
    char path[300];
    GetExeDirectory(path, sizeof path);
    std::string p = path;
    ASSERT_FALSE(p.empty());
    EXPECT_EQ(p.back(), '\\');
    char small[5];
    GetExeDirectory(small, sizeof small);
    EXPECT_EQ(std::strlen(small), 4u);
}

}  // namespace
