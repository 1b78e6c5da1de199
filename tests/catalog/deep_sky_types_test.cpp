// Deep-sky type texts and their thumbnails.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "catalog/deep_sky_types.h"

namespace {

// Acceptance: the worked cases of the type-text table (0, 63, 296, 144/145) and
// codes outside it (297 and beyond leave one blank); a null buffer asks only for
// the thumbnail.
TEST(DeepSkyTypes, TextAndThumbnailByCode) {
    struct Case {
        int code;
        const char* text;
        int thumbnail;
    } cases[] = {
        {0, "        ", 0},   {63, "E5      ", 110}, {296, "XII     ", 0}, {144, "III 1 m ", 23},
        {145, "III 1 m ", 23}, {1, "*Grp    ", 0},   {289, "SNR     ", 1}, {220, "PN      ", 0},
        {185, "IV      ", 62}, {205, "IV 3pn:b", 62}, {252, "Sb      ", 31}, {297, " ", 0},
        {1000, " ", 0},        {-1, " ", 0},
    };
    for (const Case& c : cases) {
        char buffer[16] = "previous";
        EXPECT_EQ(GetTypeCodeText(buffer, c.code), c.thumbnail) << c.code;
        EXPECT_STREQ(buffer, c.text) << c.code;
        EXPECT_EQ(GetTypeCodeText(nullptr, c.code), c.thumbnail) << c.code;
    }
}

// Acceptance: exactly 155 rows carry a thumbnail; every text is 8 characters long.
TEST(DeepSkyTypes, TableShape) {
    int withThumbnail = 0;
    for (const DeepSkyTypeRow& row : deepSkyTypeTexts) {
        EXPECT_EQ(std::strlen(row.text), 8u) << row.text;
        withThumbnail += row.thumbnail != 0;
    }
    EXPECT_EQ(withThumbnail, 155);
}

// Type fields of list lines read back as their codes; every code written by the
// memo export comes back as a code with the same text.
TEST(DeepSkyTypes, TextFieldsReadBackAsTheirCodes) {
    struct Case {
        const char* field;
        int code;
    } cases[] = {
        {"E5      ", 63},  {"E5", 63},         {"III 1 m ", 144},  // 145 has the same text: the first wins
        {"III 1m:b", 150}, {"III 1m:a", 149},  {"III 1m:", 149},   // seven characters: the first of the two
        {"        ", 0},   {"", 0},            {"nothing", 0},    {"XII", 296},
    };
    for (const Case& c : cases) EXPECT_EQ(FindTypeCodeByText(c.field), c.code) << c.field;
    EXPECT_EQ(FindTypeCodeByText(nullptr), 0);
    for (int code = 1; code < kDeepSkyTypeCount; ++code) {
        char text[9];
        GetTypeCodeText(text, code);
        EXPECT_STREQ(deepSkyTypeTexts[FindTypeCodeByText(text)].text, text) << code;
    }
}

}  // namespace
