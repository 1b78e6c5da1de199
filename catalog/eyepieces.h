// The eyepiece database ("zendavori_eyepiece.ppc"), opened for each lookup.
#pragma once

#include <cstddef>
#include <cstdint>

// One eyepiece (72 bytes in the file; bytes 0..27 are not used).
struct EyepieceRecord {
    char makerCode[5];   // 28: four characters
    char model[33];      // 32: 32 characters
    float focalLength;   // 64: mm
    uint32_t value;      // 68
};

// Number of eyepieces; 0 when the file is missing.
int CheckEyepieceDatabase();

// Eyepiece `index` as "<maker code>-<model>" in destination (cut to fit `size`
// bytes), with the value at byte 68 and the focal length in mm. The destination
// holds "None" when the eyepiece cannot be read (false).
bool GetEyepieceRecord(int index, uint32_t* value, float* focalLength, char* destination, std::size_t size);
