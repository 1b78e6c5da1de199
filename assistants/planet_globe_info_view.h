// The orientation panel of a planet: a globe grid turned as the planet is
// seen, with its figures. Used by the Mars view and the planet detail form,
// and later by the eclipse and satellite globes.
#pragma once

#include <string>
#include <vector>

// Draws into the rectangle (through an offscreen copy of it when one can be
// made): with a positive diameter (arcminutes) the lines "Angle of North Pole
// (\xB0): " with the position angle, "Diameter (arcsec): " with diameter x 60,
// and "North Pole visible." when tilt > 5 or "South Pole visible." when tilt <
// -5 (degrees); a circle of radius diameter x 90 + 0.5 pixels (truncated), or
// -diameter pixels for a diameter of 0 or less (then no texts), centred in the
// rectangle; and on it the parallels -75 .. 75 every 30 degrees and the
// meridians every 30 degrees of a globe turned by a1 about its axis, by the
// position angle in the screen and tilted by -tilt (globeTransform's mirror
// mode honoured; the panel's own transform, globeTransform is not changed).
// The grid's top pole is north: it is seen for a positive tilt and lies at the
// position angle counter-clockwise from up. Lines and labels RGB(240, 200, 0),
// black with showLabels, the night red in night mode. showLabels adds the
// latitudes of the +-45 parallels at longitudes 0 and 180 and the longitudes
// every 30 degrees along the parallel of 15 degrees north.
void DrawPlanetGlobeInfo(int left, int top, int width, int height, float a1, float positionAngle, float tilt,
                         float diameter, int showLabels);

// The panel's lines for a positive diameter: the position angle, the
// diameter in arcseconds and the pole seen (none while |tilt| <= 5).
std::vector<std::string> PlanetGlobeInfoTexts(float positionAngle, float tilt, float diameter);
