// Resource tables: strings, bitmaps as pixel maps or generators, menu texts.
#include "platform/resources.h"

#include <gtest/gtest.h>

#include "platform/drawing.h"

namespace {

using namespace pl;

constexpr StringTemplate kStrings[] = {{7, "Hello"}, {8, ""}, {9, "Degrees \xB0"}};
constexpr StringTemplate kOtherStrings[] = {{7, "Shadowed"}, {10, "Second group"}};
constexpr const char* kArrowRows[] = {
    "#...",
    "##..",
    "###.",
};
constexpr PaletteEntry kPalette[] = {{'#', 0x000000}, {'.', 0x00FF00}};
constexpr const char* kShortRow[] = {"#..", "##.."};
constexpr const char* kUnknownKey[] = {"#x"};

void Gradient(uint32_t* pixels, int width, int height) {
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) pixels[y * width + x] = static_cast<uint32_t>(x * 16 + y);
}

constexpr BitmapTemplate kBitmaps[] = {
    {124, 4, 3, kArrowRows, kPalette, nullptr},
    {125, 3, 2, kShortRow, kPalette, nullptr},
    {126, 2, 1, kUnknownKey, kPalette, nullptr},
    {127, 5, 2, {}, {}, Gradient},
    {128, 5, 2, {}, {}, nullptr},
};
const ResourceGroup kGroup = {.strings = kStrings, .bitmaps = kBitmaps};
const ResourceGroup kSecondGroup = {.strings = kOtherStrings};

class ResourcesTest : public ::testing::Test {
protected:
    void SetUp() override {
        ClearResourceGroups();
        AddResourceGroup(kGroup);
        AddResourceGroup(kSecondGroup);
        AddResourceGroup(kGroup);  // a repeat changes nothing
    }
    void TearDown() override { ClearResourceGroups(); }
};

TEST_F(ResourcesTest, StringsLoadCutToTheBuffer) {
    char buf[6];
    EXPECT_EQ(LoadString(7, buf, sizeof buf), 5);  // the first group installed wins
    EXPECT_STREQ(buf, "Hello");
    EXPECT_EQ(LoadString(10, buf, sizeof buf), 5);
    EXPECT_STREQ(buf, "Secon");
    EXPECT_EQ(LoadString(9, buf, 3), 2);
    EXPECT_STREQ(buf, "De");
    EXPECT_EQ(LoadString(8, buf, sizeof buf), 0);
    EXPECT_STREQ(buf, "");
    buf[0] = 'x';
    EXPECT_EQ(LoadString(99, buf, sizeof buf), 0);
    EXPECT_STREQ(buf, "");
    EXPECT_EQ(LoadString(7, buf, 0), 0);
    EXPECT_EQ(LoadString(7, nullptr, 5), 0);
}

TEST_F(ResourcesTest, BitmapsLoadByIdFromPixelMapsAndGenerators) {
    Hbitmap b = LoadBitmap(124);
    ASSERT_NE(b, nullptr);
    BitmapInfo info;
    ASSERT_TRUE(GetBitmapInfo(b, &info));
    EXPECT_EQ(info.width, 4);
    EXPECT_EQ(info.height, 3);
    Hdc dc = CreateCompatibleDC(nullptr);
    SelectObject(dc, b);
    EXPECT_EQ(GetPixel(dc, 0, 0), Rgb(0, 0, 0));
    EXPECT_EQ(GetPixel(dc, 3, 0), Rgb(0, 255, 0));
    EXPECT_EQ(GetPixel(dc, 2, 2), Rgb(0, 0, 0));
    DeleteDC(dc);
    DeleteObject(b);
    EXPECT_EQ(LoadBitmap(125), nullptr);  // inconsistent table
    EXPECT_EQ(LoadBitmap(999), nullptr);
    std::vector<uint32_t> px;
    ASSERT_TRUE(RenderBitmapTemplate(*FindBitmapTemplate(127), &px));
    ASSERT_EQ(px.size(), 10u);
    EXPECT_EQ(px[5 + 4], 4u * 16 + 1);
}

TEST_F(ResourcesTest, InconsistentBitmapTablesRenderNothing) {
    std::vector<uint32_t> px{1, 2, 3};
    for (int id : {125, 126, 128}) {
        EXPECT_FALSE(RenderBitmapTemplate(*FindBitmapTemplate(id), &px)) << id;
        EXPECT_TRUE(px.empty()) << id;
    }
    BitmapTemplate huge{1, 5000, 1, {}, {}, Gradient};
    EXPECT_FALSE(RenderBitmapTemplate(huge, &px));
    BitmapTemplate empty{1, 0, 3, {}, {}, Gradient};
    EXPECT_FALSE(RenderBitmapTemplate(empty, &px));
}

TEST(MenuText, AmpersandsAsShown) {
    const struct {
        const char* text;
        const char* shown;
    } cases[] = {
        {"Comets&&Asteroids", "Comets&Asteroids"}, {"&File", "File"}, {"Day/Night", "Day/Night"},
        {"a&&&b", "a&b"}, {"end&", "end"}, {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(MenuDisplayText(c.text), c.shown) << c.text;
    EXPECT_EQ(MenuDisplayText(nullptr), "");
}

// Labels show "&&" as one "&" ("Date&&Time" of the observer log) and keep a
// single "&" of plain text ("Eyepieces & Filters").
TEST(LabelText, DoubledAmpersandShowsOnce) {
    const struct {
        const char* text;
        const char* shown;
    } cases[] = {
        {"Date&&Time", "Date&Time"}, {"Eyepieces & Filters", "Eyepieces & Filters"}, {"a&&&b", "a&&b"},
        {"end&", "end&"}, {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(LabelDisplayText(c.text), c.shown) << c.text;
}

}  // namespace
