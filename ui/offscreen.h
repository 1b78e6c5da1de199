// Offscreen pictures: 16-bit DIB records whose pixels the program writes
// directly, records with bitmaps compatible with the draw context, save-under
// bits, the red night filter, and copies between records.
#pragma once

#include <cstdint>

#include "ui/draw_window.h"
#include "ui/xywh_rect.h"

// A DIB section of bottom-up 5-5-5 rows (only 16 bits per pixel is made);
// *bits receives its pixel memory. Null for another depth or a bad size.
pl::Hbitmap CreateDibBitmap(int width, int height, int bitsPerPixel, void** bits);

// A record over a new DIB in a memory context: bounds 0, 0, width, height,
// owner the active window. Null when it cannot be made.
DrawWindowRecord* CreateOffscreenDib(int width, int height, int bitsPerPixel);

// A record over a bitmap compatible with the draw context (no DIB bits).
DrawWindowRecord* CreateOffscreenWindow(int width, int height);

// Frees a record made here: its bitmap and context first. Null, a record
// already deleted, and window records are ignored, so each record is released
// exactly once.
void DeleteOffscreenWindow(DrawWindowRecord* record);

// A mirrored copy of the record (flipX, flipY >= 1 mirror that axis) that
// replaces it: the source is deleted. The source comes back unchanged when it
// is null or the copy cannot be made.
DrawWindowRecord* MirrorOffscreen(DrawWindowRecord* record, int flipX, int flipY);

// A night-filtered pixel: mode 1 (p & 0xF001) >> 1, mode 2 red at two thirds
// of its top four bits, mode 3 p & 0xF800; mode 0 (or any other) unchanged.
uint16_t NightFilterPixel(uint16_t pixel, int nightMode);

// Rewrites every pixel of a 16-bit DIB record for the current night mode (in
// storage order, stride / bytes per pixel pixels a row) and remembers the mode.
void ApplyNightFilter(DrawWindowRecord* record);

// The record's transparent colour as a 5-5-5 pixel, filtered as the record's
// pixels were when they went through the night filter, so that a white or
// black background still matches.
uint16_t TransparentKey555(const DrawWindowRecord* record);

// Copy of the draw context from (x, y), (width + 1) by (height + 1); null when
// it cannot be made.
DrawWindowRecord* SaveBits(const XywhRect& rect);
// Copies saved bits back to (x, y) at their full size and deletes the record.
void RestoreBits(DrawWindowRecord* record, int x, int y);

// Copies source pixels (source rectangle sx, sy, width, height) to (x, y) of
// the destination, skipping those equal to the source's transparent key. Two
// 16-bit DIBs are copied directly, clipped to both pictures; otherwise the
// platform's transparent copy is used.
void BlitDibTransparent(const DrawWindowRecord* source, DrawWindowRecord* destination, const XywhRect& sourceRect,
                        int x, int y);

// Copies the source rectangle to (x, y); mode 4 skips the source's transparent key.
void CopyRectangle(const DrawWindowRecord* source, DrawWindowRecord* destination, const XywhRect& sourceRect, int x,
                   int y, int mode);
// As CopyRectangle, the source rectangle shrunk by `factor` about its centre
// and stretched to the rectangle's size at (x, y).
void CopyRectangleScaled(const DrawWindowRecord* source, DrawWindowRecord* destination, const XywhRect& sourceRect,
                         int x, int y, int mode, double factor);
