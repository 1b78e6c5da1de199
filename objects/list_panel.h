// What the observing list's panel shows of one entry, worked out without a
// window: the object rebuilt from its source, its name and type picture, its
// apparent place now, its altitude at transit, and the texts of the panel's
// fields.
#pragma once

#include <string>

#include "catalog/object_catalog.h"
#include "catalog/selection_entry.h"
#include "core/shared_state.h"

// The object of an entry and what names it.
struct ListPanelObject {
    ObjectRecord record{};
    char name[32] = "";
    int typeBitmap = 0;  // 0 none
    bool planet = false; // its place is already topocentric
    bool placeKnown = true;  // false: a planet or comet without a place for the date
};

// The entry's object by its source: a planet computed for `when` (type 27,
// picture 4000 + body), a Messier, Caldwell, Herschel or best-of-NGC record
// from its table (Messier picture 3000 + its index, Caldwell by the deep-sky
// type), a star or a constellation from the entry itself, a comet or asteroid
// from the entry at its place computed for `when` (a comet also becomes the
// orbit assistant's), anything else rebuilt from the entry; the constellation
// found for `when` where the entry's place is used. A planet on a date its
// theory does not cover, or a comet whose orbit gives no place then, is
// rebuilt from the entry too, with placeKnown false: the entry's place is not
// that of `when`.
ListPanelObject BuildListPanelObject(const SelectionEntry& entry, const DateTime& when);

// The same object without making a comet the orbit assistant's: the record
// every rater of a listed body takes (its magnitude and size as the panel
// rates them).
ListPanelObject ListedObject(const SelectionEntry& entry, const DateTime& when);

// Body `body` (0 the Sun .. 9 Pluto) computed for `when` (to the minute):
// type 27, its size, magnitude and distance, the constellation of its place,
// its name and picture 4000 + body. False for another body number or a date
// the ephemeris refuses.
bool BuildBodyObject(int body, const DateTime& when, ListPanelObject* out);

// The type picture of a deep-sky record: 2999 + the thumbnail of its deep-sky
// type code, else of its object type's row; 0 when both are 0.
int DeepSkyTypeBitmap(const ObjectRecord& record);

// The texts and values of the panel.
struct ListPanelTexts {
    std::string ra, dec, azimuth, altitude;  // apparent place now
    std::string transitAltitude;             // "%d\xB0"
    std::string magnitude, constellation, typeCode;
    std::string size, eyepiece, distance;    // for a meteor shower: end, maximum, ""
    bool shower = false;
    float rating = 0.0f;                     // of the gauge
    double rise = 0.0, transit = 0.0, set = 0.0, now = 0.0;  // local hours
    unsigned events = 0;                                      // RiseSetEvent bits of rise and set
};

// The panel's texts for the object at local time `when` at currentSite: the
// place by ComputeApparentAltAz in the position-mode preference for a
// catalogue place (J2000), as it stands (mode -1) for a planet, comet or
// asteroid, whose place is of date already; the altitude at the local sidereal
// time of transit rounded to the degree, the magnitude and the visibility rating in the telescope of the
// preferences; a meteor shower's start, maximum ("Var." without one) and end
// dates and the gauge of its activity class.
ListPanelTexts ComputeListPanelTexts(const ListPanelObject& object, int source, int sourceIndex, const DateTime& when);

// The name and kind a picture of the entry is looked up by: a constellation
// its row as "%d" with kind 13, a Messier or planet entry its name with kind
// 40 or 45, any other its designation prefix and number with its designation.
struct PictureRequest {
    std::string name;
    int kind = 0;
};
PictureRequest ListEntryPicture(const SelectionEntry& entry);
