// The Moon picture turned by a position angle and cut by the terminator.
#include <algorithm>
#include <cstddef>
#include <cmath>
#include <vector>

#include "ui/bitmaps.h"
#include "ui/offscreen.h"
#include "ui/primitives.h"
#include "ui/shapes.h"

namespace {

// Per-box-coordinate tables: the rotation offsets (x64) and the source column
// (or row) that box coordinate k maps to.
struct MoonTables {
    std::vector<int> rx, ry, col;
};

MoonTables MakeTables(int n, int width, int pictureWidth, double angle) {
    double theta = -angle * 0.0174532925199433;
    double c = 64 * std::cos(theta), s = 64 * std::sin(theta);
    MoonTables t{std::vector<int>(n), std::vector<int>(n), std::vector<int>(n)};
    for (int k = 0; k < n; ++k) {
        int u = k - n / 2;
        t.rx[k] = static_cast<int>(u * c);
        t.ry[k] = static_cast<int>(u * s);
        t.col[k] = static_cast<int>(int64_t{k} * pictureWidth / width);
    }
    return t;
}

// Distance of each stored row of the picture from its centre row.
std::vector<int> RowDistances(int height) {
    std::vector<int> dist(height);
    for (int j = 0; j < height; ++j) dist[j] = j + 1 - height / 2 >= 0 ? j + 1 - height / 2 : height / 2 - 1 - j;
    return dist;
}

// Pixel `col` of stored row `storedRow` (rows are stored bottom-up).
uint16_t StoredPixel(const DrawWindowRecord* r, int storedRow, int col) {
    return ReadPixel16(r->dibBits + static_cast<std::ptrdiff_t>(storedRow) * r->stride +
                       static_cast<std::ptrdiff_t>(col) * r->bytesPerPixel);
}

}  // namespace

void DrawMoonPhaseImage(int bitmapA, int bitmapB, int width, int height, int x, int y, double phase, double angle,
                        int stepX, int stepY) {
    if (width <= 0 || height <= 0) return;
    DrawWindowRecord* a = LoadBitmapResource16(bitmapA);
    DrawWindowRecord* b = LoadBitmapResource16(bitmapB);
    if (a && b && a->right == b->right && a->bottom == b->bottom) {
        int aw = a->right, ah = a->bottom;
        uint16_t key = ReadPixel16(a->dibBits);
        int n = std::max(width, height);
        MoonTables t = MakeTables(n, width, aw, angle);
        std::vector<int> dist = RowDistances(ah);
        std::vector<int> left(ah, 0), right(ah, 0);
        ComputePhaseSpans(phase, left.data(), right.data(), std::min(aw / 2, ah));
        int y0 = y + height / 2 - (height * stepY) / 2;
        int x0 = x + width / 2 - (width * stepX) / 2;
        for (int r = 0; r < height; ++r) {
            for (int c = 0; c < width; ++c) {
                int sc = height / 2 + ((t.rx[c] - t.ry[r]) >> 6);
                int sr = height / 2 + ((t.ry[c] + t.rx[r]) >> 6);
                if (sc < 0 || sc >= width || sr < 0 || sr >= height) continue;
                int srcCol = t.col[sc], srcRow = t.col[sr];
                if (srcCol >= aw || srcRow >= ah) continue;
                int d = dist[srcRow];
                if (d < 0 || d >= ah) continue;
                uint16_t pixel = StoredPixel(a, srcRow, srcCol);
                if (pixel == key) continue;
                if (left[d] <= srcCol && srcCol <= right[d]) pixel = StoredPixel(b, srcRow, srcCol);
                DrawPixelColor(x0 + c * stepX, y0 + r * stepY, pixel);
            }
        }
    }
    DeleteOffscreenWindow(a);
    DeleteOffscreenWindow(b);
}
