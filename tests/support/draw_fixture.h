// A clean drawing layer for tests of ui/: day colours, scale 1 (or as set),
// no draw window, no fonts, and 16-bit DIB records that are deleted at the
// end of the test.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "ui/draw_window.h"

class DrawFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Night mode word and colour set.
    void SetNightMode(int mode);
    void SetScale(double scale);

    // A zeroed 16-bit DIB record, deleted at the end of the test.
    DrawWindowRecord* Dib(int width, int height);
    // A DIB record made the current draw window.
    DrawWindowRecord* DibWindow(int width, int height);

    static uint16_t Pixel(const DrawWindowRecord* r, int x, int y);
    static void SetPixel(DrawWindowRecord* r, int x, int y, uint16_t value);
    static void Fill(DrawWindowRecord* r, uint16_t value);
    // One character per pixel: the legend's for its 5-5-5 word, '?' for others.
    static std::string Picture(const DrawWindowRecord* r, const std::map<uint16_t, char>& legend);
    static int Count(const DrawWindowRecord* r, uint16_t value);

    // Puts a TrueType face (Debian's DejaVu Sans) at font\symbol.ttf of a
    // program folder, so that the font set finds its symbol face.
    static void InstallSymbolFont(const std::filesystem::path& programFolder);

private:
    std::vector<DrawWindowRecord*> records_;
};
