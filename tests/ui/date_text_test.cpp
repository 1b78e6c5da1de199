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
