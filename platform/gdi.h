// Device contexts and the objects drawn with: memory contexts, compatible
// bitmaps, 16-bit DIB sections, solid pens and brushes, text attributes,
// clipping and device capabilities. Window contexts come from GetDC (dc.h).
// Coordinates are pixels of the context: a window context's (0, 0) is the top
// left of the window's client area, a memory context's the top left of its bitmap.
//
// Every context starts with the system font, a black one-pixel pen, a white
// brush, black text on a white background and opaque text. Objects are deleted
// with DeleteObject; an object still selected into a context is freed when the
// last context lets go of it. Stock objects are never freed.
#pragma once

#include "platform/color.h"
#include "platform/dc.h"
#include "platform/geometry.h"

namespace pl {

struct Pen;
struct Brush;
struct Bitmap;
struct Font;
using Hpen = Pen*;
using Hbrush = Brush*;
using Hbitmap = Bitmap*;
using Hfont = Font*;

// A memory context holding a 1 by 1 stock bitmap until one is selected. The
// reference context is not needed (all memory contexts are alike).
Hdc CreateCompatibleDC(Hdc reference);
// Deletes a memory context (false for none or a window context). The objects
// selected into it are not deleted.
bool DeleteDC(Hdc dc);

// A bitmap of the context's pixel format: 16-bit when dc is a memory context
// holding a 16-bit bitmap, else the screen's 32 bits. Black. Its pixels are
// reached only through contexts. Null when a side is not in 1..16384.
Hbitmap CreateCompatibleBitmap(Hdc dc, int width, int height);

// A DIB section: bottom-up rows of 5-5-5 pixels (pixel (x, y) at
// bits + (height - 1 - y) * stride + 2x, stride a multiple of 4), zeroed, whose
// memory the program may write directly; *bits receives it. Only 16 bits per
// pixel is made; null (and *bits null) otherwise or for a bad size.
Hbitmap CreateDibSection(int width, int height, int bitsPerPixel, void** bits);

struct BitmapInfo {
    int width = 0;
    int height = 0;
    int widthBytes = 0;  // stride
    int planes = 1;
    int bitsPerPixel = 0;
    void* bits = nullptr;  // DIB sections only
};

// Description of a bitmap; false for none.
bool GetBitmapInfo(Hbitmap bitmap, BitmapInfo* info);

// A solid pen one pixel wide.
Hpen CreatePen(ColorRef color);
Hbrush CreateSolidBrush(ColorRef color);
Hbrush GetStockBlackBrush();

bool DeleteObject(Hpen pen);
bool DeleteObject(Hbrush brush);
bool DeleteObject(Hbitmap bitmap);
bool DeleteObject(Hfont font);

// Select an object; the result is the object it replaces, null on failure. A
// bitmap goes only into a memory context and only into one context at a time.
Hpen SelectObject(Hdc dc, Hpen pen);
Hbrush SelectObject(Hdc dc, Hbrush brush);
Hbitmap SelectObject(Hdc dc, Hbitmap bitmap);
Hfont SelectObject(Hdc dc, Hfont font);

Hfont GetCurrentFont(Hdc dc);
Hbitmap GetCurrentBitmap(Hdc dc);

// Text attributes; each setter returns the previous value (kInvalidColor or 0
// for no context).
enum BkMode { kTransparent = 1, kOpaque = 2 };
ColorRef SetTextColor(Hdc dc, ColorRef color);
ColorRef GetTextColor(Hdc dc);
ColorRef SetBkColor(Hdc dc, ColorRef color);
ColorRef GetBkColor(Hdc dc);
int SetBkMode(Hdc dc, int mode);
int GetBkMode(Hdc dc);

// Clipping. Drawing is always limited to the context's drawable area (the
// bitmap, or the window's visible region); a clip rectangle limits it further.
// SelectClipRect replaces the clip rectangle (null removes it);
// IntersectClipRect narrows it. GetClipBox gives the bounding box of what can be
// drawn, false when nothing can.
bool SelectClipRect(Hdc dc, const Rect* rect);
bool IntersectClipRect(Hdc dc, const Rect& rect);
bool GetClipBox(Hdc dc, Rect* box);

enum DeviceCap { kHorzRes, kVertRes, kLogPixelsX, kLogPixelsY, kBitsPixel };
// Screen size and pixels per inch for every context; bits per pixel of the
// context's own pixels (16 for a context holding a DIB section). 0 for none.
int GetDeviceCaps(Hdc dc, DeviceCap cap);

}  // namespace pl
