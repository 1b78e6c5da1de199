// The entry of the catalogue-source fuzz target and of its replay test: the
// first byte of the input picks one of the converter's source readers (0
// Stellarium's deep-sky catalogue, 1 its deep-sky names over a fixed object, 2
// a Stellarium star file, 3 xplanet's Bright Star Catalogue, 4 cross-id.dat, 5
// constellation figures, 6 the planetary nomenclature, 7 xplanet markers, 8
// the picture credits of textures.json, 9 a PNG picture, decoded and shrunk);
// the rest is that source's bytes.
#pragma once

#include <cstddef>
#include <cstdint>

// 0 when the reader either refused the bytes with a SourceError or returned
// sound values; otherwise the number of the first check that failed: 1 another
// exception escaped, 2 a place outside the sky (a right ascension outside
// [0, 24) h or a declination beyond 90 degrees), 3 a star component or number
// that is no component or number, 4 a figure segment of a number not given, 5 a
// name or field longer than its source, 6 a picture whose pixels are not
// its size or whose shrunk copy is larger than asked.
int RunCatalogueSources(const uint8_t* data, std::size_t size);
