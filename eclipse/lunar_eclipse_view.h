// The views of a lunar eclipse in the eclipse form: the Info view (Delta T,
// the Moon and the shadow now, gamma, magnitudes, radii and the contacts with
// the Moon's altitude and azimuth at the observer point), the Path view (the
// contacts and where on the Earth the Moon is up at each) and the Diagram view
// (the Moon crossing the shadow). All draw into the current draw window; sizes
// are the screen's, positions design units times the display scale.
#pragma once

#include "ephemeris/lunation.h"

struct EclipseEvent;

// The Info view of list[index] at the time of interest (UT) for the observer
// point (west longitude, latitude, degrees), which is made the site while the
// view draws and the old site put back after.
void DrawLunarEclipseInfo(const EclipseEvent* list, int index, int width, int height, int hour, int minute,
                          int second, double longitude, double latitude);

// The Path view of list[index].
void DrawLunarEclipsePath(const EclipseEvent* list, int index, int width, int height);

// Over a world map drawn at (left, top, width, height) (longitude -180 at the
// left edge): for every contact that occurs, the line of places that see the
// Moon on the horizon, labelled on the equator, and the sub-lunar point at
// greatest eclipse. Without contacts they are computed from the lunation.
// Returns the number of curves drawn.
int DrawLunarVisibilityMap(const EclipseEvent* list, const LunarEclipseContacts* contacts, int index, int left,
                           int top, int width, int height);

// The left edge of the Diagram view's "(Greatest at ...)" header on a view
// `width` pixels wide: the titles left of it end before it.
int LunarDiagramHeaderColumn(int width);

// The Diagram view of list[index]; the point arguments are not used.
void DrawLunarShadowDiagram(const EclipseEvent* list, int index, double latitude, double longitude, int width,
                            int height);
