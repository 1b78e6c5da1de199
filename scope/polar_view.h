// The pictures of the polar form (2470), drawn into the current draw window
// (the form) in design pixels times the display scale.
//
// Quick view: polar-finder reticles of radius 60 in rows of two centred
// across the form (two rows when the form is taller than 240), reticle k
// labelled with the form's time + 30 k minutes and Polaris marked where it
// stands in the finder then.
//
// Drift picture (King and Rambaut): the eyepiece field at the right of the
// drift controls with the 59 x 59 reticle box in its middle, crossed
// ("Cross") or ruled every 10 pixels ("Grid"); the resolution picture shows
// the star at Position A on the box's western (left) edge and B on the
// eastern, the drift picture "A" at the box centre and the star where it was
// tapped.
#pragma once

#include "ui/xywh_rect.h"

// What the drift picture shows.
enum class DriftPicture { Plain, Resolution, Drift };

// Draws the Quick view for the form's date and time.
void DrawPolarFinder();

// One polar-finder reticle at (cx, cy) of radius r (pixels).
void DrawPolarReticle(int cx, int cy, int r);

// The reticle box in form pixels.
XywhRect PolarReticleBox();

// The drift picture of reticle type `reticleType` (0 Cross, 1 Grid); for
// DriftPicture::Drift the star at (x, y) reticle pixels from the box centre
// (y up).
void DrawDriftPicture(int reticleType, DriftPicture what, int x = 0, int y = 0);

// Erases the form below the method row, where the views are drawn.
void ErasePolarView();
