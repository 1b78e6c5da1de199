// The status of a chart picture: the azimuth and altitude dials of the legend
// and the two status lines of a sphere picture. They draw into the current
// draw window.
#pragma once

#include "catalog/selection_entry.h"
#include "core/fixed_trig.h"
#include "platform/color.h"
#include "ui/xywh_rect.h"

// A line of status text: its cell (the text's width by the font's height)
// placed from an anchor, the bottom-left corner of the picture it belongs to.
struct StatusText {
    char text[96];
    int font;
    int dx, dy;         // the cell's top-left corner from the anchor
    int width, height;  // the cell, measured when drawn
};

// The status lines drawn last over a picture, with their colours; count 0
// once the picture has been drawn anew.
struct StatusTexts {
    StatusText line[2];
    int count;
    pl::ColorRef ink, paper;
};

// The lines of the sky chart's Sky Map and Horizon View (anchor: the chart's
// bottom-left corner) and of the sphere pictures (anchor: the picture
// rectangle's bottom-left corner).
extern StatusTexts chartStatusTexts;
extern StatusTexts skyMapStatusTexts;

// What a status line at the anchor (x, y) clears before its text is written:
// its cell widened by 2 scaleX on either side, so that a name or a line of the
// chart that it cuts at its ends stops short of its letters ("Tu|02h38m44").
XywhRect StatusLineBox(const StatusText& line, int x, int y);

// Draws `lines` (text, font and place set; `count` at most 2) at the anchor
// (x, y): the boxes (StatusLineBox) of the lines kept in `kept` and of the new
// ones are filled with `paper` first, then the texts drawn in `ink` on a
// transparent background; they become the kept lines. So a shorter text
// leaves no tail of the longer one, and no line's background covers a
// neighbour that its box overlaps.
void DrawStatusTexts(StatusTexts* kept, int x, int y, const StatusText* lines, int count, pl::ColorRef ink,
                     pl::ColorRef paper);

// The left end of the line that gives a place in the status lines, from the
// picture's left edge: `designed` (the layout's), or right of the chart's
// bottom-left corner (ChartCornerWidth) when that is wider.
int StatusPlaceLineX(int designed);

// The legend at (x, y) unless "Hide Compass" (word 241): in a box of the chart
// background ChartCornerWidth() wide (at least 48 scaleX: it covers the
// field-of-view label it takes the place of) and 31 high at scale 1, an
// azimuth dial (radius 10 scaleX, north up and east left, "N" and "E" inside) with its needle at
// `azimuth` and a quarter-circle altitude dial with its needle at `altitude`,
// each with its value to the nearest whole degree ("%d°", font 2) below it, in entry
// 4 of chartColours on background 2 and entry 0 on the others. The box is
// drawn in the legend's patch (save_under.h) and copied.
void DrawChartLegend(int x, int y, Fix24Angle azimuth, Fix24Angle altitude);

// The status of a sphere picture in `rect` (drawing coordinates; its bottom is
// `bottom` below): the legend at (rect.x, bottom - 32 scaleY + trunc(scaleX))
// with, in the equatorial frame, the azimuth and altitude of skyMapView's
// centre, in the horizontal frame 105414357 - alpha0 and delta0; then, unless
// "Hide InfoBar" (word 240), in entry 4 on the chart background:
// "%s %02d:%02d  LST:%02d:%02d" (short date, hour and minute of the last
// sky-rotation build, and its sidereal time pi - the stored complement, plus
// 105414357 when negative) at (rect.x + 16 scaleX + 40 scaleY + 1, bottom - 22
// scaleY), and "%s  %s " at (rect.x + StatusPlaceLineX(10 scaleX + 40 scaleY +
// 1), bottom - 12 scaleY), both in font 2 by DrawStatusTexts with
// skyMapStatusTexts: with skyMapView's horizontal status, elevation then angle as
// degrees; else angle as hours (HmsFixToStr: a right ascension / 15) then
// elevation. The angle is first brought into [0, 105414357]. `centre` (the
// centre object) is not read.
void DrawSkyMapStatus(const XywhRect& rect, const SelectionEntry* centre, Fix24Angle angle, Fix24Angle elevation,
                      Fix24Angle alpha0, Fix24Angle delta0);

// DrawSkyMapStatus for a place of the picture (J2000, Fix24Angle): its right
// ascension (as hours) and declination, or with "Alt/Az Grid" (word 126) its
// azimuth and altitude, whatever the picture's frame.
void DrawSkyMapPlaceStatus(const XywhRect& rect, Fix24Angle ra, Fix24Angle dec);
