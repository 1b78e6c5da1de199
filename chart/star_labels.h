// Labels of bright stars on the chart and in lists: the proper name, else
// the Flamsteed number, Bayer letter and constellation, else "HR<n>".
#pragma once

// The label of the bright star with HR number `hr` at (x, y), from its record
// in brightStarTable (loaded here when needed, with `bold` as the busy
// indicator's style), searched by HR over entries 1..1645. An HR number not in
// the table gives "HR<n>" in the plain style and the current font, even when
// bold was asked.
void DrawStarName(int hr, int x, int y, int bold);

// A star's label at (x, y), in font 4 with DrawLabelText when bold, else font 0
// with DrawPlainText (the previous font is selected again afterwards). The
// proper name of cross reference HR `hr` alone when it has one; otherwise,
// left to right, the Flamsteed number (its low 8 bits) when non-zero, the
// Greek letter in the symbol font when non-zero, the superscript number when
// non-zero, then " <constellation abbreviation>" when there was a letter or a
// Flamsteed number, else "HR<hr>".
void DrawStarLabel(int flamsteed, int greek, int superscript, int constellation, int hr, int x, int y, int bold);
