// Dates in the locale's field order.
#include <gtest/gtest.h>

#include <array>

#include "core/date_text.h"
#include "platform/clock.h"

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
    static std::array<int, 3> Parse(const char* text) {
        std::array<int, 3> fields{-1, -1, -1};
        ParseDate(text, &fields[0], &fields[1], &fields[2]);
        return fields;
    }
};

// Worked case: (5, 3, 2024) is 05/03/2024, or 03/05/2024 when the short date
// starts with the year; the short form takes the year modulo 100. ParseDate
// reads back what FormatDate writes.
TEST_F(DateTextTest, FieldsFollowTheLocale) {
    const struct {
        const char* pattern;
        int order;
        const char* text;
        const char* shortText;
    } cases[] = {{"M/d/yyyy", 5, "05/03/2024", "05/03/24"},
                 {"dd.MM.yyyy", 5, "05/03/2024", "05/03/24"},
                 {"yyyy-MM-dd", 2, "03/05/2024", "03/05/24"}};
    for (const auto& c : cases) {
        ResetDateFieldOrder();
        pl::SetShortDatePattern(c.pattern);
        EXPECT_EQ(GetDateFieldOrder(), c.order) << c.pattern;
        char text[16];
        FormatDate(text, sizeof text, 5, 3, 2024);
        EXPECT_STREQ(text, c.text) << c.pattern;
        EXPECT_EQ(Parse(text), (std::array<int, 3>{5, 3, 2024})) << c.pattern;
        FormatDateShort(text, sizeof text, 5, 3, 2024);
        EXPECT_STREQ(text, c.shortText) << c.pattern;
    }
}

// The order is found once; the text is cut to its buffer; missing or
// unreadable fields read as 0.
TEST_F(DateTextTest, OrderIsFoundOnceTextIsCutAndBadFieldsAreZero) {
    EXPECT_EQ(Parse("12/7"), (std::array<int, 3>{12, 7, 0}));
    EXPECT_EQ(Parse(nullptr), (std::array<int, 3>{0, 0, 0}));
    EXPECT_EQ(Parse("x/2/2000"), (std::array<int, 3>{0, 2, 2000}));
    ResetDateFieldOrder();
    pl::SetShortDatePattern("yyyy/M/d");
    EXPECT_EQ(GetDateFieldOrder(), 2);
    pl::SetShortDatePattern("d/M/yyyy");
    EXPECT_EQ(GetDateFieldOrder(), 2);  // kept from the first use
    char text[6];
    FormatDate(text, sizeof text, 25, 1, 2000);
    EXPECT_STREQ(text, "01/25");
}

}  // namespace
