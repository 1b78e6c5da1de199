// A memory device context holding its own bitmap, for drawing tests, and a
// text picture of its pixels for readable comparisons.
#pragma once

#include <map>
#include <string>

#include "platform/gdi.h"

class TestCanvas {
public:
    // A DIB section when bitsPerPixel is 16, else a 32-bit compatible bitmap.
    TestCanvas(int width, int height, int bitsPerPixel = 32);
    ~TestCanvas();
    TestCanvas(const TestCanvas&) = delete;
    TestCanvas& operator=(const TestCanvas&) = delete;

    pl::Hdc dc() const { return dc_; }
    pl::Hbitmap bitmap() const { return bitmap_; }
    void* bits() const { return bits_; }
    int width() const { return width_; }
    int height() const { return height_; }

    void Fill(pl::ColorRef color);

    // One character a pixel, rows separated by '\n': the character given for the
    // pixel's colour, '?' for a colour not in the legend. Picture and Count
    // remove the context's clip rectangle so that they see every pixel.
    std::string Picture(const std::map<pl::ColorRef, char>& legend) const;

    // Number of pixels of a colour.
    int Count(pl::ColorRef color) const;

private:
    pl::Hdc dc_ = nullptr;
    pl::Hbitmap bitmap_ = nullptr;
    pl::Hbitmap previous_ = nullptr;
    void* bits_ = nullptr;
    int width_;
    int height_;
};
