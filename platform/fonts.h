// Fonts, rendered with FreeType. The system family is Tahoma as the Wine
// project made it (Debian's fonts-wine), or DejaVu Sans (fonts-dejavu-core)
// when those files are missing. The system font is that family at height -12
// per 96 pixels per inch; controls made from dialog templates draw in the
// dialog font, the same family at -11 per 96 pixels per inch. Further faces come
// from font files added with AddFontResourceFile; such a face is found by its
// family name and by its file name without extension ("symbol" finds
// font\symbol.ttf). Glyphs are drawn hinted and one bit deep, so text is the
// same in 16 and 32 bits and never blends with a transparent key colour.
#pragma once

#include <string>

#include "platform/gdi.h"

namespace pl {

constexpr int kSymbolCharset = 2;

struct FontDesc {
    int height = 0;    // < 0: character height in pixels; > 0: cell height; 0: the system font's
    int weight = 400;  // 700 and above (600 and above, in fact) draws bold
    std::string face;  // family or file name; an unknown or empty face gives the system family
    int charSet = 0;   // kSymbolCharset maps a..z and A..Z to Greek letters
};

// A font of the description: the face's bold style when one is installed and
// bold is asked, else the face emboldened. Null when no face can be loaded.
Hfont CreateFontIndirect(const FontDesc& desc);

// The description a font was made from; false for none.
bool GetFontDesc(Hfont font, FontDesc* desc);

// The stock system font for the screen's present pixels per inch:
// height -round(12 * dpi / 96), weight 400, the system family.
Hfont GetSystemFont();
// The stock dialog font: height -round(11 * dpi / 96), the system family.
Hfont GetDialogFont();
// "Tahoma" or "DejaVu Sans".
std::string GetSystemFontFamily();
// Tests: looks for tahoma.ttf and tahomabd.ttf in `hostFolder` (ending in
// "/"; empty: the installed folder) and chooses the system family again.
// Stock fonts made before stay valid.
void SetTahomaFolder(const std::string& hostFolder);

// Adds the faces of a font file (a program path) for later fonts; the result is
// the number of faces added, 0 when the file cannot be read as a font. Each
// successful addition is undone by one RemoveFontResourceFile, which is false
// when the file was not added. Fonts already made keep their faces.
int AddFontResourceFile(const std::string& path);
bool RemoveFontResourceFile(const std::string& path);

// Forgets every added font file (tests).
void ResetFontResources();

}  // namespace pl
