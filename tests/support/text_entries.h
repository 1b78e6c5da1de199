// The entries of the text fuzz targets and of their replay tests: the readers
// of typed numbers and angle texts, the environment values, the expansion of
// object descriptions and text drawn into a picture. Each returns 0 when every
// check held, otherwise the number of the first check that failed.
#pragma once

#include <cstddef>
#include <cstdint>

// The first byte chooses the number field (its value modulo 8) and the range;
// the rest, up to 64 bytes, is the text read by ParseNumberField, by the plain
// number, angle and date readers, and each value read is written back in every
// display format. 1 a value accepted outside its range or not finite, 2 a
// written text not terminated inside its buffer, 3 a longitude taken with a
// minus sign, 4 a text a field without hemisphere letters takes that the angle
// reader (ParseSignedDegrees) reads to another value.
int RunNumberFields(const uint8_t* data, std::size_t size);

// Texts separated by NUL bytes: ZENDAVORI_SCREEN, ZENDAVORI_ZOOM, a port name
// and ZENDAVORI_COM<n> for it, each read as the program reads it at start.
// 1 a screen outside the presets' limits, 2 a zoom outside 1..8, 3 a device
// path of a port name that names no port.
int RunEnvironmentValues(const uint8_t* data, std::size_t size);

// The input, cut at 49 bytes and terminated, as an object description
// expanded into buffers of several sizes (the first byte chooses one).
// 1 an expansion written past its capacity or not terminated.
int RunDreyerText(const uint8_t* data, std::size_t size);

// The first byte chooses the font (modulo 8), the next two the place; the rest
// (at most 256 bytes) is drawn into a small 16-bit picture as plain, label,
// wrapped and symbol text. 1 a width or height that is negative.
int RunDrawnText(const uint8_t* data, std::size_t size);

// Frees the fonts and the picture RunDrawnText keeps from one input to the
// next (the replay test calls it once it is done).
void ReleaseDrawnText();
