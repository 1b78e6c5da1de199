// Bitmap resources and picture files in the current draw window. Bitmaps are
// loaded into 16-bit DIB records, night-filtered while night mode is on, so
// that every bitmap drawn at night is red.
#pragma once

#include <string>

#include "ui/draw_window.h"

// The bitmap resource in a new DIB record (filtered in night mode); null when
// there is no such resource or the record cannot be made. Only 16 bits per
// pixel is made.
DrawWindowRecord* LoadBitmapResource(int bitmapId, int bitsPerPixel);
DrawWindowRecord* LoadBitmapResource16(int bitmapId);

// A picture file (JPEG; path relative to the program folder) in a new DIB
// record, filtered in night mode. A file that is missing or cannot be decoded
// gives the "Information" box "Can't find" with the full path, and null.
DrawWindowRecord* LoadBitmapFile(const std::string& path, int bitsPerPixel);

// The bitmap at (x, y) stretched to its width x scaleX by height x scaleY.
int DrawBitmap(int bitmapId, int x, int y);
// As DrawBitmap, leaving out the pixels of the colour of its top-left pixel.
int DrawBitmapMasked(int bitmapId, int x, int y);
// As DrawBitmapMasked, both sides multiplied by zoom instead of the scale.
int DrawBitmapScaled(int bitmapId, int x, int y, double zoom);
// At its own size, leaving out the pixels of the colour of its top-left pixel.
int DrawBitmapTransparent(int bitmapId, int x, int y);

// The picture file shrunk to fit the box (never enlarged), its proportions
// kept, centred in it; 0 when the file cannot be loaded.
int DrawBitmapFileScaled(const std::string& path, int x, int y, int boxWidth, int boxHeight);
