// An object's Dreyer description and its plain-words translation drawn into a
// rectangle of the current draw window (the Finder's detail area).
#pragma once

#include <cstdint>

#include "ui/xywh_rect.h"

// The object of a description: designation id, number in that catalogue and
// object type.
struct DreyerObject {
    int32_t designationId;
    int32_t number;
    int32_t objectType;
};

// Erases `rect` (pixels) with the background brush, then draws in it: the label
// "Dreyer desc." (font 5), the abbreviated description word-wrapped (font 2),
// the label "Translation" (font 5) and the translation word-wrapped (font 2).
// rect->y becomes the top of the translation (y + 2 x 13 x scaleY + the
// height of the description); the translation runs down to the rectangle's
// old bottom at most. Only the erasing happens for a null object, a planet
// (type 27), a catalogue without descriptions or an object without one;
// nothing at all for a null rectangle. The translation is made in txtBuffer.
// The font selected before is selected again.
void ShowDreyerDescription(const DreyerObject* object, XywhRect* rect);
