// The finder's look-ups, apart from its form: the catalogues of its popup, the
// keypad's rules for the identifier typed after a catalogue prefix, and the
// look-up of that identifier into the current target (selectedObject), with
// the target's place for the current date, time and site.
#pragma once

#include <cstdint>
#include <string>

#include "catalog/databases.h"

// Designation id of each row of the catalogue popup, and its rows.
extern int32_t finderKindTable[kCatalogNameListMax];
extern int32_t finderKindCount;
// Apparent right ascension (hours), declination, altitude and azimuth
// (degrees) of the target.
extern double finderPosition[4];
// Rise, transit and set (local hours) of the target and now (hour + minute / 60),
// and the RiseSetEvent bits that tell which of rise and set happened.
extern double finderRiseSet[4];
extern unsigned finderRiseSetEvents;

// Fills finderKindTable from GetCatalogNameList, the names into `names`
// (kCatalogNameListMax entries); returns the row count.
int FillFinderKindTable(const char** names);

// The catalogue row of a designation id; -1 when no row has it.
int FinderRowOfKind(int kind);

// Whether the kind is typed by number in the identifier field instead of
// being chosen from the object popup: HIP (26), HR (28) and Tycho (60).
bool FinderTypesNumber(int kind);

// Rows of the object popup: 109 Caldwell, the comets, 89 constellations, 400
// Herschel, 110 Messier and best of NGC, the meteor showers, 10 planets, the
// bright stars, the user objects; another catalogue its record range of the
// object file (0 when it has none). 0 for the kinds typed by number.
int FinderListRowCount(int kind);

// Whether the object popup names its target of catalogue `kind` by the second
// text of GetObjectByKind (constellations, meteor showers: their names beside
// their abbreviations and dates) rather than the first.
bool FinderNamesBySecondText(int kind);

// Digits a catalogue takes after its prefix: 3 Caldwell, Herschel, Messier and
// best of NGC; 6 HIP and SAO (51); 4 HR; 12 Tycho; 4 any other.
int FinderDigitLimit(int kind);

// What one keypad digit did.
enum class FinderDigit {
    kWritten,    // the identifier grew by the digit (or was cut at the limit)
    kIgnored,    // the number would leave the catalogue's range
    kUsePopup,   // a catalogue chosen from the popup only
    kNoObjects,  // a catalogue the object file does not hold
    kTooMany,    // the field already held more digits than the limit
};

// Digit `digit` typed after the identifier `field` of catalogue `kind`: the
// digits after the prefix become selectedObject.entryDigits; on kWritten
// `written` receives prefix + digits + digit cut to prefix + limit characters
// and entryDigits what follows the prefix in it. kNoObjects also clears found.
FinderDigit ApplyFinderDigit(int kind, const char* field, int digit, std::string* written);

// The Tycho record number of "rrrr-ssssss-1" (the text after "TYC"):
// region x 100000 + star. False when nothing follows the region's digits or
// a number or the record number does not fit 32 bits.
bool ParseTychoDigits(const char* digits, int32_t* recordNumber);

// What a look-up asks of the form besides the target.
struct FinderLookupResult {
    int selectRow = -2;       // object popup row to select; -1 clear, -2 leave
    bool setLabel = false;    // put `label` on the object popup
    std::string label;
    bool badTychoFormat = false;
};

// The row of the finder's named lists whose name, as the object popup names
// its target, is `name`, case and blanks aside (SameNameCaseAndBlanksAside):
// the planets with the Sun and the Moon, the bright stars, the comets, the
// meteor showers, the constellations and the user objects, in that order, the
// first row that matches. False, nothing written, when none does or `name`
// is blank.
bool FindNamedListRow(const char* name, int* kind, int* row);

// Looks the identifier up into selectedObject (found, isSet, index, catalog,
// listRow, name, record): `kind` the catalogue, `field` the identifier field's
// text, `popupRow` the object popup's selection. The numbered lists take the
// typed number, the named lists the popup's row, HIP and HR the number, Tycho
// "rrrr-ssssss-1", any other catalogue a bisection of its record range.
// Nothing is looked up without typed digits; a look-up that finds nothing
// leaves no target (isSet 0).
FinderLookupResult LookupFinderTarget(int kind, const char* field, int popupRow);

// The target's apparent place (the position-mode preference; planets and
// comets, looked up for the date, as they are) for currentDateTime at
// currentSite into finderPosition and its altitude into
// selectedObject.altitude; its rise, transit and set (horizon preference) and
// now into finderRiseSet, their events into finderRiseSetEvents.
void ComputeFinderPlace();

// The picture name of the target for catalogue `kind` (planets the planet's
// name, constellations the row number, Caldwell and Herschel the record they
// map to, others prefix and typed digits).
std::string FinderImageName(int kind);
