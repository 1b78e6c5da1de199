// The eight fonts of the program, chosen by id and made on the first
// selection from the font the draw context holds then (height h):
//   0 normal (h x big / 100), 1 bold (h), 2 small (h x small / 100),
//   3 small bold, 4 as 0 with a handle of its own, 5 bold (h x big / 100),
//   6 the symbol face at h, 7 the symbol face at h x small / 100;
// big and small are 95 and 80 when scaleX truncates to 1, else 90 and 75.
// The symbol face comes from "font\symbol.ttf" in the program folder; without
// it ids 6 and 7 share the handles of 0 and 2.
#pragma once

#include <string>

#include "platform/gdi.h"

constexpr int kFontCount = 8;

// Selects font `id` into the draw context and makes it current; returns the
// previous current id. An id outside 0..7, a missing font or a failed
// selection leaves the context alone and makes 0 current.
int SelectFont(int id);

// The font last selected (0 after a failed selection).
int GetCurrentFontId();

// Back to id 0 without selecting anything (a new draw context holds its own font).
void ResetCurrentFontId();

// The handle of font `id` (null before the set is made or outside 0..7).
pl::Hfont GetFontHandle(int id);

// Installs a font file (program path) for the rest of the run; the number of
// faces added, 0 on failure (after a message box). Each change of the
// installed fonts is followed by WM_FONTCHANGE to every top-level window.
int AddFontFile(const std::string& path);

// Reports that the symbol face could not be removed (the system's last error).
void ReportFontRemovalFailure();

// Deletes the set (each handle once) and removes the symbol face (shut-down).
void ReleaseFonts();
