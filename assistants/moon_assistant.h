// What the Moon assistant (form 6000) computes apart from drawing: the state
// it keeps between openings, the day tables of the Moon's rise and set, the
// dark hours and the hours of good visibility, the phase calendar of a month
// with its tap and day box, and the list of lunar features near the
// terminator. Dates are local civil dates at currentSite; hours count from
// 0 h of the local day.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/moon_records.h"
#include "core/rise_set.h"

constexpr int kMoonAssistantForm = 6000;

// The views of the view popup, in its shown order.
enum MoonView {
    kMoonViewCalendar = 0,
    kMoonViewMap = 1,
    kMoonViewRiseSet = 2,
    kMoonViewDarkHours = 3,
    kMoonViewFeatures = 4,
    kMoonViewTerminator = 5,
    kMoonViewVisibility = 6,
};

// Kept while the program runs: the form's state survives its closing. The
// feature index and the terminator list are the catalogue's (the feature
// index of catalog/moon_features.h with its featureTypeRange, and
// visibleFeatureList).
struct MoonAssistantState {
    int32_t year = -1;  // the assistant date; -1: never set
    int32_t month = 1;
    int32_t day = 1;
    int32_t hour = 0;
    int32_t minute = 0;
    int32_t second = 0;
    int32_t view = kMoonViewCalendar;
    int32_t featureRow = 0;      // row of the feature popup within the type range
    int32_t sizeFilter = 0;      // 0 All, 1 ">40km", 2 ">80km", 3 ">120km"
    int32_t typeFilter = 0;      // row of the type popup, 0..6
    int32_t terminatorRow = -1;  // -1: the Terminator view starts again at row 0
    int32_t tapColumn = -1;
    int32_t tapRow = -1;
    int32_t cellWidth = 0;
    int32_t cellHeight = 0;
    int32_t eraseOnNextDraw = 0;
    int32_t screenWidth = 0;
    int32_t screenHeight = 0;
};
extern MoonAssistantState moonAssistantState;

// Type code of a type popup row (1 Catena 6, 2 Crater 2, 3 Lacus 11, 4 Mare
// 12, 5 Mons 1, 6 Oceanus 10); -1 for row 0 ("All") and any other row.
int MoonTypeCodeOfRow(int row);

// Smallest diameter (km) of a size popup row: 0, 40, 80, 120; 0 otherwise.
int MoonMinimumDiameterOfRow(int row);

// ---- Day tables ----------------------------------------------------------

enum MoonTableMode { kMoonTableRiseSet = 0, kMoonTableDarkHours = 1, kMoonTableVisibility = 2 };

// Rising and setting through an altitude, hours after 0 h of the local day
// as ComputeRiseTransitSet gives them (outside 0..24: another day's event),
// with its events word (RiseSetEvent bits) telling which of them happened.
struct RiseSetHours {
    double rise = 0.0;
    double set = 0.0;
    unsigned events = 0;
};

// The events of count + 1 days from a date, from the low-precision places at
// 0 h of the day before, the day and the day after. Mode 0: the Moon's rising
// and setting through +0.125 degree (`moon`), where a rise below 0 whose next
// day's is below 0 too becomes that one + 24 h (with the next day's rise bit).
// Modes 1 and 2: every crossing of each day (ComputeDayCrossings) of the Sun
// through -18 degrees (mode 1) or -0.83333 (mode 2) and of the Moon through
// +0.125 (mode 1) or 20 degrees seen from the site (mode 2: its geocentric
// centre higher by the parallax at its distance). Steps the busy indicator
// once per day and ends it.
struct MoonDayEvents {
    int mode = kMoonTableRiseSet;
    std::vector<RiseSetHours> moon;           // mode 0
    std::vector<DayCrossings> moonCrossings;  // modes 1 and 2
    std::vector<DayCrossings> sunCrossings;   // modes 1 and 2
};
MoonDayEvents ComputeMoonDayEvents(int mode, int year, int month, int day, int count);

// Start and end of the time frame of day i (0 <= i < count) of the events'
// mode, in clock hours; both 25 when there is none. Mode 0: the Moon's rise
// and set, 25 for one the day does not have. Modes 1 and 2 cover the night
// that follows the day's daylight: the Sun below its altitude from the first
// moment after its transit of the day (its setting, even after midnight, or
// the transit itself when it is down then) to its next rising, never past its
// transit of the next day, and no time frame when it does not set. Within it,
// the longest span with the Moon below the horizon (mode 1, the dark hours)
// or at least 20 degrees high (mode 2, the visibility); both or neither.
struct DayWindow {
    double start = 25.0;
    double end = 25.0;
};
DayWindow MoonDayWindow(int mode, const MoonDayEvents& events, int i);

// A time of the day table: HMSToStr(value + 1/120) cut to 5 characters, or
// "  -----" when outside 0..24 (a start) or outside (0, 24) (an end).
std::string DayTableTime(double value, bool isStart);

// The assistant date from an edited date field: day, month and year in the
// order FormatDate writes them (ParseDate), a real date of the years
// 1..2199 (a missing year reads 0 and is refused); false, leaving the outputs alone, for anything else.
bool ParseAssistantDate(const char* text, int* day, int* month, int* year);

// Hours and minutes from an edited time field "hh:mm" (0..23, 0..59); false,
// leaving the outputs alone, for anything else.
bool ParseAssistantTime(const char* text, int* hour, int* minute);

// An edited date or time field of the planets and Moon assistants taken as
// ParseAssistantDate and ParseAssistantTime take it; a text that does not read
// is refused with one message naming what the field takes, "Date must be a day
// of the years 1 to 2199" or "Time must be between 00:00 and 23:59", with the
// unchanged value as the example ("As 05/03/2024" in the date order, "As
// 21:10"), and false.
bool TakeAssistantDate(const char* text, int* day, int* month, int* year);
bool TakeAssistantTime(const char* text, int* hour, int* minute);

// ---- Calendar -------------------------------------------------------------

constexpr int kMoonIconFull = 6094;
constexpr int kMoonIconNew = 6095;

// One day of the phase calendar: its icon and the per cent lit, -1 beside the
// full and new icons.
struct MoonCalendarDay {
    int icon = 0;
    int percent = -1;
};

// The days of a month: the fraction lit at 16 h on the 1st and 12 h on the
// others; the full icon (above 0.996 and not growing) once until a new icon
// has been shown and the new icon (below 0.004 and not shrinking) once until
// a full one has; otherwise the growing icon 6081 + int(6 f) while the next
// day's fraction is larger (not after a full icon), else the shrinking icon
// 6092 - int(6 f).
std::vector<MoonCalendarDay> ComputeMoonCalendar(int year, int month);

// Column 0..6 of the 1st of a month, Monday first.
int MoonCalendarFirstColumn(int year, int month);

// The calendar's cells: the grid's top and cell sizes in pixels.
struct MoonCalendarGrid {
    int top = 0;
    int cellWidth = 0;
    int cellHeight = 0;
    int bottom = 0;  // taps from here down are not on the grid
};

// Result of a tap: a day of the month, or one of these.
constexpr int kCalendarTapIgnored = 0;
constexpr int kCalendarTapNoDay = -1;

// The day under a tap at (x, y) of the calendar of a month: rows from the
// grid's top, columns x / cellWidth; kCalendarTapIgnored off the six rows (and
// right of the second cell of the sixth row), kCalendarTapNoDay on a cell
// before the 1st or after the last day.
int MoonCalendarTapDay(const MoonCalendarGrid& grid, int year, int month, int x, int y);

// The day box text: the date, rise, transit and set of ComputeMoonRiseSet
// ("----" for one the day does not have: a rise or set missing from the
// events word, or any of the three found on a neighbouring day), the phase
// at 12 h, the declination at 0 h rounded to the whole degree, the Moon's
// magnitude at the transit's hour and minute ("----" on a day without a
// transit or when it is not up then) and the visual limit at 23 h.
std::string MoonDayBoxText(int year, int month, int day);

// ---- Lunar features -----------------------------------------------------

constexpr int kTerminatorListSize = 100;

// Fills visibleFeatureList with the features of at least minDiameter km over
// which the Sun stands between 0 and 5 degrees at the local date and time, at
// most 100, in record order. Returns their number.
int BuildTerminatorList(int year, int month, int day, int hour, int minute, int minDiameter);

// The three sorts of the terminator list: 0 by diameter, largest first, whole
// kilometres alike (so diameters within the same kilometre keep record
// order); 1 by record number; 2 by stored latitude in steps of 0.1 degree.
void SortTerminatorList(int mode);

// The values of a feature's three text lines: the shown latitude (the stored
// one negated) and the longitude with one decimal and "\xB0", the diameter
// with none and " km".
struct MoonFeatureLines {
    std::string latitude;
    std::string longitude;
    std::string diameter;
};
MoonFeatureLines GetMoonFeatureLines(const MoonFeatureRecord& feature);

// Place of a feature on a Moon picture of radius R (pixels) with the near
// side filling it: x = R (1 + sin lon cos lat), y = R (1 + sin lat), lat the
// stored latitude and lon the longitude in degrees.
void MoonPicturePlace(double storedLatitude, double longitude, double radiusX, double radiusY, int* x, int* y);
