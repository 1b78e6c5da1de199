// The tables that give the coded fields of an object record their meaning: the
// catalogue designations, the object types and the constellations. Indexes that
// come from files are checked before they index a table: use the accessors below,
// which answer "" for an index outside the table.
#pragma once

#include <cstdint>

// One catalogue: the prefix printed before a number ("NGC"; six blanks for none),
// its name in lists, and its records [first, last) in the object database;
// first = 50000 (last 0) means the catalogue is not in the object database.
struct DesignationRow {
    char prefix[13];
    char longName[21];
    uint16_t first;
    int16_t last;
};

constexpr int kDesignationCount = 68;
constexpr uint16_t kNoDesignationRecords = 50000;

// Designation ids (rows of designationTable) that the catalogue code names.
enum DesignationId : int {
    kDesignationCaldwell = 9,
    kDesignationComet = 12,
    kDesignationConstellation = 13,
    kDesignationHerschel = 25,
    kDesignationHip = 26,
    kDesignationHr = 28,
    kDesignationIc = 29,
    kDesignationMessier = 40,
    kDesignationMeteor = 41,
    kDesignationNgc = 42,
    kDesignationPlanet = 45,
    kDesignationBestNgc = 49,
    kDesignationBrightStar = 54,
    kDesignationTycho = 60,
    kDesignationUser = 63
};

// True for the catalogues whose places are computed for the time asked, so of date: the
// planets, the Sun and the Moon (45, apparent places) and comets and asteroids (12, mean
// equinox of the year). Every other catalogue gives J2000 places.
constexpr bool IsPlaceOfDate(int designation) {
    return designation == kDesignationPlanet || designation == kDesignationComet;
}

// The record ranges follow the open object file (see UseObjectFileRanges).
extern DesignationRow designationTable[kDesignationCount];
// Goes up whenever the record ranges are set (UseObjectFileRanges, ReadObjectFileRanges):
// what was looked up through them before may be found elsewhere after.
extern uint32_t designationRangeChanges;

// Object type: class (0 other, 1 cluster, 2 supernova remnant, 3 galaxy, 4 nebula,
// 5 star, 6 multiple star, 7 planet, 8 constellation, 9 comet or minor planet,
// 10 Earth satellite), short code, name, thumbnail number n (picture bitmap
// 2999 + n; 0 none) and the chart's shown flag (1 = drawn).
struct ObjectTypeRow {
    uint8_t objectClass;
    char code[7];
    char name[38];
    uint16_t thumbnail;
    uint16_t shown;
};

constexpr int kObjectTypeCount = 42;
extern ObjectTypeRow objectTypeTable[kObjectTypeCount];

// Constellation: abbreviation, name and the label position (right ascension in
// thousandths of an hour, declination in hundredths of a degree, J2000.0). Rows 11
// and 22 are both Cancer; the constellation finder gives 22. Row 88 is Vulpecula.
struct ConstellationRow {
    char abbreviation[4];
    char name[28];
    int32_t rightAscension;
    int32_t declination;
};

constexpr int kConstellationCount = 89;
extern const ConstellationRow constellationTable[kConstellationCount];

// The designation id whose prefix is `prefix` exactly ("NGC"), as a memo line's
// prefix field is read: the first such row; -1 when none is.
int FindDesignationOfPrefix(const char* prefix);

// Reads a designation typed as a catalogue prefix and a number, with or
// without blanks between them and blanks around ("M 42", "M42", "NGC 7000",
// "Sh2 240"), the prefix in any case ("m42", "ngc 7000"): the prefix read by
// FindDesignationOfPrefix, else by its letters whatever their case; the number
// the digits that end the text (a number of 32 bits); the longest number whose
// text before it is a prefix. False, nothing written, for any other text.
bool ReadDesignationText(const char* text, int* designation, int32_t* number);

// Designation prefix and list name of an id; "" outside 0..67.
const char* DesignationPrefix(int id);
const char* DesignationLongName(int id);

// Object type name; "" outside 0..41.
const char* ObjectTypeName(int type);

// Constellation abbreviation and name; "" outside 0..88 (-1 is "no constellation").
const char* ConstellationAbbreviation(int index);
const char* ConstellationName(int index);

// Row `id` (0..67) with the built-in record ranges of the full object file,
// whatever file is open.
DesignationRow BuiltInDesignation(int id);

// Sets the record ranges of designationTable for the open object file: the
// built-in ranges of the full (18k) file, or, for the 1k file, IC 0..72, NGC
// 72..1126 and no records for every other catalogue.
void UseObjectFileRanges(bool fullCatalogue);
