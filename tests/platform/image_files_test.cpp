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

    // A 16 x 8 JPEG, red on the left half and blue on the right, at quality
    // 95; returns the file's bytes.
    std::vector<unsigned char> WriteJpeg(const std::string& name) {
        const int w = 16, h = 8;
        std::vector<unsigned char> rgb(w * h * 3);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                unsigned char* p = &rgb[(y * w + x) * 3];
                p[0] = x < 8 ? 220 : 20;
                p[1] = 30;
                p[2] = x < 8 ? 40 : 200;
            }
        std::vector<unsigned char> bytes = EncodeJpeg(w, h, rgb);
        WriteBytes(name, bytes);
        return bytes;
    }

    void WriteBytes(const std::string& name, const std::vector<unsigned char>& bytes) {
        std::FILE* f = std::fopen((folder_.path() / "img" / name).c_str(), "wb");
        ASSERT_NE(f, nullptr);
        if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
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
    EXPECT_EQ(pl::LoadImageFile("img\\half.jpg"), nullptr);
    WriteBytes("text.jpg", {'n', 'o', 't', ' ', 'a', ' ', 'j', 'p', 'e', 'g'});
    EXPECT_EQ(pl::LoadImageFile("img\\text.jpg"), nullptr);
    WriteBytes("empty.jpg", {});
    EXPECT_EQ(pl::LoadImageFile("img\\empty.jpg"), nullptr);
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
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x) {
            const unsigned char* p = &rgb[(y * 7 + x) * 3];
            EXPECT_EQ(Rgb(p[0], p[1], p[2]), pl::ScreenPixel(x, y)) << x << "," << y;
        }
}

TEST_F(ImageFiles, PngToAnUnwritablePlaceFails) {
    EXPECT_FALSE(pl::SaveScreenPng((folder_.path() / "no" / "such" / "dir.png").string()));
}

}  // namespace
