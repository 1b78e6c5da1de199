// Loading the constellation figure sets.
#include <gtest/gtest.h>

#include "catalog/constellation_lines.h"
#include "catalog_test.h"

using fixture::Bytes;
using fixture::ConstellationLineBytes;

namespace {

class ConstellationLinesTest : public CatalogTest {
protected:
    // n lines of set 0 interleaved with n of set 1; line i of set s joins star i to i + 1 + s.
    void WriteLines(int set0, int set1) {
        std::vector<Bytes> records;
        for (int i = 0; i < std::max(set0, set1); ++i) {
            if (i < set1) records.push_back(ConstellationLineBytes(1, 7, static_cast<int16_t>(i), static_cast<int16_t>(i + 2)));
            if (i < set0) records.push_back(ConstellationLineBytes(0, 3, static_cast<int16_t>(i), static_cast<int16_t>(i + 1)));
        }
        folder.WriteDb("data\\zendavori_constellation.ppc", 1, 8, records);
    }
};

TEST_F(ConstellationLinesTest, LoadsTheLinesOfOneSet) {
    WriteLines(647, 867);
    EXPECT_TRUE(LoadConstellationData(0));
    int count = 0;
    const ConstellationLine* lines = GetConstellationLines(&count);
    ASSERT_EQ(count, 647);
    EXPECT_EQ(lines[10].a, 3);
    EXPECT_EQ(lines[10].firstStar, 10);
    EXPECT_EQ(lines[10].secondStar, 11);
    EXPECT_TRUE(LoadConstellationData(1));
    lines = GetConstellationLines(&count);
    ASSERT_EQ(count, 867);
    EXPECT_EQ(lines[866].firstStar, 866);
    EXPECT_EQ(lines[866].secondStar, 868);
    EXPECT_TRUE(services.messages.empty());
}

// Edge case: the same set asked for twice reads the file once.
TEST_F(ConstellationLinesTest, SameSetTwiceReadsTheFileOnce) {
    WriteLines(647, 867);
    EXPECT_TRUE(LoadConstellationData(1));
    folder.Remove("data\\zendavori_constellation.ppc");
    EXPECT_TRUE(LoadConstellationData(1));
    int count = 0;
    GetConstellationLines(&count);
    EXPECT_EQ(count, 867);
}

// Edge case: fewer lines than the set holds leave a zero tail and give false.
TEST_F(ConstellationLinesTest, ShortFileLeavesAZeroTail) {
    WriteLines(600, 10);
    EXPECT_FALSE(LoadConstellationData(0));
    int count = 0;
    const ConstellationLine* lines = GetConstellationLines(&count);
    ASSERT_EQ(count, 647);
    EXPECT_EQ(lines[599].secondStar, 600);
    EXPECT_EQ(lines[600].firstStar, 0);
    EXPECT_EQ(lines[646].secondStar, 0);
}

// Edge case: after a failed load the same set answers true at once with no lines.
TEST_F(ConstellationLinesTest, FailedLoadIsNotRepeated) {
    EXPECT_FALSE(LoadConstellationData(0));
    ASSERT_EQ(services.messages.size(), 1u);
    EXPECT_EQ(services.messages[0].text, "Could not find zendavori_constellation.ppc");
    EXPECT_EQ(services.messages[0].detail, "Please verify your configuration.");
    WriteLines(647, 867);
    EXPECT_TRUE(LoadConstellationData(0));
    int count = -1;
    EXPECT_EQ(GetConstellationLines(&count), nullptr);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(services.messages.size(), 1u);
    EXPECT_TRUE(LoadConstellationData(1));  // another set is loaded
}

// Regression: line stars were used as bright-star indexes unchecked.
TEST_F(ConstellationLinesTest, LinesWithStarsOutsideTheTableAreLeftOut) {
    std::vector<Bytes> records = {ConstellationLineBytes(0, 0, 1, 1646), ConstellationLineBytes(0, 0, -1, 5),
                                  ConstellationLineBytes(0, 0, 1645, 0)};
    folder.WriteDb("data\\zendavori_constellation.ppc", 1, 8, records);
    EXPECT_FALSE(LoadConstellationData(0));
    int count = 0;
    const ConstellationLine* lines = GetConstellationLines(&count);
    ASSERT_EQ(count, 647);
    EXPECT_EQ(lines[0].firstStar, 1645);
    EXPECT_EQ(lines[1].firstStar, 0);
    EXPECT_EQ(services.Texts(), std::vector<std::string>{"zendavori_constellation.ppc is damaged"});
}

TEST_F(ConstellationLinesTest, FreeingEmptiesTheTable) {
    WriteLines(647, 0);
    LoadConstellationData(0);
    FreeConstellationData();
    int count = -1;
    EXPECT_EQ(GetConstellationLines(&count), nullptr);
    EXPECT_EQ(count, 0);
    EXPECT_FALSE(LoadConstellationData(2));
}

}  // namespace
