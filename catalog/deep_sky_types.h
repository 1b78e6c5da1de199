// The deep-sky type texts: the short morphological class of a deep-sky object
// ("Sb", "II 2 m", "PN") by its type code, with the number of the Messier
// thumbnail that illustrates the class. The codes are stored in the catalogue
// files and the list files, so the row order is a file format.
#pragma once

#include <cstdint>

constexpr int kDeepSkyTypeCount = 297;
constexpr int kDeepSkyTypeTextLength = 8;

// One row: the text padded with blanks to exactly 8 characters and terminated,
// and the thumbnail n (bitmap 2999 + n, the picture of Messier object n; 0 none).
struct DeepSkyTypeRow {
    char text[kDeepSkyTypeTextLength + 1];
    uint8_t thumbnail;
};

extern const DeepSkyTypeRow deepSkyTypeTexts[kDeepSkyTypeCount];

// Thumbnail number of type code `code`, and its 8-character text (with its
// trailing blanks) in `buffer` when one is given (at least 9 bytes). A code
// outside 0..296 gives 0 and leaves a single blank in the buffer.
uint8_t GetTypeCodeText(char* buffer, int code);

// The type code whose text a list line's type field names: the first code
// 1..296 whose whole 8-character text equals the field padded with blanks,
// else the first whose first 7 characters agree with it; 0 when none does.
int FindTypeCodeByText(const char* field);
