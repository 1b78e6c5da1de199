// What the object information form (form 112) shows of one object, worked
// out without a window: its catalogue tabs, the object at a position of a
// tab, the texts of its fields, its gauge rating, rise and set, picture and
// the texts of its help, identifiers and description boxes.
#pragma once

#include <string>

#include "catalog/object_catalog.h"
#include "core/shared_state.h"

// The tabs in the order of the tab popup (the finder's catalogue indexes).
enum ObjectInfoTab {
    kTabBrightStars = 0, kTabCaldwell, kTabComets, kTabConstellations, kTabHerschel, kTabMessier,
    kTabMeteors, kTabPlanets, kTabBestNgc, kTabUser, kTabFinder, kObjectInfoTabCount
};

// A tab's label, the designation id it hands to other forms (-1 for the
// finder target) and the observing-list source code Sky gives its objects (0
// for the finder target, whose code follows its type).
struct ObjectInfoTabRow {
    const char* label;
    int designation;
    int source;
};
extern const ObjectInfoTabRow objectInfoTabs[kObjectInfoTabCount];

// Rows of a tab's list, whose valid positions are 1..N: the named bright
// stars, the comet records and the user objects as their files hold them,
// the built-in tables' sizes, the ten bodies; 0 for the finder tab and for
// a tab outside 0..10.
int ObjectInfoTabSize(int tab);

// The object of a tab at a position, as the form shows it.
struct ObjectInfoObject {
    ObjectRecord record{};
    char name[48] = "";
    int picture = 0;  // bitmap of the type picture; 0 none
};

// Loads position `position` (1-based) of tab 0..9 for the local date and time
// `when` at currentSite: the bright star from its name record and the star
// table (type 30, sizes 1, its colour index kept), a Caldwell, Herschel,
// Messier or best-of-NGC record from its table, a comet or asteroid at its
// place with its magnitude (type and sizes 0.5; the orbit assistant's comet
// becomes it), a constellation from its label place, a meteor shower, a body
// computed for `when` (type 27), a user object. Names: "C%d, %s%ld" for
// Caldwell, "M%d, %s%ld" for Messier, "%s, %s" (abbreviation and name) for a
// constellation, the designation for Herschel and best of NGC, else the
// object's name. False when the record cannot be read.
bool LoadObjectInfoObject(int tab, int position, const DateTime& when, ObjectInfoObject* out);

// The type picture of a deep-sky record (2999 + the thumbnail of its deep-sky
// type code, else of its type), the form's fallback 5029 for none.
int ObjectInfoPicture(int picture);

// The picture file looked up for the shown object (BuildImagePath's name and
// kind): "star" for a bright star, "M%d" for Messier, the body's name, the
// constellation's row as "%d" (kind 13), else the designation prefix and
// number under the record's designation.
struct ObjectInfoImage {
    std::string name;
    int kind = 0;
};
ObjectInfoImage ObjectInfoImageName(int tab, int position, const ObjectRecord& r);

// The labels of the size, magnitude and eyepiece fields: "BV" / "Magnitude" /
// "Eyepiece" for a star, "Start" / "Max" / "End" for a meteor shower, else
// "Size" / "Magnitude" / "Eyepiece".
struct ObjectInfoLabels {
    const char* size;
    const char* magnitude;
    const char* eyepiece;
};
ObjectInfoLabels ObjectInfoFieldLabels(int objectType);

// The gauge rating: a meteor shower's by its activity class, 3.0 for bright
// stars and constellations, else the object's one rating (RateInTelescope):
// 0 for an object not brighter than the telescope's limit `scopeLimit` or not
// rated above 0.
float ObjectInfoGauge(int tab, const ObjectRecord& r, float scopeLimit);

// Rise, transit and set in local hours of the form's date: the Sun and the
// Moon (bodies 0 and 1) by their own routines, each hour brought into
// [0, 24) (the bits of a rising or setting of the day before or after
// dropped first: DayOwnEvents); any other object from its place of date
// (RiseSetPlace) with the horizon preference.
struct ObjectInfoRiseSet {
    double rise = 0.0, transit = 0.0, set = 0.0;
    unsigned events = 0;  // RiseSetEvent bits: which of rise and set the day holds
};
ObjectInfoRiseSet ComputeObjectInfoRiseSet(const ObjectRecord& r, const DateTime& when);

// The place (RA hours, Dec degrees) from which an object's rise, transit and
// set are found for `when` (local civil time): a body's or a comet's place as
// it is (of date already); a catalogue place (J2000.0) precessed and nutated
// to the true equator and equinox of that instant, as the chart's places are
// (ConvertJ2000ToDate, IAU 1976/1980).
void RiseSetPlace(const ObjectRecord& r, const DateTime& when, double* ra, double* dec);

// The place fields: the apparent place for `when` in the position-mode
// preference (bodies and comets, whose places are of date already: mode -1),
// RA by HMSToStr, Dec, azimuth and altitude by DegToStr.
struct ObjectInfoPlace {
    std::string ra, dec, azimuth, altitude;
    double altitudeDegrees = 0.0;
};
ObjectInfoPlace ComputeObjectInfoPlace(const ObjectRecord& r, const DateTime& when);

// The field texts below the place.
struct ObjectInfoTexts {
    std::string constellation, typeName, typeCode, magnitude, distance, eyepiece, size;
};
// Constellation abbreviation, type name, the deep-sky type code (one blank for
// bodies, meteor showers, stars and tabs 0, 2 and 3), the magnitude with one
// decimal (a meteor shower's maximum "%02d-%s", "Var." without one), the
// distance, the best eyepiece ("%dmm", "none" below a power of 1, "None" for
// an object not brighter than the scope limit; a meteor shower's end) and the
// size (empty for comets and constellations, "%d'%02d" for a body, a star's
// B-V, a meteor shower's start, else both axes "%d'%dx%d'%d").
ObjectInfoTexts ComputeObjectInfoTexts(int tab, const ObjectRecord& r, float scopeLimit);

// The star's B-V colour index from the record's class code (tenths): "%s%d.%d"
// with a leading "-" when negative.
std::string StarColourIndexText(int tenths);

// The help box of a field: code 0 the constellation, 1 the type, 11 the
// magnitude, 16 the eyepiece, 17 the size; text and detail; false for
// another code.
bool ObjectInfoHelp(int code, const ObjectRecord& r, std::string* text, std::string* detail);

// The identifiers box of a star: its name, "\n%s%ld" with the HR prefix and
// number, then one line per alternative designation of its cross reference
// (at most three, positive ids only).
std::string StarIdentifiersText(const char* name, int hr);

// The HR number of the bright star of a name record; 0 when it cannot be read.
int BrightStarHrNumber(int nameRecord);

// The description box: false (no description) when the object has none; else
// the text (the cross reference's name, 20 characters at most, then "Dreyer
// code:\n%s\n\nTranslation:") and its translation as the detail.
bool ObjectInfoDescription(const ObjectRecord& r, std::string* text, std::string* detail);

// currentDateTime as the form uses it: the device's clock while the date is
// not fixed; with it fixed and no year, the clock when the observing list
// shows no entry, else the date and time of the last criteria search
// (seconds 0); otherwise as it is.
void RefreshObjectInfoDateTime();
