// The panel of the scope control form (2400): what the mount reads, drawn
// into an offscreen picture of the form's size and copied onto the form.
//
// For a drive with motors (DrawScopePositionPanel): four lines "Scope RA",
// "Scope Dec", "Scope Az" and "Scope Alt", the direction pad at the top right,
// and under them a small whole-sky picture at zoom step 4 centred on the
// scope, with one marker at the scope's place.
// For an encoder box (DrawEncoderReadoutPanel): the "Refresh Rate" label of
// the refresh popup, the clock time, the encoder counts, the scope's azimuth
// and altitude and, with a valid alignment and a pending goto target, the
// target's mount position and the offset still to go ("Delta Hor & Elv").
// Places are design pixels of the 240 x 320 screen times the display scale.
// Angles: right ascension in hours, everything else in degrees.
#pragma once

#include "ui/xywh_rect.h"

// The direction pad: 5084 at rest, 5085..5088 with west, east, north or
// south pressed (slew directions 3, 2, 0, 1).
constexpr int kPadAtRest = 5084;
int PressedPadBitmap(int direction);

// The pad's rectangle on the form.
XywhRect ScopePadRect();

// Draws the non-encoder panel for a reading (right ascension of date, hours;
// declination, degrees): the four lines with the altitude and azimuth at the
// clock's sidereal time, the sky picture, and the pad `bitmapId` (0: the pad
// as last drawn). "Can't allocate offscreen window" when the panel's picture
// cannot be made.
void DrawScopePositionPanel(int bitmapId, double ra, double dec);

// Draws the pad alone, on the panel and on the form.
void DrawScopePad(int bitmapId);

// The encoder read-out: connects the box (nothing is drawn when that fails),
// reads it and draws the panel (without the position lines when the read
// failed). 1 when the box was read; 0 when the connect or the read failed and
// the user has been told why (the connect's, the box's or the serial line's
// own message); -1 when the read failed with nothing said.
int DrawEncoderReadoutPanel();

// The offset still to go to a target (degrees): the azimuth difference
// brought into -180..180 by one turn when its size exceeds 180.
double FoldAzimuthDelta(double delta);

// Frees the panel's pictures (the form's close).
void FreeScopePanel();
