// Loading the constellation figure sets.
#include <gtest/gtest.h>

#include "catalog/constellation_lines.h"
#include "catalog_test.h"

using fixture::ConstellationLineBytes;

namespace {

class ConstellationLinesTest : public CatalogTest {
protected:
    // n lines of set 0 interleaved with n of set 1; line i of set s joins star i to i + 1 + s.
    void WriteLines(int set0, int set1) {
        std::vector<Bytes> records;
        for (int16_t i = 0; i < std::max(set0, set1); ++i) {
            if (i < set1) records.push_back(ConstellationLineBytes(1, 7, i, static_cast<int16_t>(i + 2)));
            if (i < set0) records.push_back(ConstellationLineBytes(0, 3, i, static_cast<int16_t>(i + 1)));
        }
        folder.WriteDb("data\\zendavori_constellation.ppc", 1, 8, records);
    }
    // The loaded lines as {a, first star, second star}, and their count.
    static std::vector<int> Line(int i) {
        int count = 0;
        const ConstellationLine* lines = GetConstellationLines(&count);
        return {lines[i].a, lines[i].firstStar, lines[i].secondStar};
    }
    static int LineCount() {
        int count = -1;
        const ConstellationLine* lines = GetConstellationLines(&count);
        EXPECT_EQ(lines == nullptr, count == 0);
        return count;
    }
};

// Edge case: the same set asked for twice reads the file once.
TEST_F(ConstellationLinesTest, LoadsTheLinesOfOneSetOnce) {
    WriteLines(647, 867);
    EXPECT_TRUE(LoadConstellationData(0));
    ASSERT_EQ(LineCount(), 647);
    EXPECT_EQ(Line(10), (std::vector<int>{3, 10, 11}));
    EXPECT_TRUE(LoadConstellationData(1));
    folder.Remove("data\\zendavori_constellation.ppc");
    EXPECT_TRUE(LoadConstellationData(1));
    ASSERT_EQ(LineCount(), 867);
    EXPECT_EQ(Line(866), (std::vector<int>{7, 866, 868}));
    EXPECT_TRUE(services.messages.empty());
    FreeConstellationData();
    EXPECT_EQ(LineCount(), 0);
    EXPECT_FALSE(LoadConstellationData(2));
}

// Edge case: fewer lines than the set holds leave a zero tail and give false.
TEST_F(ConstellationLinesTest, ShortFileLeavesAZeroTail) {
    WriteLines(600, 10);
    EXPECT_FALSE(LoadConstellationData(0));
    ASSERT_EQ(LineCount(), 647);
    EXPECT_EQ(Line(599), (std::vector<int>{3, 599, 600}));
    EXPECT_EQ(Line(600), (std::vector<int>{0, 0, 0}));
    EXPECT_EQ(Line(646), (std::vector<int>{0, 0, 0}));
}

// Regression: no public figure set has exactly 647 or 867 lines, and the table
// cut a longer set short, leaving figures unfinished. A longer set gets a table
// of its own length.
TEST_F(ConstellationLinesTest, FigureSetLongerThanTheTableIsNotCut) {
    WriteLines(676, 871);
    EXPECT_TRUE(LoadConstellationData(0));
    ASSERT_EQ(LineCount(), 676);
    EXPECT_EQ(Line(675), (std::vector<int>{3, 675, 676}));
    EXPECT_TRUE(LoadConstellationData(1));
    ASSERT_EQ(LineCount(), 871);
    EXPECT_EQ(Line(870), (std::vector<int>{7, 870, 872}));
}

// Edge case kept as given: after a failed load the same set answers true at once
// with no lines and no repeated message.
TEST_F(ConstellationLinesTest, FailedLoadIsNotRepeated) {
    EXPECT_FALSE(LoadConstellationData(0));
    EXPECT_EQ(TakeMessages(), Texts{"Could not find zendavori_constellation.ppc|Please verify your configuration."});
    WriteLines(647, 867);
    EXPECT_TRUE(LoadConstellationData(0));
    EXPECT_EQ(LineCount(), 0);
    EXPECT_TRUE(services.messages.empty());
    EXPECT_TRUE(LoadConstellationData(1));  // another set is loaded
}

// Regression: line stars were used as bright-star indexes unchecked.
TEST_F(ConstellationLinesTest, LinesWithStarsOutsideTheTableAreLeftOut) {
    folder.WriteDb("data\\zendavori_constellation.ppc", 1, 8,
                   {ConstellationLineBytes(0, 0, 1, 1646), ConstellationLineBytes(0, 0, -1, 5),
                    ConstellationLineBytes(0, 0, 1645, 0)});
    EXPECT_FALSE(LoadConstellationData(0));
    ASSERT_EQ(LineCount(), 647);
    EXPECT_EQ(Line(0), (std::vector<int>{0, 1645, 0}));
    EXPECT_EQ(Line(1), (std::vector<int>{0, 0, 0}));
    EXPECT_EQ(TakeTexts(), Texts{"zendavori_constellation.ppc is damaged"});
}

}  // namespace
