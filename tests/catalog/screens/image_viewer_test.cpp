// Object pictures drawn into a box, and the full-screen viewer with its
// stepping through the observing list in the running program.
#include "catalog/screens/image_viewer.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "catalog/object_pictures.h"
#include "platform/dialog.h"
#include "platform/files.h"
#include "platform/messages.h"
#include "platform/window.h"
#include "screens_test.h"
#include "support/draw_fixture.h"
#include "support/jpeg_file.h"
#include "support/program_fixture.h"
#include "support/recording_services.h"

namespace {

namespace fs = std::filesystem;

constexpr uint32_t kGreen = 0x00FF00, kBlue = 0x0000FF, kRed = 0xFF0000, kWhite = 0xF8F8F8, kNightRed = 0xF80000;

// A uniform picture in img\<folder>; damaged bytes for colour kDamaged.
constexpr uint32_t kDamaged = 0xFFFFFFFF;
void WritePicture(const fs::path& home, const char* folder, const std::string& name, int w, int h, uint32_t c) {
    fs::create_directories(home / "img" / folder);
    if (c == kDamaged) {
        std::ofstream(home / "img" / folder / name, std::ios::binary) << "\xFF\xD8 damaged";
        return;
    }
    std::vector<unsigned char> rgb;
    for (int i = 0; i < w * h; ++i)
        rgb.insert(rgb.end(), {static_cast<unsigned char>(c >> 16), static_cast<unsigned char>(c >> 8),
                               static_cast<unsigned char>(c)});
    ASSERT_TRUE(WriteJpegFile((home / "img" / folder / name).string(), w, h, rgb));
}

// 0x00RRGGBB channels within a few levels (JPEG keeps a uniform colour close).
bool Near(uint32_t p, uint32_t c) {
    for (int s : {16, 8, 0})
        if (std::abs(static_cast<int>((p >> s) & 0xFF) - static_cast<int>((c >> s) & 0xFF)) >= 24) return false;
    return true;
}

// The box drawing into a 16-bit picture standing for a form.
class PictureBox : public DrawFixture {
protected:
    void SetUp() override {
        DrawFixture::SetUp();
        InstallSymbolFont(folder.path());
        canvas = DibWindow(240, 240);
    }
    // Draws `name` into the box (40, 40, width, 160) on a grey ground.
    void Draw(const char* name, int width) {
        Fill(canvas, 0x4210);
        ASSERT_TRUE(ShowObjectImage(name, 40, 40, width, 160, false, 0, 63));
    }
    // {left, top, right, bottom} of the pixels near a colour.
    std::vector<int> Where(uint32_t colour) const {
        std::vector<int> b{999, 999, -1, -1};
        for (int y = 0; y < 240; ++y)
            for (int x = 0; x < 240; ++x) {
                uint16_t p = Pixel(canvas, x, y);
                if (!Near((p & 0x7C00) << 9 | (p & 0x3E0) << 6 | (p & 31) << 3, colour)) continue;
                b = {std::min(b[0], x), std::min(b[1], y), std::max(b[2], x + 1), std::max(b[3], y + 1)};
            }
        return b;
    }
    TempProgramFolder folder{"image_box"};
    RecordingServices services;
    DrawWindowRecord* canvas = nullptr;
};

// Centred, shrunk to fit, never enlarged, on a black box: 100 x 50 in 160 x
// 160 at (40 + 30, 40 + 55); 400 x 200 becomes 160 x 80 at (40, 40 + 40).
// The caption (the file name at the corner) is in the label font below 160
// pixels, plain from 160, white by day and pure red at night. A damaged file.
TEST_F(PictureBox, PicturesAreCentredAndOnlyShrunkUnderTheirCaption) {
    WritePicture(folder.path(), "misc", "Small.jpg", 100, 50, kGreen);
    WritePicture(folder.path(), "misc", "Large.jpg", 400, 200, kBlue);
    Draw("Small, a galaxy", 160);
    EXPECT_EQ(Where(kGreen), (std::vector<int>{70, 95, 170, 145}));
    EXPECT_EQ(Pixel(canvas, 45, 190), 0x0000);
    EXPECT_EQ(Pixel(canvas, 200, 100), 0x4210);
    EXPECT_STREQ(imageRequest.name, "Small.jpg");
    Draw("Large", 159);
    EXPECT_EQ(Where(kBlue), (std::vector<int>{40, 80, 199, 159}));
    std::vector<int> label = Where(kWhite);
    Draw("Large", 160);
    std::vector<int> plain = Where(kWhite);
    EXPECT_EQ(plain[0], 40);
    EXPECT_NEAR(plain[1], 40, 3);
    EXPECT_LT(label[3] - label[1], plain[3] - plain[1]);
    SetNightMode(1);
    Draw("Large", 160);
    EXPECT_EQ(Where(kNightRed), plain);
    EXPECT_FALSE(ShowObjectImage("Missing", 0, 0, 10, 10, false, 0, 63));
    EXPECT_TRUE(services.messages.empty());
    // Damaged: "Can't find" with the full path; the black box and caption stay.
    WritePicture(folder.path(), "misc", "Bad.jpg", 0, 0, kDamaged);
    Draw("Bad", 160);
    ASSERT_EQ(services.messages.size(), 1u);
    EXPECT_EQ(services.messages[0].text, "Can't find");
    EXPECT_EQ(services.messages[0].detail, pl::ProgramPath() + "img\\misc\\Bad.jpg");
    EXPECT_EQ(Pixel(canvas, 120, 120), 0x0000);
    EXPECT_EQ(Where(kNightRed)[0], 40);
}

class ImageViewer : public ProgramTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(StartProgram());
        Ui([] {
            ResetImageRequest();
            FillObservingList(5);
        });
    }
    void Open(const char* name) {
        Ui([name] { ShowObjectImage(name, 0, 0, 0, 0, true, 0, 42); });
    }
    static pl::Hwnd Viewer() {
        for (pl::Hwnd w : pl::TopLevelWindows())
            if (pl::IsModalDialog(w)) return w;
        return nullptr;
    }
    bool CentreIs(uint32_t colour) const { return Near(harness.pixel(120, 160), colour); }
};

// The viewer fills the screen; a tap closes it and the form beneath comes
// back pixel for pixel.
TEST_F(ImageViewer, FillsTheScreenAndATapBringsTheFormBack) {
    WritePicture(folder.path(), "ngc", "NGC224.jpg", 100, 50, kGreen);
    std::vector<uint32_t> before = ScreenSample(3);
    Open("NGC224, Andromeda");
    ASSERT_NE(Viewer(), nullptr);
    EXPECT_TRUE(CentreIs(kGreen));
    EXPECT_EQ(harness.pixel(120, 300), 0x000000u);
    Shot("image_viewer.png");
    harness.tap(120, 300);
    EXPECT_EQ(Viewer(), nullptr);
    EXPECT_EQ(ScreenSample(3), before);
    EXPECT_EQ(BoxCount(), 0);
}

// Pictures at 0, 2 and 4 of five: next from 0 shows 2, then 4, then 4 again;
// previous then shows 2, 0, and 0 again. Without the picture at 0, previous
// from 2 finds none: the index goes to 0 and the picture stays.
TEST_F(ImageViewer, ArrowKeysStepThroughTheListsPictures) {
    const uint32_t colours[] = {kRed, kGreen, kBlue};
    for (const char* name : {"E0.jpg", "E2.jpg", "E4.jpg"})
        WritePicture(folder.path(), "ngc", name, 40, 40, colours[(name[1] - '0') / 2]);
    Open("E0");
    ASSERT_TRUE(CentreIs(kRed));
    const struct {
        int key;
        uint32_t shown;
        int index;
    } steps[] = {{pl::VK_RIGHT, kGreen, 3}, {pl::VK_DOWN, kBlue, 4}, {pl::VK_PRIOR, kBlue, 4}, {pl::VK_LEFT, kGreen, 3},
                 {pl::VK_UP, kRed, 1},      {pl::VK_NEXT, kRed, 1},  {pl::VK_RETURN, kRed, 1}};
    for (const auto& s : steps) {
        harness.key(s.key);
        EXPECT_TRUE(CentreIs(s.shown)) << s.key;
        EXPECT_EQ(imageBrowseIndex, s.index) << s.key;
    }
    fs::remove(folder.path() / "img" / "ngc" / "E0.jpg");
    harness.key(pl::VK_RIGHT);
    ASSERT_EQ(imageBrowseIndex, 3);
    harness.key(pl::VK_LEFT);
    EXPECT_EQ(imageBrowseIndex, 0);
    EXPECT_TRUE(CentreIs(kGreen));
    harness.tap(10, 10);
    EXPECT_EQ(Viewer(), nullptr);
}

// A picture that cannot be decoded is reported once: the box's closing
// repainted the viewer, which reported it again, so the box came back for ever.
TEST_F(ImageViewer, DamagedPictureIsReportedOnlyOnce) {
    WritePicture(folder.path(), "ngc", "Bad.jpg", 0, 0, kDamaged);
    Open("Bad");
    EXPECT_EQ(BoxText(), "Can't find\n" + pl::ProgramPath() + "img\\ngc\\Bad.jpg");
    Answer(pl::IDOK);
    EXPECT_EQ(BoxCount(), 0);
    ASSERT_NE(Viewer(), nullptr);
    harness.tap(120, 160);
    EXPECT_EQ(Viewer(), nullptr);
    EXPECT_EQ(BoxCount(), 0);
}

}  // namespace
