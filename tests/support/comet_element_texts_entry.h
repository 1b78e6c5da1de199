// The entry of the orbit element editor's fuzz target and of its replay test:
// the first byte chooses a comet (odd) or a minor planet (even); the rest is
// the texts of the element fields separated by NUL bytes, in the order of
// CometElementTexts (name, year, month, day, q or a, M, e, argument of
// perihelion, node, inclination, H), a field the input does not reach keeping
// the text shown for an ordinary record of its kind.
#pragma once

#include <cstddef>
#include <cstdint>

// 0 when every check held; otherwise the number of the first that failed:
// 1 a record taken with a value outside its field's range or not finite,
// 2 a refused text changed the record,
// 3 the texts shown for the taken record are refused, or taken again show
// other texts.
int RunCometElementTexts(const uint8_t* data, std::size_t size);
