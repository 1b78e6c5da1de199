// Pixels, lines, rectangles and erasing in the current draw window. Into a DIB
// record pixels and lines are written straight into its memory with the
// foreground pixel word; into anything else through the platform with the
// foreground colour and pen.
#pragma once

#include <cstdint>

#include "platform/types.h"
#include "ui/xywh_rect.h"

// One pixel in the foreground. DIB: dropped outside 0 <= x < right,
// 0 <= y < bottom; pixel (x, y) lies in stored row bottom - 1 - y.
void DrawPixel(int x, int y);

// DIB: `value` is a raw pixel word and becomes the foreground pixel word;
// otherwise it is a COLORREF made the foreground colour. Then DrawPixel.
void DrawPixelColor(int x, int y, uint32_t value);

// A line with both end points. DIB: an integer walk along the longer axis;
// otherwise a two-point polyline with the foreground pen, which leaves the
// last point out.
void DrawLine(int x1, int y1, int x2, int y2);

// DrawLine kept inside `clip` too: in a DIB the pixels outside it are not
// written; a window's line is the platform's, clipped to the window only.
void DrawLineInside(int x1, int y1, int x2, int y2, const XywhRect& clip);

// DrawLine in a colour: in a DIB only the pixel word changes to the colour's
// 5-5-5 form; otherwise the colour becomes the foreground colour.
void DrawLineColor(int x1, int y1, int x2, int y2, uint32_t color);

// Corner 0: filled with the foreground brush; otherwise a rounded rectangle
// (corner ellipses 2 x corner) filled with it and outlined with the current pen.
void FillRectangle(const XywhRect& rect, int corner);
// The four sides with the current pen, from (x, y) down first and back.
void DrawRectangleOutline(const XywhRect& rect);
// A raised monochrome edge on all four sides.
void DrawRectangleFrame(const XywhRect& rect);
// Filled with the background brush of the colour set.
void EraseRectangle(const XywhRect& rect);

// The window's client area filled with the background brush through its own
// context; below the title: without the top 24 x scaleY strip.
void EraseWindow(pl::Hwnd window);
void EraseWindowBelowTitle(pl::Hwnd window);
// The bottom 22 x scaleY strip of the window's client area, through the draw context.
void EraseBottomStrip(pl::Hwnd window);

// The control's screen rectangle; `out` untouched when there is no such control.
void GetControlBounds(pl::Hwnd dialog, int id, XywhRect* out);
