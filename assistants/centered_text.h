// A short text centred on a point, as the planets assistant's table headers
// and the orbit pictures draw it.
#pragma once

// Draws `text` in font 3 from x - (its width / GetScreenScale()), which
// centres it on x on a 96 dpi screen, with its cell's top at y: by day black
// on white, in night mode the scheme's foreground on its background. The
// font and the text colours in force before come back afterwards.
void DrawCenteredText(const char* text, int x, int y);
