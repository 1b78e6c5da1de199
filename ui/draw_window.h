// The current draw window: every drawing call of the program draws into one
// device context, a window's or an offscreen picture's, chosen here. Also the
// display scale that every pixel constant of the 240 x 320 design is
// multiplied by.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/gdi.h"
#include "platform/types.h"
#include "ui/xywh_rect.h"

// A window or offscreen picture of the drawing layer.
struct DrawWindowRecord {
    pl::Hwnd ownerWindow = nullptr;      // drawn into; offscreen: the active window at creation
    pl::Hdc dc = nullptr;                // the context drawn into
    pl::Hbitmap previousBitmap = nullptr;  // selected in dc before `bitmap`
    pl::Hbitmap bitmap = nullptr;        // owned with dc; none for window records
    int32_t left = 0;                    // bounds: offscreen 0, 0, width, height; windows all 0
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
    pl::ColorRef transparentColor = 0;   // skipped by transparent copies from this record
    uint8_t* dibBits = nullptr;          // pixels of a DIB, written directly
    uint16_t bitsPerPixel = 0;
    int16_t stride = 0;                  // bytes per stored row
    int16_t bytesPerPixel = 0;
    int nightFilterMode = 0;             // night mode the pixels were filtered with (0: none)
};

// Address of pixel (x, y) of a DIB record: rows are stored bottom-up, so the
// pixel lies in stored row bottom - 1 - y.
inline uint8_t* DibPixelAddress(const DrawWindowRecord& r, int x, int y) {
    return r.dibBits + static_cast<std::ptrdiff_t>(r.bottom - y - 1) * r.stride +
           static_cast<std::ptrdiff_t>(x) * r.bytesPerPixel;
}

// A 16-bit pixel stored little-endian at p.
inline uint16_t ReadPixel16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
inline void WritePixel16(uint8_t* p, uint16_t v) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}

// Pixels per inch over 96 on each axis, measured once at start-up.
struct DisplayScale {
    double scaleX = 1.0;
    double scaleY = 1.0;
};

extern DisplayScale displayScale;

// Reads the screen's pixels per inch into displayScale.
void InitDisplayScale();

// A design length times scaleX or scaleY, truncated toward zero.
int ScaleX(double designPixels);
int ScaleY(double designPixels);

// Makes the window and its context the current draw window, remembering the
// window's client rectangle. The previous window record is given up (offscreen
// records stay with their owners); the foreground pen and brush are dropped
// and the current font id becomes 0, since the new context has its own.
void InitDrawWindow(pl::Hwnd window, pl::Hdc dc);

// As InitDrawWindow with a context of the window that the drawing layer gets
// itself and releases when the draw window is next replaced or released.
void InitDrawWindowOwnDc(pl::Hwnd window);

// Makes a record current (null: none); returns the previous one. The client
// rectangle is not changed.
DrawWindowRecord* SetDrawWindow(DrawWindowRecord* record);
DrawWindowRecord* GetDrawWindow();
pl::Hdc GetDrawDc();
pl::Hwnd GetDrawWindowHandle();

// The client rectangle read by the last InitDrawWindow.
pl::Rect GetDrawClientRect();

// Gives up the current draw window and resets the remembered foreground colour
// (shut-down).
void ReleaseDrawWindow();

// Called by the offscreen code when a record is deleted, so that it never
// stays current.
void ForgetDrawWindow(const DrawWindowRecord* record);

// The screen size in pixels.
void GetScreenSize(int* width, int* height);

// Clips the draw context to the draw window's client rectangle.
void ClipToWindow();

// Narrows the draw context's clip to the rectangle.
void SetClip(const XywhRect& rect);
