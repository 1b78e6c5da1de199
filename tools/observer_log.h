// The observer log: the user's notes taken at the telescope, one file
// "<name>.log" (or "<name>_<n>.log" beside another entry of the same name)
// per observed object or event in the "userlogs" folder of the
// program folder, each holding one ObserverLogRecord. This file holds the
// module state, the listing, loading, saving, deleting and text export of the
// entries and the values a new entry starts with; the form (2600) is in
// tools/observer_log_form.h.
//
// Files are written whole through a temporary file put on the disk and renamed
// into place. Failures are told in the "Information" box ("Fail to read log
// file.", "Fail to write log file.", "It seems your log data are corrupted.")
// with the file named from the program folder ("userlogs\M 31.log") and leave
// the stored entries as they were.
#pragma once

#include <string>
#include <vector>

#include "catalog/name_table.h"
#include "core/shared_state.h"
#include "core/sky_brightness.h"
#include "tools/observer_log_open.h"
#include "tools/observer_log_record.h"

constexpr int kObserverLogForm = 2600;
constexpr int kObserverLogList = 2608;

enum ObserverLogMode : int { kLogBrowse = 0, kLogNewEntry = 2, kLogEditEntry = 3 };

// What a new entry starts with; kept in memory only, for the run.
struct ObserverLogDefaults {
    int transparency = 0;
    int seeing = 0;
    int eyepiece = 0;
    char filter[kLogFilterWidth + 1] = {};  // empty: a new entry gets "None"
    int visualLimit10 = -1;                 // -1: the computed limiting magnitude
};

// An entry in progress while its form is made anew (the finder opened from
// it, a change of screen): its fields' texts and its popups' rows as they
// stood, in the form's order; `mode` kLogBrowse when none is kept.
struct ObserverLogKeptEntry {
    int mode = kLogBrowse;
    bool fromFinder = false;  // a new entry then takes the finder's target
    std::vector<std::string> texts;
    std::vector<int> rows;
};

// The entry loaded for editing as it was saved: its date and time and the sky
// values stored with them, which it keeps while it is not re-dated.
struct ObserverLogSavedSky {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0;
    int32_t moonPercent = 0, sunAltitude = 0;
};

struct ObserverLogState {
    int mode = kLogBrowse;    // survives closing the form
    int returnAfterSave = 0;  // save or cancel go back to the form that asked
    DateTime working{};       // local date and time of the entry laid out
    double moonFraction = 0;  // computed for the working date and hour
    double sunAltitude = 0;   // degrees, at the working date and time
    double siderealTime = 0;  // hours, at the site's longitude
    SkyBrightnessRecord sky{};
    ObserverLogRecord* record = nullptr;  // the one edit record, from the first drawing to exit
    ObserverLogDefaults remembered;
    NameTable names;  // the entries' file names, in listing order
    ObserverLogKeptEntry kept;
    std::string objectDataName;  // the name the edit record's object values were taken for
    ObserverLogSavedSky saved;   // of the entry last loaded (LoadObserverLogAt)
};

extern ObserverLogState observerLogState;

// The folder of the entries: the program folder followed by "userlogs\".
std::string ObserverLogFolder();

// Allocates the edit record, zeroed, when there is none: false with "Can't
// allocated ObserverLog data." when it cannot be had.
bool AllocObserverLogRecord();

// Fills the name table with the "*.log" files of the folder (made when
// missing), any case of the extension, sorted by name without regard to case,
// each cut to 63 characters. Returns 1.
int ListObserverLogs();

// Loads entry `row` of the name table into the edit record: "Please select an
// observation log." for a row outside the table, "Fail to read log file."
// (with the path) for a file that cannot be opened or is shorter than a
// record, "It seems your log data are corrupted." for a wrong magic; false
// then, the edit record as it was. On success the record's listIndex is `row`
// and its date, time and sky values are kept as saved (ObserverLogState::saved).
bool LoadObserverLogAt(int row);

// Writes `record` (magic set) through a temporary file renamed into place. A
// new entry never replaces another: it goes to "<name>.log", or beside an
// entry of that name to the first free "<name>_2.log", "<name>_3.log", ...
// (its own name unchanged). `oldFile` is the file an edited entry was loaded
// from: while it is "<name>.log" or "<name>_<n>.log" of the record's name
// (any case) the entry is written over it; an entry saved under another name
// goes to a free file of that name and the old file is deleted after the new
// one is in place. False with "Fail to write log file." and the path when the
// file cannot be made or written; nothing is deleted then.
bool WriteObserverLogEntry(ObserverLogRecord* record, const char* oldFile);

// Deletes the file of entry `row` of the name table and lists the folder
// again; nothing for a row outside the table.
void DeleteObserverLogAt(int row);

// Exports every entry, after the question "Do you want to export your
// Observer Logs to a text file ?", as semicolon-separated lines in files of
// the folder: a chunk holding more than 15884 characters before an entry is
// written under that entry's listing position ("logs_%d.txt") and the
// "Information" box counts the entries so far; the rest goes under the
// listing's count. A file never replaces another: a name in use gives the
// first free "logs_%d_2.txt", "logs_%d_3.txt", ..., and each count names the
// file just written on its detail line ("userlogs\logs_3.txt"). "Nothing to
// export." for an empty folder. An entry that cannot be read or is damaged is
// told and left out; when no entry is left, "Nothing to export." and no file:
// false. A chunk that cannot be written is told ("Fail to write log file."
// with the path; no file left under it) and ends the export: false. True
// after the closing "%d Observer log%s exported.".
bool ExportObserverLogs();

// Moon fraction, Sun altitude and local sidereal time for the working date
// and time at the current site, into the state; into the edit record, when
// there is one, the Moon per cent (truncated) and the Sun altitude rounded to
// the whole degree. An edited entry whose working date and time (to the
// minute) are still those it was saved with keeps the values it was saved
// with instead: an entry saved at another site, or with the Sun altitude cut
// toward zero as older entries have it, is not changed by being opened.
void ComputeObserverLogSky();

// Clears the edit record and fills it as a new entry: the sky values of
// ComputeObserverLogSky, the remembered transparency, seeing and eyepiece,
// the remembered visual limit or the computed one, the remembered filter or
// "None", the scope "%dmm" of the telescope aperture, the site's name, the
// type, magnitude and position of the current object, then the finder
// target's, or else the current observing-list entry's, name and values. A
// planet, the Moon, a comet or an asteroid among them is placed for the
// working date and time to the minute (local civil time, currentSite), the
// entry's own, as the observing list places it (topocentric, of date).
void BuildNewObserverLogRecord();

// After a new working date and time (the date form, "now"): the Moon and Sun
// values for it (ComputeObserverLogSky) and, for a new entry, its object's
// type, magnitude and place taken again as BuildNewObserverLogRecord takes
// them, the name as typed. Every other field of the entry stays as it is; an
// edited entry keeps its stored place.
void RetakeObserverLogSkyAndPlace();

// Before a save: when the edit record's name is not the name its object type,
// magnitude and place were taken for (case and blanks aside: a name kept as
// it was prefilled or loaded keeps its values), they become those of the
// object the name names, for the working date and time as
// BuildNewObserverLogRecord takes them: a catalogue designation read as a
// prefix and a number ("M 42", "m42", "NGC 7000"; GetObjectByDesignation), else
// a name of the finder's named lists (FindNamedListRow: planets, the Moon,
// bright stars, comets, meteor showers, constellations, user objects). A name
// found nowhere (an event, a note, a blank), or of a body or comet that has no
// place at the working date and time, gets no object: type kLogNoObjectType,
// place and magnitude 0. The finder's target stays as it was.
void TakeObserverLogObjectOfName();

// A new entry takes the finder's target, when one is set: its name (first
// 14 characters), type, magnitude and place at the working date and time, as
// BuildNewObserverLogRecord takes them. False, nothing changed, otherwise (no
// target, not a new entry).
bool TakeObserverLogFinderTarget();

// The working date and time take the record's when they make a date and time
// (IsCalendarDateTime: the years 0..2199); false, nothing changed, otherwise.
bool TakeObserverLogRecordDate(const ObserverLogRecord& record);

// Module state back to the start of a run: browse mode, defaults, no record.
void ResetObserverLog();
