#include "support/draw_fixture.h"

#include "core/preferences.h"
#include "ui/colors.h"
#include "ui/font_set.h"
#include "ui/offscreen.h"
#include "ui/saved_screen.h"

void DrawFixture::SetUp() {
    SetScale(1.0);
    SetNightMode(0);
    ReleaseDrawWindow();
}

void DrawFixture::TearDown() {
    for (DrawWindowRecord* r : records_) DeleteOffscreenWindow(r);
    records_.clear();
    FreeSavedScreen();
    ReleaseFonts();
    ReleaseDrawWindow();
    SetNightMode(0);
    DeleteColorSet();
    SetScale(1.0);
}

void DrawFixture::SetNightMode(int mode) {
    preferences.word[kPrefNightMode] = mode;
    InitColorSet();
}

void DrawFixture::SetScale(double scale) { displayScale = DisplayScale{scale, scale}; }

DrawWindowRecord* DrawFixture::Dib(int width, int height) {
    DrawWindowRecord* r = CreateOffscreenDib(width, height, 16);
    EXPECT_NE(r, nullptr);
    if (r) records_.push_back(r);
    return r;
}

DrawWindowRecord* DrawFixture::DibWindow(int width, int height) {
    DrawWindowRecord* r = Dib(width, height);
    SetDrawWindow(r);
    return r;
}

uint16_t DrawFixture::Pixel(const DrawWindowRecord* r, int x, int y) { return ReadPixel16(DibPixelAddress(*r, x, y)); }

void DrawFixture::SetPixel(DrawWindowRecord* r, int x, int y, uint16_t value) {
    WritePixel16(DibPixelAddress(*r, x, y), value);
}

void DrawFixture::Fill(DrawWindowRecord* r, uint16_t value) {
    for (int y = 0; y < r->bottom; ++y)
        for (int x = 0; x < r->right; ++x) SetPixel(r, x, y, value);
}

std::string DrawFixture::Picture(const DrawWindowRecord* r, const std::map<uint16_t, char>& legend) {
    std::string out;
    for (int y = 0; y < r->bottom; ++y) {
        if (y > 0) out += '\n';
        for (int x = 0; x < r->right; ++x) {
            auto it = legend.find(Pixel(r, x, y));
            out += it == legend.end() ? '?' : it->second;
        }
    }
    return out;
}

int DrawFixture::Count(const DrawWindowRecord* r, uint16_t value) {
    int n = 0;
    for (int y = 0; y < r->bottom; ++y)
        for (int x = 0; x < r->right; ++x) n += Pixel(r, x, y) == value;
    return n;
}

void DrawFixture::InstallSymbolFont(const std::filesystem::path& programFolder) {
    std::filesystem::create_directories(programFolder / "font");
    std::filesystem::copy_file("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", programFolder / "font" / "symbol.ttf",
                               std::filesystem::copy_options::overwrite_existing);
}
