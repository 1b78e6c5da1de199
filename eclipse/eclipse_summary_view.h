// The summary under the eclipse list: the time of greatest eclipse with the
// duration and the least separation, a small world map with the place of
// greatest eclipse (solar) or the half of the Earth that sees the Moon (lunar),
// and "Best place" with that place's coordinates.
#pragma once

#include <string>

struct EclipseEvent;

// The summary's text line for a record: a duration of an hour or more in
// hours and minutes (rounded once to the minute), a shorter one in minutes and
// seconds.
std::string EclipseSummaryText(const EclipseEvent& event);

// The sub-lunar point (latitude, west longitude, degrees) at a lunar record's
// time of greatest eclipse (universal time, whatever the site's zone), and
// the Moon's Greenwich hour angle G (degrees, -180..180) and declination
// (degrees) that the shading uses.
struct SubLunarPoint {
    double latitude, longitude, hourAngle, declination;
};
SubLunarPoint ComputeSubLunarPoint(const EclipseEvent& event);

// Draws the summary of events[index] below the list 2704 of the current form
// into the current draw window; width and height: the screen. latitude and
// longitude (degrees, west positive) are the place of greatest eclipse, replaced
// by the sub-lunar point for a lunar record.
void DrawEclipseSummary(const EclipseEvent* events, int index, double* latitude, double* longitude, int width,
                        int height);
