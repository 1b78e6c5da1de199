// Services around the object record that the forms showing an object share:
// the record of a list entry, the class code of an object type, and the
// distance text.
#pragma once

#include <cstddef>

#include "catalog/object_catalog.h"
#include "catalog/selection_entry.h"

// Fills the displayed fields of `destination` from a list entry: designation,
// object type and constellation widened with their signs, number = the index
// within the source (read as signed 16-bit) + 1, right ascension and
// declination copied, magnitude = tenths x 0.1 (double, stored as float), the
// sizes as floats, and the object and type codes widened from signed bytes.
// The distance and name are left as they were. Nothing for a null pointer.
void CopyObjectDisplayFields(ObjectRecord* destination, const SelectionEntry* source);

// Class code of an object type for the type filters: 4 cluster, 10 supernova
// remnant, 6 galaxy, 8 nebula, 11 star, 5 multiple star, 1 planet, 99 any other
// class; 99 also for a type outside the 42 rows of objectTypeTable.
int MapObjectTypeCode(int objectType);

// The object's distance as a short text in `text` (cut to fit `size` bytes):
// comets, minor planets and planets (types 13, 18, 27) in AU with 4 decimals
// (" AU"), closer than 0.01 AU in whole km; constellations, satellites and
// stars (14, 15, 30..37) "-"; any other type from |stored| x 0.014084507 x
// 0.001 megaparsecs, in light years when the "Dist Format" preference (high
// 16 bits of word 248) is not 0: "%d mpc" above 10, "%d kpc" above 0.01,
// "%d pc" above 0 ("ly" likewise), else "-". Returns the text's length.
int FormatDistance(const ObjectRecord* object, char* text, std::size_t size);
