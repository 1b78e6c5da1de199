// Dates in the locale's field order.
#include <gtest/gtest.h>

#include "platform/clock.h"
#include "ui/date_text.h"

namespace {

class DateTextTest : public ::testing::Test {
protected:
    void SetUp() override {
        pl::UseVirtualClock(pl::LocalTime{});
        ResetDateFieldOrder();
    }
    void TearDown() override {
        pl::SetShortDatePattern("");
        pl::UseRealClock();
        ResetDateFieldOrder();
    }
};

// Worked case: (5, 3, 2024) is 05/03/2024, or 03/05/2024 when the short date starts with the year.
TEST_F(DateTextTest, FieldsFollowTheLocale) {
    struct Case {
        const char* pattern;
        int order;
        const char* text;
    } cases[] = {{"M/d/yyyy", 5, "05/03/2024"}, {"dd.MM.yyyy", 5, "05/03/2024"}, {"yyyy-MM-dd", 2, "03/05/2024"}};
    for (const Case& c : cases) {
        ResetDateFieldOrder();
        pl::SetShortDatePattern(c.pattern);
        EXPECT_EQ(GetDateFieldOrder(), c.order) << c.pattern;
        char text[16];
        FormatDate(text, sizeof text, 5, 3, 2024);
        EXPECT_STREQ(text, c.text) << c.pattern;
    }
}

TEST_F(DateTextTest, OrderIsFoundOnceAndTextIsCut) {
    pl::SetShortDatePattern("yyyy/M/d");
    EXPECT_EQ(GetDateFieldOrder(), 2);
    pl::SetShortDatePattern("d/M/yyyy");
    EXPECT_EQ(GetDateFieldOrder(), 2);  // kept from the first use
    char text[6];
    FormatDate(text, sizeof text, 25, 1, 2000);
    EXPECT_STREQ(text, "01/25");
}

}  // namespace

namespace {

TEST_F(DateTextTest, ShortDateTakesTheYearModuloHundred) {
    char text[16];
    FormatDateShort(text, sizeof text, 5, 3, 2024);
    EXPECT_STREQ(text, "05/03/24");
    FormatDateShort(text, sizeof text, 31, 12, 1999);
    EXPECT_STREQ(text, "31/12/99");
    ResetDateFieldOrder();
    pl::SetShortDatePattern("yyyy-MM-dd");
    FormatDateShort(text, sizeof text, 5, 3, 2007);
    EXPECT_STREQ(text, "03/05/07");
}

TEST_F(DateTextTest, ParseDateReadsWhatFormatDateWrites) {
    for (const char* pattern : {"M/d/yyyy", "yyyy-MM-dd"}) {
        ResetDateFieldOrder();
        pl::SetShortDatePattern(pattern);
        char text[16];
        FormatDate(text, sizeof text, 5, 3, 2024);
        int first = 0, second = 0, year = 0;
        ParseDate(text, &first, &second, &year);
        EXPECT_EQ(first, 5) << pattern;
        EXPECT_EQ(second, 3) << pattern;
        EXPECT_EQ(year, 2024) << pattern;
    }
}

TEST_F(DateTextTest, ParseDateWithMissingFieldsGivesZero) {
    int first = -1, second = -1, year = -1;
    ParseDate("12/7", &first, &second, &year);
    EXPECT_EQ(first, 12);
    EXPECT_EQ(second, 7);
    EXPECT_EQ(year, 0);
    ParseDate(nullptr, &first, &second, &year);
    EXPECT_EQ(first, 0);
    EXPECT_EQ(second, 0);
    EXPECT_EQ(year, 0);
    ParseDate("x/2/2000", &first, &second, &year);
    EXPECT_EQ(first, 0);
    EXPECT_EQ(second, 2);
    EXPECT_EQ(year, 2000);
}

}  // namespace
