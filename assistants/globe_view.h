// A planet's globe painted from an equirectangular map: the map's two square
// halves (bitmaps textureId, longitudes -180..0, and textureId + 1, 0..180;
// top row the pole of latitude +90) are splatted forward, texel by texel, onto
// a disc in 16-bit integer arithmetic (see globe_transform.h for the
// geometry), leaving the transform in globeTransform for the point routines.
#pragma once

#include "platform/color.h"

// Draws into the current drawing surface a globe centred on (centreX,
// centreY), turned by the angles a1, a2, a3 (degrees, globe_transform.h). Its
// radius: with colourKey >= 0 the radius argument truncated, and texels equal
// to colourKey are left out; otherwise (k H) / 32 - 4 with H the map's height
// and k 8 (sizeFlag non-zero) or 7 (a 320-row map gives 76 or 66). The disc is
// painted in discColour with a one-pixel black outline before the texels, and
// the picture goes onto the surface with pixel value 0 transparent (the
// corners, the outline and any black texel leave the background). The mirror
// mode set in globeTransform by the caller is honoured. Returns 1 when drawn;
// 0 after the "Can't alloc DrawMapOnSphere" box when a map half or the
// picture cannot be made (nothing drawn). secondId is not used.
int DrawMapOnSphere(int textureId, int secondId, int centreX, int centreY, int sizeFlag, float a1, float a2,
                    float a3, float radius, int colourKey, pl::ColorRef discColour);
