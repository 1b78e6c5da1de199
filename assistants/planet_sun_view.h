// The planets assistant's Sun View page: the solar system seen from the
// north, the Sun in the middle, heliocentric longitude 0 degrees up and 90
// degrees to the left, the planets at the assistant's date and time
// (ComputeApproxPlanet's orbit view: 40.5 pixels per AU from Mercury to Mars
// and for the Earth, the outer planets on their own smaller scales, times the
// integer horizontal scale k), the orbits of Mercury, Venus, Mars and the
// Earth through their places, and the tracks of Mercury, Venus and Mars over
// the next 30 days.
#pragma once

// Draws the page into the current draw window of formWidth x formHeight and
// sets chartRect to its area (the full width from 24 v to 22 v above the
// bottom). The tracks are left out while `animating`. The position-mode
// preference is 0 while it draws.
void DrawSunView();

// The centre of the page (the Sun) on a form of width x height.
void SunViewCentre(int width, int height, int* x, int* y);
