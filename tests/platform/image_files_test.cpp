// JPEG files decoded into bitmaps, and the screen written as PNG.
#include "platform/image_files.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <vector>

#include "platform/drawing.h"
#include "platform/files.h"
#include "platform/framebuffer.h"
#include "platform/screen.h"
#include "support/jpeg_file.h"
#include "support/png_file.h"
#include "support/temp_program_folder.h"

namespace {

namespace fs = std::filesystem;
using pl::Rgb;

class ImageFiles : public ::testing::Test {
protected:
    void SetUp() override { fs::create_directories(folder_.path() / "img"); }
    void TearDown() override { pl::SetScreenInfo(pl::kHeadlessScreen); }

    void WriteBytes(const std::string& name, const std::vector<unsigned char>& bytes) {
        std::FILE* f = std::fopen((folder_.path() / "img" / name).c_str(), "wb");
        ASSERT_NE(f, nullptr);
        if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    }
    // A 16 x 8 JPEG at quality 95, red on the left half and blue on the right.
    std::vector<unsigned char> WriteJpeg(const std::string& name) {
        std::vector<unsigned char> rgb;
        for (int i = 0; i < 16 * 8; ++i) {
            bool red = i % 16 < 8;
            rgb.insert(rgb.end(), {static_cast<unsigned char>(red ? 220 : 20), 30, static_cast<unsigned char>(red ? 40 : 200)});
        }
        std::vector<unsigned char> bytes = EncodeJpeg(16, 8, rgb);
        WriteBytes(name, bytes);
        return bytes;
    }

    TempProgramFolder folder_{"zd_images"};
};

void ExpectNear(pl::ColorRef got, pl::ColorRef want, int tolerance) {
    EXPECT_NEAR(pl::RedOf(got), pl::RedOf(want), tolerance);
    EXPECT_NEAR(pl::GreenOf(got), pl::GreenOf(want), tolerance);
    EXPECT_NEAR(pl::BlueOf(got), pl::BlueOf(want), tolerance);
}

TEST_F(ImageFiles, JpegDecodesToItsSizeAndColours) {
    WriteJpeg("two.jpg");
    pl::Hbitmap picture = pl::LoadImageFile("img\\TWO.JPG");  // the name's case does not matter
    ASSERT_NE(picture, nullptr);
    pl::BitmapInfo info;
    ASSERT_TRUE(pl::GetBitmapInfo(picture, &info));
    EXPECT_EQ(info.width, 16);
    EXPECT_EQ(info.height, 8);
    pl::Hdc dc = pl::CreateCompatibleDC(nullptr);
    pl::Hbitmap old = pl::SelectObject(dc, picture);
    // Quality 95 keeps flat areas within a few levels; chroma subsampling blurs
    // only the columns next to the colour edge.
    ExpectNear(pl::GetPixel(dc, 2, 3), Rgb(220, 30, 40), 6);
    ExpectNear(pl::GetPixel(dc, 13, 5), Rgb(20, 30, 200), 6);
    pl::SelectObject(dc, old);
    pl::DeleteDC(dc);
    pl::DeleteObject(picture);
}

TEST_F(ImageFiles, MissingOrDamagedJpegGivesNothing) {
    EXPECT_EQ(pl::LoadImageFile("img\\none.jpg"), nullptr);
    std::vector<unsigned char> bytes = WriteJpeg("whole.jpg");
    WriteBytes("half.jpg", std::vector<unsigned char>(bytes.begin(), bytes.begin() + bytes.size() / 2));
    WriteBytes("text.jpg", {'n', 'o', 't', ' ', 'a', ' ', 'j', 'p', 'e', 'g'});
    WriteBytes("empty.jpg", {});
    for (const char* name : {"img\\half.jpg", "img\\text.jpg", "img\\empty.jpg"})
        EXPECT_EQ(pl::LoadImageFile(name), nullptr) << name;
}

TEST_F(ImageFiles, PngOfTheScreenReadsBackIdentically) {
    pl::SetScreenInfo(pl::ScreenInfo{7, 5, 96});
    pl::Surface& screen = pl::ScreenSurface();
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x) pl::WriteRaw(screen, x, y, pl::ToPixel888(Rgb(x * 36, y * 60, (x * y * 13) & 0xFF)));
    std::string path = (folder_.path() / "shot.png").string();
    ASSERT_TRUE(pl::SaveScreenPng(path));
    int w = 0, h = 0;
    std::vector<unsigned char> rgb;
    ASSERT_TRUE(ReadPngRgb(path, &w, &h, &rgb));
    ASSERT_EQ(w, 7);
    ASSERT_EQ(h, 5);
    for (int i = 0; i < 7 * 5; ++i)
        EXPECT_EQ(Rgb(rgb[i * 3], rgb[i * 3 + 1], rgb[i * 3 + 2]), pl::ScreenPixel(i % 7, i / 7)) << i;
    EXPECT_FALSE(pl::SaveScreenPng((folder_.path() / "no" / "such" / "dir.png").string()));
}

}  // namespace
