// The chart's marker and small-icon strips: cells of one bitmap each, drawn
// transparently centred on a point.
#pragma once

// Loads the marker strip for a chart background: scheme 2 (white) gives
// bitmap 4109 with white transparent, any other 4110 with black; 21-pixel
// cells, read from row 21 when scaleX truncates to 1, else from row 0.
// Filtered in night mode.
void LoadMarkerBitmap(int scheme);

// Cell n of the marker strip with its top-left corner at (x - 10, y - 10);
// the strip is loaded on first use for the chart background (preference 26).
void DrawMarkerIcon(int n, int x, int y);

// Cell n of the small-icon strip centred at (x, y): bitmap 4111 with 29-pixel
// cells when scaleX truncates to more than 1, else bitmap 3999 with 18-pixel
// cells; black is transparent. `flag` is not used.
void DrawSmallIcon(int n, int flag, int x, int y);

// Frees both strips.
void FreeMarkerBitmaps();
