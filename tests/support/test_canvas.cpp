#include "support/test_canvas.h"

#include "platform/drawing.h"

TestCanvas::TestCanvas(int width, int height, int bitsPerPixel) : width_(width), height_(height) {
    dc_ = pl::CreateCompatibleDC(nullptr);
    bitmap_ = bitsPerPixel == 16 ? pl::CreateDibSection(width, height, 16, &bits_)
                                 : pl::CreateCompatibleBitmap(nullptr, width, height);
    previous_ = pl::SelectObject(dc_, bitmap_);
}

TestCanvas::~TestCanvas() {
    pl::SelectObject(dc_, previous_);
    pl::DeleteObject(bitmap_);
    pl::DeleteDC(dc_);
}

void TestCanvas::Fill(pl::ColorRef color) {
    pl::Hbrush brush = pl::CreateSolidBrush(color);
    pl::FillRect(dc_, pl::Rect{0, 0, width_, height_}, brush);
    pl::DeleteObject(brush);
}

std::string TestCanvas::Picture(const std::map<pl::ColorRef, char>& legend) const {
    pl::SelectClipRect(dc_, nullptr);
    std::string out;
    for (int y = 0; y < height_; ++y) {
        if (y > 0) out += '\n';
        for (int x = 0; x < width_; ++x) {
            auto it = legend.find(pl::GetPixel(dc_, x, y));
            out += it == legend.end() ? '?' : it->second;
        }
    }
    return out;
}

int TestCanvas::Count(pl::ColorRef color) const {
    pl::SelectClipRect(dc_, nullptr);
    int n = 0;
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x) n += pl::GetPixel(dc_, x, y) == color;
    return n;
}
