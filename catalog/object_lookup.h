// Object lookup by catalogue kind: object n of a catalogue (a designation id)
// delivered as an object record with the texts the forms show, and the four
// built-in number tables resolved against the open object file.
#pragma once

#include <cstddef>
#include <cstdint>

#include "catalog/object_catalog.h"

// Record of entry `index` of the Messier (0..109), Caldwell (0..108), Herschel
// 400 (0..399) or "110 Best of NGC" (0..109) table: the object file's record
// of the entry's catalogue key (searched in its catalogue's record range, then
// among the further objects after the NGC block of the shared first 1131
// records), else of its alias key. False without a message for an index beyond
// the table or an object the file does not hold.
bool GetMessierObjectRecord(int index, ObjectRecord* record);
bool GetCaldwellObjectRecord(int index, ObjectRecord* record);
bool GetHerschelObjectRecord(int index, ObjectRecord* record);
bool GetBestNgcObjectRecord(int index, ObjectRecord* record);

// Object `index` of catalogue kind `kind`. The designation and name texts are
// written into the given buffers (either may be null) and cut to fit; compute 1
// also fills position, magnitude, sizes, distance and constellation for the
// current date, time and site. *listed (when given) tells whether the object
// may be listed in the observing list. A negative index asks for the |index|-th
// record of a catalogue of the object file in file order. True when an object
// was delivered.
bool GetObjectByKind(int kind, int index, ObjectRecord* record, char* designation, std::size_t designationSize,
                     char* name, std::size_t nameSize, int compute, int* listed);

// The object of a catalogue designation and number as typed or written ("M 42"
// is Messier 42, ReadDesignationText): the Messier, Caldwell, Herschel 400 and
// best-of-NGC numbers 1 and up through their tables, the HIP, HR and Tycho
// numbers and the object file's catalogues by number, through GetObjectByKind
// with compute 1. False for a number below 1, an object not found, and the
// catalogues whose objects are chosen by name (comets, meteor showers, user
// objects; planets, constellations and bright stars have no prefix). As
// GetObjectByKind, a find in the object file's catalogues becomes the finder's
// target.
bool GetObjectByDesignation(int designation, int32_t number, ObjectRecord* record);
