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

// The bytes of a JPEG with the size fields of its start-of-frame header
// (big-endian height, then width, after the marker FF C0, its length and the
// sample precision) changed.
std::vector<unsigned char> WithDeclaredSize(std::vector<unsigned char> bytes, int width, int height) {
    for (std::size_t i = 2; i + 9 < bytes.size(); ++i) {
        if (bytes[i] != 0xFF || bytes[i + 1] != 0xC0) continue;
        bytes[i + 5] = static_cast<unsigned char>(height >> 8);
        bytes[i + 6] = static_cast<unsigned char>(height & 0xFF);
        bytes[i + 7] = static_cast<unsigned char>(width >> 8);
        bytes[i + 8] = static_cast<unsigned char>(width & 0xFF);
        return bytes;
    }
    ADD_FAILURE() << "no start-of-frame header";
    return bytes;
}

// A picture of a few hundred bytes that declares 16152 x 6144 pixels (1.2
// GB as 32-bit pixels) is refused from its header; so is a whole picture one
// pixel wider than 4096, while one of 4096 is decoded.
TEST_F(ImageFiles, PictureDeclaringMoreThan4096PixelsOnASideIsRefused) {
    std::vector<unsigned char> grey(8 * 8 * 3, 128);
    std::vector<unsigned char> bomb = WithDeclaredSize(EncodeJpeg(8, 8, grey), 16152, 6144);
    EXPECT_LT(bomb.size(), 1000u);
    WriteBytes("bomb.jpg", bomb);
    EXPECT_EQ(pl::LoadImageFile("img\\bomb.jpg"), nullptr);

    std::vector<unsigned char> row(4097 * 3, 90);
    WriteBytes("wide.jpg", EncodeJpeg(4097, 1, row));
    EXPECT_EQ(pl::LoadImageFile("img\\wide.jpg"), nullptr);
    row.resize(4096 * 3);
    WriteBytes("widest.jpg", EncodeJpeg(4096, 1, row));
    pl::Hbitmap widest = pl::LoadImageFile("img\\widest.jpg");
    ASSERT_NE(widest, nullptr);
    pl::BitmapInfo info;
    ASSERT_TRUE(pl::GetBitmapInfo(widest, &info));
    EXPECT_EQ(info.width, 4096);
    pl::DeleteObject(widest);
}

// A picture cut in the middle of its data but still ending with the
// end-of-image marker (FF D9) was once taken as whole: the library only warns
// that the data ended early.
TEST_F(ImageFiles, PictureCutBeforeItsEndMarkerIsDamaged) {
    std::vector<unsigned char> noise;
    for (int i = 0; i < 64 * 64 * 3; ++i) noise.push_back(static_cast<unsigned char>((i * 7919) % 251));
    std::vector<unsigned char> bytes = EncodeJpeg(64, 64, noise);
    std::vector<unsigned char> cut(bytes.begin(), bytes.end() - static_cast<long>(bytes.size() / 3));
    cut.push_back(0xFF);
    cut.push_back(0xD9);
    WriteBytes("cut.jpg", cut);
    EXPECT_EQ(pl::LoadImageFile("img\\cut.jpg"), nullptr);
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
