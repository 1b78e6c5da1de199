// The 24-hour guide bar: the hours of a local day during which an object is
// above the horizon, from its rise, transit and set.
#pragma once

// Draws at (x, y), width by height pixels: the whole bar (from x - s, s the
// horizontal scale) in the foreground colour in force; the lower half, 24
// hours of width / 25 + 1 pixels, pale yellow (255, 255, 180), or the night
// red, with the hours above the horizon in (249, 210, 20), or the night red
// less 51; black hour ticks (longer at 0, 6, 12 and 18 h); the labels "0h",
// "12h" and "0h" above; and, when now >= 0, a red (200, 0, 0) line at now.
// Hours are local; rise, transit and set are brought into 0..24 first. All
// three 0 (never rises) leaves the band empty; rise 0 and set 23.99 (never
// sets) fills it. The foreground colour is the same afterwards.
void DrawAltitudeGraph24h(int x, int y, int width, int height, float now, float rise, float transit, float set);
