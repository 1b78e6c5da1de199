// What the satellites form and its views share: the control ids of template
// 2800, the drawing surfaces, the helpers every view draws with, and the
// views themselves. UI thread only.
#pragma once

#include <initializer_list>
#include <string>

#include "orbits/satellite_form_state.h"
#include "platform/types.h"
#include "ui/draw_window.h"
#include "ui/xywh_rect.h"

// Controls of template 2800.
enum SatelliteControl : int {
    kSatHelp = 2801,
    kSatViewTrigger = 2802,
    kSatViewList = 2803,
    kSatBack = 2804,
    kSatNameTrigger = 2805,
    kSatNameList = 2806,
    kSatTimeField = 2808,
    kSatDateField = 2809,
    kSatNowButton = 2810,
    kSatModeTrigger = 2811,
    kSatModeList = 2812,
    kSatResultList = 2813,
    kSatShowInSky = 2814,
    kSatFovTrigger = 2815,
    kSatFovList = 2816,
    kSatElevationTrigger = 2817,
    kSatElevationList = 2818,
    kSatLine1Field = 2819,
    kSatLine2Field = 2820,
    kSatExport = 2821,
    kSatImport = 2822,
    kSatStepTrigger = 2823,
    kSatStepList = 2824,
    kSatTitle = 8029,
};

// The open form's window, null while it is closed.
pl::Hwnd SatellitesFormWindow();

// The form's offscreen picture of the screen's size (null when it could not
// be made), drawn into by the sky view.
DrawWindowRecord* SatelliteOffscreen();

// The form becomes the draw window, in the colours of the scheme.
void UseSatelliteForm();

// Hides and then shows controls of the form.
void ShowSatelliteControls(std::initializer_list<int> hidden, std::initializer_list<int> shown);

// Between 24 units below the top and 22 units above the bottom, full width.
XywhRect SatelliteWorkArea();

// Fields 2809 and 2808: the form's date (FormatDate) and "%02d:%02d".
void WriteSatelliteDateTimeFields();

// The form's date and time as a universal-time Julian day (the site's zone).
double SatelliteFormJulianDay();

// ComputeSatellitePosition of the form's elements at the form's date and time.
int ComputeFormSatellitePosition();

// The name line of the form's record.
void SatelliteNameLine(char line[72]);

// True when the form holds a record of the satellite database that
// InitSatelliteElements refuses (a field out of range or not a number): the
// views place nothing for it. False with no database (no record read).
bool FormRecordIsDamaged();

// The satellite marker shared by the Info map and the globe: the square of 15
// units (and one pixel) whose corner is 7 units left of and above the point is
// saved, then the satellite symbol is drawn on the point. Restoring puts the
// saved square back; releasing forgets it (the picture under it is new).
void DrawSatelliteMarker(int x, int y);
void RestoreSatelliteMarker();
void ReleaseSatelliteMarker();

// Texts of the views: fonts 5 (headers) and 4 (lines) when the display
// scale is 2 or more, else the bold label font and font 0.
bool SatelliteLargeLayout();
void DrawSatelliteHeader(const char* text, int x, int y);
void DrawSatelliteLine(const char* text, int x, int y);
// A value with one decimal (DoubleToStr) followed by `unit`, "-" when it is
// not a number.
std::string SatelliteValueText(double value, const char* unit);
// The absolute value with one decimal and the hemisphere's mark.
std::string SatelliteCoordinateText(double value, const char* positive, const char* negative);
// HMSToStr of a right ascension cut to `keep` characters; DegToStr of a
// declination cut to 5 characters when it is above 0, else 6; "-" when not a
// number.
std::string SatelliteRightAscensionText(double hours, std::size_t keep);
std::string SatelliteDeclinationText(double degrees);

// True when the elements hold a sub-satellite point (a refused set holds none).
bool HasSubPoint(const SatelliteElements& elements);

// A track line in the foreground, one unit wide (a second pixel line on
// screens of twice the scale).
void DrawTrackLine(int x1, int y1, int x2, int y2);

// The views.
void ShowSatelliteInfo(int index);
int ShowSatelliteTLE(int index);
void DrawSatelliteSkyView(int index, double startJd, int trackSpan);
void SkyViewPenDown(int x, int y);
int SkyViewPenMove(int x, int y);
int SkyViewPenUp(int x, int y);
void ChooseSkyFieldOfView(int row);
void DrawSatelliteGlobe();
void DrawSatelliteGlobeView(int index);
int GlobeViewPenMove(int x, int y);
int GlobeViewPenUp(int x, int y);

// The details of result row `row` below list 2813; returns 1 when drawn.
int ShowFlareDetails(int row);

// The texts of those details for the current view, three lines of up to
// three pieces (empty pieces are not drawn): with the Pass and Next views
// "AOS", "Max" and "LOS" with the time "%02dh%02dm%02d", "Az: %d\xB0" and the
// compass point, and "Alt: %d\xB0" above 1 degree; with Flare and Transit the
// angle ("Intensity" or "Angle"), "Alt" and "Azt" at the peak; none for a
// damaged record. Reads the row's record into the form's record buffer.
struct SatelliteDetailTexts {
    std::string pieces[3][3];
};
SatelliteDetailTexts FlareDetailTexts(const PassRow& row);

// The segments of the globe's ground track drawn last, before and after the
// form's time.
struct GlobeTrackSegments {
    int backward;
    int forward;
};
GlobeTrackSegments LastGlobeTrackSegments();

// Installs the search display of the form (the progress box and the result
// list) for the satellite searches; RemoveSatelliteSearchDisplay puts the
// previous one back.
void InstallSatelliteFormSearchDisplay();
void RemoveSatelliteSearchDisplay();
