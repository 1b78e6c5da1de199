// A small pixel canvas for the bitmap generators: filled and outlined shapes
// in 0x00RRGGBB, drawn into the pixel block a generator is handed.
#pragma once

#include <cstdint>

class IconCanvas {
public:
    IconCanvas(uint32_t* pixels, int width, int height) : p_(pixels), w_(width), h_(height) {}
    int Width() const { return w_; }
    int Height() const { return h_; }

    void Fill(uint32_t colour);
    void Pixel(int x, int y, uint32_t colour);
    void Rect(int x, int y, int width, int height, uint32_t colour);
    // The rectangle's one-pixel outline.
    void Frame(int x, int y, int width, int height, uint32_t colour);
    // A disc of centre (cx, cy) and radius r (half pixels allowed).
    void Disc(double cx, double cy, double r, uint32_t colour);
    // A ring between radii r - thickness and r.
    void Ring(double cx, double cy, double r, double thickness, uint32_t colour);
    // An ellipse with half-axes a and b turned by `angle` radians; filled, or
    // an outline `thickness` wide.
    void Ellipse(double cx, double cy, double a, double b, double angle, uint32_t colour, double thickness = 0);
    // A line `width` pixels wide.
    void Line(double x1, double y1, double x2, double y2, uint32_t colour, double width = 1.0);
    // A rounded tile over the whole canvas with a one-pixel border.
    void Tile(uint32_t face, uint32_t border);
    // A Moon of illuminated fraction f (0 new .. 1 full) on a disc of radius r,
    // lit on the right when waxing, on the left when waning.
    void PhaseDisc(double cx, double cy, double r, double f, bool waxing, uint32_t lit, uint32_t dark);
    // Text rows of '#' (colour) and anything else (left as it is), placed at (x, y).
    void Glyph(const char* const* rows, int count, int x, int y, uint32_t colour, int scale = 1);

private:
    uint32_t* p_;
    int w_;
    int h_;
};

// The push-button bitmaps of the list manager and the observer log: a light
// key face with a dark edge, drawn on in the key ink.
constexpr uint32_t kKeyFace = 0xD8DCE8;
constexpr uint32_t kKeyEdge = 0x505870;
constexpr uint32_t kKeyInk = 0x203070;
IconCanvas KeyButton(uint32_t* pixels, int width, int height);
