#include "tools/observer_log.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <new>
#include <vector>

#include "catalog/designations.h"
#include "catalog/listed_places.h"
#include "catalog/object_lookup.h"
#include "catalog/record_db.h"
#include "catalog/selection_list.h"
#include "core/angle_text.h"
#include "core/horizontal.h"
#include "core/julian_day.h"
#include "core/kept_file.h"
#include "core/list_date.h"
#include "core/services.h"
#include "core/sidereal_time.h"
#include "core/text_numbers.h"
#include "ephemeris/body_positions.h"
#include "ephemeris/moon_phase.h"
#include "objects/current_object.h"
#include "objects/finder_lookup.h"
#include "objects/selected_object.h"
#include "platform/files.h"
#include "ui/forms.h"
#include "ui/preference_values.h"

ObserverLogState observerLogState;

namespace {

constexpr char kReadFailure[] = "Fail to read log file.";
constexpr char kWriteFailure[] = "Fail to write log file.";
constexpr char kCorrupted[] = "It seems your log data are corrupted.";
constexpr std::size_t kChunkLimit = 15884;  // a 16384-byte chunk less 500 for one more line
constexpr int kObjectNameChars = 14;        // of a finder target or a list entry
constexpr int kMostEntriesOfAName = 9999;
constexpr int kMostExportsOfAName = 9999;
constexpr char kLogFolderName[] = "userlogs\\";

ObserverLogState& State() { return observerLogState; }

bool EqualNoCase(const char* a, const char* b) {
    for (; *a && *b; ++a, ++b)
        if (std::tolower(static_cast<unsigned char>(*a)) != std::tolower(static_cast<unsigned char>(*b))) return false;
    return *a == *b;
}

bool LessNoCase(const NameTableEntry& a, const NameTableEntry& b) {
    for (std::size_t i = 0; i < a.size(); ++i) {
        int x = std::tolower(static_cast<unsigned char>(a[i])), y = std::tolower(static_cast<unsigned char>(b[i]));
        if (x != y || x == 0) return x < y;
    }
    return false;
}

// Whether `file` is "<stem>_<n>.log" (n of digits), in any case: the file a
// later entry of the same name was kept in.
bool IsNumberedFileOf(const std::string& file, const std::string& stem) {
    const std::size_t n = stem.size();
    if (file.size() < n + 6 || !EqualNoCase(file.substr(0, n).c_str(), stem.c_str()) || file[n] != '_' ||
        !EqualNoCase(file.c_str() + file.size() - 4, ".log"))
        return false;
    return file.find_first_not_of("0123456789", n + 1) == file.size() - 4;
}

// The file an entry is written to. An edited entry that keeps its name stays
// in the file it was loaded from; any other goes to "<name>.log", or beside an
// entry of the same name to the first of "<name>_2.log", "<name>_3.log", ...
// that no entry holds. "" when none is free.
std::string FreeEntryFile(const std::string& folder, const char* name, const char* oldFile) {
    const std::string file = ObserverLogFileName(name);
    const std::string stem = file.substr(0, file.size() - 4);
    if (oldFile && (EqualNoCase(oldFile, file.c_str()) || IsNumberedFileOf(oldFile, stem))) return oldFile;
    return FirstFreeNumberedName(folder, file, kMostEntriesOfAName);
}

std::string EntryPath(int row) { return ObserverLogFolder() + State().names[row].data(); }

// A log file as the messages name it: from the program folder, "userlogs\bad.log".
std::string ShownPath(const std::string& path) {
    const std::string folder = ObserverLogFolder();
    if (path.compare(0, folder.size(), folder) != 0) return path;
    return kLogFolderName + path.substr(folder.size());
}

enum class LogRead { Read, Failed, Corrupted };

// Reads the record of a file into `record` (untouched unless read whole).
LogRead ReadLogFile(const std::string& path, ObserverLogRecord* record) {
    std::vector<uint8_t> bytes;
    ObserverLogRecord read;
    if (!ReadKeptFile(path.c_str(), kObserverLogRecordSize, &bytes) ||
        !DecodeObserverLogRecord(bytes.data(), bytes.size(), &read))
        return LogRead::Failed;
    if (read.magic != kObserverLogMagic) return LogRead::Corrupted;
    *record = read;
    return LogRead::Read;
}

// Writes an export file under `name` ("logs_3.txt") when no file has it,
// else under the first free "logs_3_2.txt", "logs_3_3.txt", ...: never over a
// file, so every earlier export stays as it was. The file as the messages
// name it ("userlogs\logs_3.txt"); "" after "Fail to write log file." with
// the path, no file left under the name.
std::string WriteTextFile(const std::string& name, const std::string& text) {
    const std::string folder = ObserverLogFolder();
    const std::string given =
        WriteNewKeptFile(folder, name, std::vector<uint8_t>(text.begin(), text.end()), kMostExportsOfAName);
    if (given.empty()) {
        const std::string shown = FirstFreeNumberedName(folder, name, kMostExportsOfAName);
        ShowInformation(kWriteFailure, ShownPath(folder + (shown.empty() ? name : shown)));
        return "";
    }
    return ShownPath(folder + given);
}

// The count exported so far, the file just written on the line below it.
void ShowExported(int exported, const std::string& file) {
    char text[64];
    std::snprintf(text, sizeof text, "%d Observer log%s exported.", exported, exported >= 2 ? "s" : "");
    ShowInformation(text, file);
}

// The usual name of an export file: "logs_<index>.txt".
std::string ChunkName(int index) {
    char name[32];
    std::snprintf(name, sizeof name, "logs_%d.txt", index);
    return name;
}

// The export loop over the listed entries; false when a chunk could not be
// written, or when no entry could be read ("Nothing to export.", no file).
// `*file` is the last file written.
bool ExportEntries(int* exported, std::string* file) {
    ObserverLogState& s = State();
    std::string text;
    int chunk = 1;
    for (int i = 0; i < s.names.Count(); ++i) {
        std::string path = EntryPath(i);
        LogRead read = ReadLogFile(path, s.record);
        if (read != LogRead::Read) {
            ShowInformation(read == LogRead::Failed ? kReadFailure : kCorrupted, ShownPath(path));
            continue;
        }
        s.record->listIndex = i;
        if (text.size() > kChunkLimit) {
            *file = WriteTextFile(ChunkName(i), text);
            if (file->empty()) return false;
            text.clear();
            ShowExported(*exported, *file);
        }
        if (text.empty()) text = ObserverLogExportHeader(chunk++);
        FormatObserverLogLine(&text, *s.record);
        ++*exported;
    }
    if (*exported == 0) {
        ShowInformation("Nothing to export.", "");
        return false;
    }
    *file = WriteTextFile(ChunkName(s.names.Count()), text);
    return !file->empty();
}

// The entry's date and time as it keeps them, to the minute: the time of the
// object place it stores.
DateTime EntryTime() {
    DateTime t = State().working;
    t.second = 0;
    return t;
}

// Type, magnitude and place of an object record; a planet, the Moon, a comet
// or an asteroid at its place of the entry's time as the list places it
// (BodyEntryAt), or as the record holds it when its body or orbit gives none
// then.
void TakeRecordValues(const ObjectRecord& o, ObserverLogRecord* r) {
    r->objectType = static_cast<int32_t>(o.objectType);
    r->objectMagnitude = TruncateToInt32(o.magnitude);
    r->rightAscension = o.rightAscension;
    r->declination = o.declination;
    if (!IsPlaceOfDate(static_cast<int16_t>(o.designationId))) return;
    const SelectionEntry placed = BodyEntryAt(o, EntryTime());
    if (placed.placeUnknown != 0) return;
    r->objectMagnitude = placed.mag10 / 10;
    r->rightAscension = placed.rightAscension;
    r->declination = placed.declination;
}

// Type, magnitude and place of the finder target, else of the current list
// entry, else of the current object, a planet, comet or asteroid at its place
// of the entry's time; with `withName` also the target's or the entry's name.
// The name the values belong to: the target's or the entry's (14 characters),
// "" for the current object.
std::string TakeWorkedObjectValues(ObserverLogRecord* r, bool withName) {
    char name[32] = {};
    if (IsObjectSelected()) {
        int index = 0;
        GetSelectedObject(&currentObject, &index);
        GetSelectedObjectName(name);
        TakeRecordValues(currentObject, r);
    } else if (const SelectionEntry* e = ListedEntryAt(CurrentSelectionEntry(), EntryTime())) {
        std::snprintf(name, sizeof name, "%s", e->name);
        r->objectType = e->objectType;
        r->objectMagnitude = e->mag10 / 10;
        r->rightAscension = e->rightAscension;
        r->declination = e->declination;
    } else {
        TakeRecordValues(currentObject, r);
    }
    name[kObjectNameChars] = '\0';
    if (withName) SetLogText(r->name, name, kObjectNameChars);
    return name;
}

// TakeWorkedObjectValues; the values then belong to the worked object's name,
// whatever name the entry has.
void TakeWorkedObject(ObserverLogRecord* r, bool withName) {
    State().objectDataName = TakeWorkedObjectValues(r, withName);
}

// The object a typed name names: a catalogue designation, else a name of the
// finder's named lists. False when it names none, and for a planet, the Moon,
// the Sun or a comet that has no place at the entry's date and time (a date
// beyond its theory or its orbit), whatever place it has at the program's
// date. The finder's target is kept: the catalogue search makes what it finds
// the target.
bool FindNamedObject(const char* name, ObjectRecord* o) {
    const SelectedObjectRecord target = selectedObject;
    int kind = 0, row = 0;
    int32_t number = 0;
    bool found = ReadDesignationText(name, &kind, &number) && GetObjectByDesignation(kind, number, o);
    if (!found && FindNamedListRow(name, &kind, &row)) {
        const bool ofDate = IsPlaceOfDate(kind);
        found = GetObjectByKind(kind, row, o, nullptr, 0, nullptr, 0, ofDate ? 0 : 1, nullptr) &&
                (!ofDate || BodyEntryAt(*o, EntryTime()).placeUnknown == 0);
    }
    selectedObject = target;
    return found;
}

}  // namespace

std::string ObserverLogFolder() {
    char folder[512];
    GetExeDirectory(folder, sizeof folder);
    return folder + std::string(kLogFolderName);
}

bool AllocObserverLogRecord() {
    ObserverLogState& s = State();
    if (!s.record) s.record = new (std::nothrow) ObserverLogRecord{};
    if (s.record) return true;
    ShowInformation("Can't allocated ObserverLog data.", "");
    return false;
}

void FreeObserverLogRecord() {
    delete observerLogState.record;
    observerLogState.record = nullptr;
}

void OpenObserverLogNewEntry() {
    observerLogState.kept = ObserverLogKeptEntry{};
    observerLogState.mode = kLogNewEntry;
    observerLogState.returnAfterSave = 1;
    GotoForm(kObserverLogForm);
}

int ListObserverLogs() {
    NameTable& names = State().names;
    std::string folder = ObserverLogFolder();
    folder.pop_back();
    ScanNameTable(&names, folder.c_str(), "*.log");
    std::vector<NameTableEntry> sorted;
    for (int i = 0; i < names.Count(); ++i) sorted.push_back(names[i]);
    std::stable_sort(sorted.begin(), sorted.end(), LessNoCase);
    for (int i = 0; i < names.Count(); ++i) names[i] = sorted[static_cast<std::size_t>(i)];
    return 1;
}

bool LoadObserverLogAt(int row) {
    ObserverLogState& s = State();
    if (row < 0 || row >= s.names.Count()) {
        ShowInformation("Please select an observation log.", "");
        return false;
    }
    if (!AllocObserverLogRecord()) return false;
    pl::MakeDirectory(ObserverLogFolder());
    std::string path = EntryPath(row);
    switch (ReadLogFile(path, s.record)) {
    case LogRead::Failed: ShowInformation(kReadFailure, ShownPath(path)); return false;
    case LogRead::Corrupted: ShowInformation(kCorrupted, ""); return false;
    case LogRead::Read: break;
    }
    const ObserverLogRecord& r = *s.record;
    s.record->listIndex = row;
    s.objectDataName = r.name;
    s.saved = {r.year, r.month, r.day, r.hour, r.minute, r.moonPercent, r.sunAltitude};
    return true;
}

bool WriteObserverLogEntry(ObserverLogRecord* record, const char* oldFile) {
    std::string folder = ObserverLogFolder();
    pl::MakeDirectory(folder);
    record->magic = kObserverLogMagic;
    const char* old = oldFile && *oldFile ? oldFile : nullptr;
    const std::string file = FreeEntryFile(folder, record->name, old);
    const std::string path = folder + (file.empty() ? ObserverLogFileName(record->name) : file);
    const std::vector<uint8_t> bytes = EncodeObserverLogRecord(*record);
    // An edited entry kept in its own file is written over it; any other file
    // is new and never replaces one, even one made since it was found free.
    const bool own = old && EqualNoCase(old, file.c_str());
    const bool written = !file.empty() && (own ? ReplaceKeptFile(path.c_str(), (path + ".tmp").c_str(), bytes)
                                               : !WriteNewKeptFile(folder, ObserverLogFileName(record->name), bytes,
                                                                   kMostEntriesOfAName).empty());
    if (!written) {
        ShowInformation(kWriteFailure, ShownPath(path));
        return false;
    }
    if (old && !own) pl::RemoveFile(folder + old);
    pl::SyncFolder(folder);
    return true;
}

void DeleteObserverLogAt(int row) {
    if (row < 0 || row >= State().names.Count()) return;
    pl::RemoveFile(EntryPath(row));
    ListObserverLogs();
}

bool ExportObserverLogs() {
    ListObserverLogs();
    if (State().names.Count() == 0) {
        ShowInformation("Nothing to export.", "");
        return false;
    }
    if (AskYesNo("Do you want to export your Observer Logs to a text file ?", "") == 1) return false;
    if (!AllocObserverLogRecord()) return false;
    int exported = 0;
    std::string file;
    if (!ExportEntries(&exported, &file)) return false;
    ShowExported(exported, file);
    return true;
}

void ComputeObserverLogSky() {
    ObserverLogState& s = State();
    const DateTime& t = s.working;
    int age = 0;
    s.moonFraction = GetMoonPhase(t.year, t.month, t.day, t.hour, &age);
    BodyPosition sun{};
    ComputeBody(&sun, 0, t.year, t.month, t.day, t.hour, t.minute, t.second);
    s.siderealTime = GetLocalSiderealTime(t.year, t.month, t.day, t.hour, t.minute, t.second, currentSite.longitude,
                                          currentSite.zoneMinutes);
    s.sunAltitude = ComputeAltitude(s.siderealTime, sun.ra, sun.dec, currentSite.latitude);
    if (!s.record) return;
    const ObserverLogSavedSky& saved = s.saved;
    if (s.mode == kLogEditEntry && saved.year == t.year && saved.month == t.month && saved.day == t.day &&
        saved.hour == t.hour && saved.minute == t.minute) {
        s.record->moonPercent = saved.moonPercent;
        s.record->sunAltitude = saved.sunAltitude;
        return;
    }
    s.record->moonPercent = TruncateToInt32(s.moonFraction * 100);
    s.record->sunAltitude = WholeDegrees(s.sunAltitude);
}

void BuildNewObserverLogRecord() {
    ObserverLogState& s = State();
    if (!s.record) return;
    ObserverLogRecord& r = *s.record;
    const ObserverLogDefaults& d = s.remembered;
    r = ObserverLogRecord{};
    ComputeObserverLogSky();
    r.transparency = d.transparency;
    r.seeing = d.seeing;
    r.eyepiece = d.eyepiece;
    const DateTime& t = s.working;
    ComputeLimitingMagnitude(&s.sky, t.year, t.month, t.day, t.hour, t.minute);
    r.visualLimit10 = d.visualLimit10 != -1 ? d.visualLimit10 : TruncateToInt32(s.sky.limitingMagnitude * 10);
    SetLogText(r.filter, d.filter[0] ? d.filter : "None", kLogFilterWidth - 1);
    char scope[24];
    std::snprintf(scope, sizeof scope, "%dmm", GetScopeApertureMm());
    SetLogText(r.scope, scope, kLogScopeWidth - 1);
    SetLogText(r.location, currentSite.name, kLogLocationWidth - 1);
    TakeWorkedObject(&r, true);
}

void RetakeObserverLogSkyAndPlace() {
    ObserverLogState& s = State();
    ComputeObserverLogSky();
    if (s.mode == kLogNewEntry && s.record) TakeWorkedObject(s.record, false);
}

bool TakeObserverLogFinderTarget() {
    ObserverLogState& s = State();
    if (s.mode != kLogNewEntry || !s.record || !IsObjectSelected()) return false;
    TakeWorkedObject(s.record, true);
    return true;
}

void TakeObserverLogObjectOfName() {
    ObserverLogState& s = State();
    if (!s.record || SameNameCaseAndBlanksAside(s.record->name, s.objectDataName.c_str())) return;
    ObserverLogRecord& r = *s.record;
    ObjectRecord o{};
    if (FindNamedObject(r.name, &o)) {
        TakeRecordValues(o, &r);
    } else {
        r.objectType = kLogNoObjectType;
        r.objectMagnitude = 0;
        r.rightAscension = r.declination = 0.0f;
    }
    s.objectDataName = r.name;
}

bool TakeObserverLogRecordDate(const ObserverLogRecord& r) {
    if (!IsCalendarDateTime(r.year, r.month, r.day, r.hour, r.minute)) return false;
    DateTime& t = State().working;
    t.year = r.year;
    t.month = r.month;
    t.day = r.day;
    t.hour = r.hour;
    t.minute = r.minute;
    return true;
}

void ResetObserverLog() {
    FreeObserverLogRecord();
    observerLogState.mode = kLogBrowse;
    observerLogState.returnAfterSave = 0;
    observerLogState.working = DateTime{};
    observerLogState.remembered = ObserverLogDefaults{};
    observerLogState.names.Clear();
    observerLogState.kept = ObserverLogKeptEntry{};
    observerLogState.objectDataName.clear();
    observerLogState.saved = ObserverLogSavedSky{};
}
