// The views of a solar eclipse in the eclipse form besides the map: the Info
// view (the circumstances at the observer point and the umbra at the time of
// interest, over a strip of the world map), the Path view (a small world
// map with the band and the central line's start, greatest eclipse and end)
// and the Diagram view (a textured Earth globe with the band, turned with the
// stylus, and the figures of greatest eclipse). They draw into the current
// draw window and read the form's state (eclipse/eclipse_form.h) and the
// elements of the selected eclipse (besselianElements). Positions are design
// units times the display scale.
#pragma once

#include <string>
#include <vector>

#include "eclipse/besselian.h"
#include "eclipse/eclipse_controls_view.h"
#include "eclipse/local_eclipse.h"

struct EclipseEvent;

// The Info view of the selected solar event (the dispatcher has erased the
// view and shown the Time and Location controls). A place set in the view
// gets its own circumstances (or "No Eclipse found!") whatever the umbra does
// at its time; otherwise the view describes the shadow centre at the time of
// interest, or says that there is no central eclipse then.
void DrawSolarInformationView();

// "No central eclipse at this time." with the time of the event's greatest
// eclipse rounded to the minute.
std::string NoCentralEclipseText(int hour, int minute, int second);

// The Info view's texts for the circumstances `result` at the observer point:
// the Delta T line; the central section of `umbra` (the umbra at the time of
// interest) when the place has a central phase (centralPhase), or "The
// shadow's axis does not meet the Earth at this time." when `umbra` is null;
// then the umbra transit with the place's magnitude, its partial phase and its
// central phase, each when found, their contacts (UT hours of the eclipse's
// date) read on the clock of their own day (-2.5 h is 21h30m00). deltaT in
// seconds; the layout follows the screen's width (three rings a row up to 240
// units, else four).
std::vector<EclipseViewText> SolarInfoTexts(const EclipseEvent& event, const LocalEclipseResult& result,
                                            const LocalEclipseResult* umbra, double deltaT, int screenWidth);

// Minutes and seconds of a central duration for the Info and Path views. The
// results hold it in seconds with the half second that rounds it when cut to a
// whole second already added: it is cut once, then split, so a duration of
// 59.6 s (held as 60.1) is 1 min 0 s and one of 59.3 s (59.8) 0 min 59 s.
struct DurationMinutes {
    int minutes, seconds;
};
DurationMinutes SplitCentralDuration(double centralDuration);

// The Path view of the selected solar event.
void DrawSolarPathView();

// The three lines below the path's map, from y down 13 units apart, the
// layout's left edge at x0: "Start", "Greatest" and "End", each with ": %02dh%02d.%d UT"
// (hours, minutes and tenths of a minute of the shadow axis's first contact
// with the Earth, greatest eclipse and the last contact) at 36 units (35 for
// "End", and further right when the widest label, labelWidth pixels in the
// font, needs it) and the central line's west longitude and latitude half a
// second inside the start and the end, and at greatest eclipse.
std::vector<EclipseViewText> SolarPathLineTexts(const EclipseEvent& event, const BesselianElements& elements,
                                                double deltaT, int x0, int y, int font, int labelWidth);

// A line of a picture, with its end points in pixels.
struct ViewLine {
    int x1, y1, x2, y2;
};

// The band of the small map (`width` pixels for 360 degrees, `height` for
// 180, 180 W at its left edge): the limits at every 4 degrees of longitude
// from the central line's start to its end (start and end longitudes in
// degrees west) of magnitude 0 on side -1, magnitude 1 on side -1 and
// magnitude 0 on side +1, each curve joined only where successive points lie
// less than 100 pixels apart in x, closed by a line between the partial
// limits at the first and at the last longitude. `pointLatitude` below -60
// sends a band whose start lies east of its end round 180 to -180 instead.
// Relative to the map's top-left corner.
std::vector<ViewLine> SolarPathBandLines(const BesselianElements& elements, double deltaT, double startLongitude,
                                         double endLongitude, double pointLatitude, int width, int height);

// The Diagram view of the selected event (solar: the globe, lunar: the shadow
// diagram).
void DrawEclipseDiagramView();

// The globe of the Diagram view: radius 80 units on screens at most 240 units
// high, else 100; its square centred across the screen, its top 59 or 79
// units down; its centre 3 units right of and below the square's middle.
struct EclipseGlobe {
    int radius, left, top, centreX, centreY;
};
EclipseGlobe EclipseGlobeGeometry(int screenWidth, int screenHeight);

// The figures of greatest eclipse over the globe: the title with the kind
// and the date, the time of greatest eclipse and the point of the result (the
// place of greatest eclipse: west longitude, latitude), and on screens taller
// than 160 pixels the partial duration there (seconds) and the result's
// central duration.
std::vector<EclipseViewText> DiagramFigureTexts(const EclipseEvent& event, const LocalEclipseResult& result,
                                                double partialSeconds, int screenWidth, int screenHeight);

// The partial duration of the Diagram view: seconds rounded to whole minutes
// as "%dh%02dm".
std::string PartialDurationText(double seconds);

// Globe rotation in the Diagram view: no effect until the pen has moved more
// than 3 units in x or y from (*refX, *refY); that move starts the rotation
// (returns 1). A move while it runs tracks the pen until it is lifted, the
// wire globe drawn at each reading and the globe turned by a degree a pixel
// (longitude with x, latitude with y, each kept in 0..359); then the rotation
// ends as on the pen-up (which the tracking may have taken). Returns 1 when
// it acted.
int RotateEclipseGlobe(int x, int y, int* refX, int* refY);

// The pen lifted in the Diagram view: the textured globe at the new angles
// after a rotation (returns 1), else nothing (0).
int EndGlobeRotation();

// Set while the pen turns the globe.
extern int globeRotating;
