#include "catalog/memo.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <new>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "catalog/deep_sky_types.h"
#include "catalog/designations.h"
#include "catalog/listed_comets.h"
#include "catalog/listed_places.h"
#include "catalog/object_identity.h"
#include "catalog/object_lookup.h"
#include "catalog/selection_list.h"
#include "catalog/user_lists.h"
#include "core/angle_text.h"
#include "core/constellation.h"
#include "core/julian_day.h"
#include "core/kept_file.h"
#include "core/list_date.h"
#include "core/services.h"
#include "core/shared_state.h"
#include "core/text_numbers.h"
#include "platform/files.h"

namespace {

constexpr char kListFolder[] = "userlists\\";
constexpr int kFieldMax = 29;
constexpr int kPrefixMax = 30;
constexpr int kNameMax = 18;
constexpr int kTypePlanet = 27;
constexpr int kTypeStar = 30;
// Room left below the flush mark; a line takes at most about 110 characters.
constexpr std::size_t kLineRoom = kMemoBufferSize - kMemoFlushBytes;
// Memos of one minute: "<name>.txt", then "<name>_2.txt" up to this number.
constexpr int kMostMemosOfAMinute = 999;

// The memo export in progress: from BeginMemoExport to EndMemoExport the
// writes are gathered here, and the file is written once at the end.
struct MemoExport {
    bool open = false;
    std::string text;
};

MemoExport currentExport;

bool IsLineEnd(char c) { return c == '\n' || c == '\r'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsBlankChar(char c) { return c == ' ' || c == '\t'; }

int SkipLineEnds(const char* text) {
    int n = 0;
    while (IsLineEnd(text[n])) ++n;
    return n;
}

bool IsBlank(const char* text) { return text[std::strspn(text, " ")] == '\0'; }

std::string MemoFileName() {
    const DateTime& t = currentDateTime;
    char name[64];
    std::snprintf(name, sizeof name, "%04d%02d%02d_zendamemo_%02d%02d.txt", t.year, t.month, t.day, t.hour, t.minute);
    return name;
}

std::string MemoPath(const std::string& name) { return kListFolder + name; }

// A decimal number: digits with at most one '.' or ',' among or after them.
bool IsDecimalText(std::string_view s) {
    std::size_t digits = 0, marks = 0;
    for (char c : s) {
        if (IsDigit(c)) ++digits;
        else if ((c == '.' || c == ',') && ++marks == 1) continue;
        else return false;
    }
    return digits > 0;
}

// Whether the text has the form given: 'D' stands for 1 to 3 digits, 'M' for 1
// or 2 digits below 60, 'T' for one digit; every other character for itself.
bool HasSexagesimalForm(std::string_view s, const char* form) {
    std::size_t i = 0;
    for (const char* f = form; *f; ++f) {
        if (*f != 'D' && *f != 'M' && *f != 'T') {
            if (i >= s.size() || s[i++] != *f) return false;
            continue;
        }
        const std::size_t start = i, most = *f == 'D' ? 3 : *f == 'M' ? 2 : 1;
        int value = 0;
        while (i < s.size() && i - start < most && IsDigit(s[i])) value = value * 10 + (s[i++] - '0');
        if (i == start || (i < s.size() && IsDigit(s[i])) || (*f == 'M' && value >= 60)) return false;
    }
    return i == s.size();
}

// Whether a right ascension (hours) or declination field holds a place: blanks
// around, an optional sign, then a decimal number or a form the "RA Format"
// and "Dec Format" preferences write ("23:45:00", "23h45m00", "23h45.0";
// "-70:45:00", "-70\xB0" "45'00", "-70\xB0" "45.0"). The sexagesimal reader
// would take any other text, a blank field as 0 and letters as separators.
bool IsPlaceText(const char* text, bool hours) {
    std::string_view s(text);
    while (!s.empty() && IsBlankChar(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlankChar(s.back())) s.remove_suffix(1);
    if (!s.empty() && (s.front() == '+' || s.front() == '-')) s.remove_prefix(1);
    static const char* const hourForms[] = {"D:M:M", "DhMmM", "DhM.T"};
    static const char* const degreeForms[] = {"D:M:M", "D\xB0M'M", "D\xB0M.T"};
    for (const char* form : hours ? hourForms : degreeForms)
        if (HasSexagesimalForm(s, form)) return true;
    return IsDecimalText(s);
}

// The value of a place field, or NaN (no place on the sky) when it holds none.
float PlaceValue(const char* field, bool hours) {
    return IsPlaceText(field, hours) ? static_cast<float>(ParseSignedValue(field)) : std::nanf("");
}

// The row whose prefix is the field; 63 (user object) when none is. Rows with a
// blank prefix (constellation, planet, bright star) are told apart by the type.
int DesignationOfPrefix(const char* prefix, int objectType) {
    const int id = FindDesignationOfPrefix(prefix);
    if (id < 0) return kDesignationUser;
    if (id == kDesignationConstellation && objectType == kTypePlanet) return kDesignationPlanet;
    if (id == kDesignationConstellation && objectType == kTypeStar) return kDesignationBrightStar;
    return id;
}

int ObjectTypeOfCode(const char* code) {
    for (int type = 0; type < kObjectTypeCount; ++type)
        if (std::strcmp(objectTypeTable[type].code, code) == 0) return type;
    return 0;
}

// Whether a field follows at text + offset: false when the text or the line
// (a line end after a field before the eleventh) has ended.
bool FieldFollows(const char* text, int length, int offset) { return offset <= length && text[offset - 1] == ';'; }

// Reads the next field of the line at text + *offset into field, at most
// `max` characters; false when none follows.
bool NextField(const char* text, int length, int* offset, char* field, int max) {
    if (!FieldFollows(text, length, *offset)) return false;
    *offset += ReadMemoField(text + *offset, field, max);
    return true;
}

// Reads the next field whole as a place (hours or degrees) into *value, NaN
// when it holds anything but a place; false when no field follows.
bool NextPlaceField(const char* text, int length, int* offset, bool hours, float* value) {
    if (!FieldFollows(text, length, *offset)) return false;
    const std::size_t n = std::strcspn(text + *offset, ";\r\n");
    *value = PlaceValue(std::string(text + *offset, n).c_str(), hours);
    *offset += static_cast<int>(n) + 1;
    return true;
}

// Appends a field after its separator. A ';' inside it becomes ',' and a CR
// or LF a blank, so that the line reads back as the same eleven fields.
void AppendField(std::string& line, const char* text) {
    if (!line.empty()) line += ';';
    if (!text[0]) line += ' ';
    for (const char* c = text; *c; ++c) line += *c == ';' ? ',' : IsLineEnd(*c) ? ' ' : *c;
}

// The entry as its line names it: planets by body index, the built-in lists by
// their own numbers; other sources keep their number and designation.
SelectionEntry ListedIdentity(const SelectionEntry& entry) {
    SelectionEntry e = entry;
    switch (e.source) {
    case kSourcePlanet:
        e.number = e.sourceIndex;
        e.designation = kDesignationPlanet;
        return e;
    case kSourceMessier: e.designation = kDesignationMessier; break;
    case kSourceCaldwell: e.designation = kDesignationCaldwell; break;
    case kSourceHerschel: e.designation = kDesignationHerschel; break;
    case kSourceBestNgc: e.designation = kDesignationBestNgc; break;
    default: return e;
    }
    e.number = e.sourceIndex + 1;
    return e;
}

// The catalogue record of a listed line (Messier, Caldwell, Herschel 400, best
// of NGC) replaces the parsed one; source and source index of the entry.
void ResolveImportedLine(ObjectRecord* rec, int* source, int* sourceIndex) {
    int designation = static_cast<int16_t>(rec->designationId);
    int k = rec->number > 0 ? rec->number - 1 : -1;
    bool (*lookup)(int, ObjectRecord*) = nullptr;
    int listedSource = 0;
    switch (designation) {
    case kDesignationMessier: lookup = GetMessierObjectRecord; listedSource = kSourceMessier; break;
    case kDesignationCaldwell: lookup = GetCaldwellObjectRecord; listedSource = kSourceCaldwell; break;
    case kDesignationHerschel: lookup = GetHerschelObjectRecord; listedSource = kSourceHerschel; break;
    case kDesignationBestNgc: lookup = GetBestNgcObjectRecord; listedSource = kSourceBestNgc; break;
    default: break;
    }
    ObjectRecord listed;
    if (lookup && lookup(k, &listed)) {
        *rec = listed;
        *source = listedSource;
        *sourceIndex = k;
        return;
    }
    *source = designation == kDesignationPlanet ? kSourcePlanet : 0;
    *sourceIndex = rec->number;
}

// The first line of the text, at most 255 characters, for a message.
std::string LineForMessage(const char* text, std::size_t limit) {
    std::size_t n = std::strcspn(text, "\r\n");
    return std::string(text, n < limit ? n : limit);
}

enum class LineAdded { Added, AlreadyListed, NoRoom };

// The name a line carries, whole: its third field (a blank one is none).
std::string LineName(const char* line) {
    for (int field = 0; field < 2; ++field) {
        line += std::strcspn(line, ";\r\n");
        if (*line != ';') return "";
        ++line;
    }
    const std::string name(line, std::strcspn(line, ";\r\n"));
    return IsBlank(name.c_str()) ? "" : name;
}

// The records that the comet and asteroid lines of one import give their
// entries, given to every line before the first entry is made, so that a
// stronger claim on a record wins wherever its line stands. With the comet
// file open, a line keeps its number while that record still has its name
// (CometLineNames::RecordOfNumber), and a second line of that number is
// refused; then the other lines, in memo order, take the first free record
// that shows their name, then one that shows its first 14 characters, then
// one that continues it, or their number's record when that continues their
// name. A line whose name gives only records taken names a record listed
// already; a name that gives no record is listed once, without one (number
// -1). With the file closed a line keeps its number, for the list to find its
// record once the file opens, and a line of a name and number given before is
// listed already. Names are compared as entries keep them (14 characters)
// where no record tells them apart.
class ImportedComets {
public:
    // A comet or asteroid line, in memo order.
    void Add(std::string name, int number) {
        Line& line = lines_.emplace_back();
        line.name = std::move(name), line.number = number;
    }

    // Gives each line added its record.
    void Resolve();

    // The record of the next line added (-1: none), or nullopt when its record is listed already.
    std::optional<int> Next() { return next_ < lines_.size() ? lines_[next_++].record : std::nullopt; }

private:
    using Claim = CometLineNames::Claim;
    // What a name gives, shared by its lines.
    struct Named {
        std::vector<int> records;
        Claim claim = Claim::Shows;
        std::size_t free = 0;  // the records before this one are taken
    };
    struct Line {
        std::string name;
        int number = -1;
        int kept = -1;              // the record of its number that still has its name
        Named* named = nullptr;     // else what its name gives
        bool settled = false;       // given a record, or refused
        std::optional<int> record;  // the record given
    };

    // Gives the line `record` when no line has it; whether it did.
    bool Give(Line& line, int record) {
        if (taken_[static_cast<std::size_t>(record)]) return false;
        taken_[static_cast<std::size_t>(record)] = true;
        line.settled = true;
        line.record = record;
        return true;
    }
    // The first record of the name that no line has; -1 when none.
    int FirstFree(Named& named) {
        while (named.free < named.records.size() && taken_[static_cast<std::size_t>(named.records[named.free])])
            ++named.free;
        return named.free < named.records.size() ? named.records[named.free] : -1;
    }
    void GiveByName(const CometLineNames& names, Claim claim);
    void GiveNoRecord(bool open);

    std::vector<Line> lines_;
    std::unordered_map<std::string, Named> named_;  // by a line's whole name
    std::vector<bool> taken_;                       // by record
    std::size_t next_ = 0;
};

void ImportedComets::Resolve() {
    if (lines_.empty()) return;
    const CometLineNames names;
    taken_.assign(static_cast<std::size_t>(names.Count()), false);
    for (Line& line : lines_) {
        line.kept = names.RecordOfNumber(line.number, line.name);
        if (line.kept >= 0) continue;
        const auto [found, added] = named_.try_emplace(line.name);
        if (added) found->second.records = names.RecordsOfName(line.name, &found->second.claim);
        line.named = &found->second;
    }
    for (Line& line : lines_)  // a line after the first of a number kept is refused
        if (line.kept >= 0 && !Give(line, line.kept)) line.settled = true;
    for (Claim claim : {Claim::Shows, Claim::ShowsIn14, Claim::Continues}) GiveByName(names, claim);
    GiveNoRecord(names.IsOpen());
}

// The lines not given a record yet whose name claims records so take the first free one; at the
// weakest claim a line may also take its number's record when that continues its name.
void ImportedComets::GiveByName(const CometLineNames& names, Claim claim) {
    for (Line& line : lines_) {
        if (line.settled) continue;
        if (line.named->claim == claim) {
            const int record = FirstFree(*line.named);
            if (record >= 0) Give(line, record);
        }
        if (!line.settled && claim == Claim::Continues && names.Continues(line.number, line.name))
            Give(line, line.number);
    }
}

// The lines left: those whose name gives records are listed already; the others are listed once
// each by name and the number carried (none while the file is open).
void ImportedComets::GiveNoRecord(bool open) {
    std::set<std::pair<int, std::string>> listed;
    for (Line& line : lines_) {
        if (line.settled || !line.named->records.empty()) continue;
        const int carried = open ? -1 : std::max(line.number, -1);
        if (listed.insert({carried, line.name.substr(0, kSelectionNameSize - 1)}).second) line.record = carried;
    }
}

// What the lines imported so far name: objects by their identity, comets and
// asteroids by their records.
struct ImportedObjects {
    ListedObjects objects{nullptr, 0};
    ImportedComets comets;
};

bool IsCometLine(const ObjectRecord& rec) { return static_cast<int16_t>(rec.designationId) == kDesignationComet; }

// Adds one parsed line to the list, whose entries `imported` holds. A line
// whose object is in the list already, under any of its designations, is told
// of at once, however full the list; lines beyond the list's room are counted
// by the caller. A comet or asteroid line takes the record ImportedComets
// gives it.
LineAdded AddImportedLine(const char* line, ObjectRecord* rec, ImportedObjects& imported) {
    const bool comet = IsCometLine(*rec);
    const std::optional<int> record = comet ? imported.comets.Next() : std::nullopt;
    if (record) rec->number = *record;
    int source, sourceIndex;
    ResolveImportedLine(rec, &source, &sourceIndex);
    const ObjectIdentity id = IdentifyObject(*rec, source, sourceIndex);
    if (comet ? !record : imported.objects.Names(id)) {
        ShowInformation("Already loaded:", LineForMessage(line, 30));
        return LineAdded::AlreadyListed;
    }
    ListedObjects unnumbered(nullptr, 0);  // comets are told apart by their records
    if (!MakeSelectionEntry(sourceIndex, source, selectionList, rec, id, comet ? unnumbered : imported.objects))
        return LineAdded::NoRoom;
    ++selectionShownCount;
    return LineAdded::Added;
}

}  // namespace

std::size_t MemoImportBufferSize() {
    const std::size_t lines = static_cast<std::size_t>(std::max(GetSelectionListCapacity(), 0)) * kLineRoom + 1;
    return std::max(kMemoBufferSize, lines);
}

int ReadMemoField(const char* src, char* dst, int max) {
    int n = 0;
    while (src[n] != '\0' && src[n] != ';' && !IsLineEnd(src[n])) {
        if (n < max) dst[n] = src[n];
        ++n;
    }
    dst[n < max ? n : max] = '\0';
    return n + 1;
}

int ParseListLine(const char* text, ObjectRecord* out) {
    int offset = SkipLineEnds(text);
    // The line's own length: its fields end at its line end, so a line reads only itself, never the
    // rest of the memo.
    const int length = offset + static_cast<int>(std::strcspn(text + offset, "\r\n"));
    char prefix[kPrefixMax + 1], field[kFieldMax + 1];
    *out = ObjectRecord{};
    if (offset >= length) return -1;
    offset += ReadMemoField(text + offset, prefix, kPrefixMax);
    if (!NextField(text, length, &offset, field, kFieldMax)) return -1;
    bool numberFits = true, codeFits = true;
    out->number = ParseInt(field, &numberFits);
    if (!NextField(text, length, &offset, field, kNameMax)) return -1;
    if (!IsBlank(field)) std::memcpy(out->name, field, std::strlen(field) + 1);
    if (!NextField(text, length, &offset, field, kFieldMax)) return -1;
    out->objectType = static_cast<uint32_t>(ObjectTypeOfCode(field));
    out->designationId = static_cast<uint32_t>(DesignationOfPrefix(prefix, static_cast<int>(out->objectType)));
    if (!NextField(text, length, &offset, field, kFieldMax)) return -1;
    out->classCode = static_cast<int16_t>(FindTypeCodeByText(field));
    if (!NextPlaceField(text, length, &offset, true, &out->rightAscension)) return -1;
    if (!NextPlaceField(text, length, &offset, false, &out->declination)) return -1;
    // The coordinates are taken as equinox J2000.
    out->constellation = static_cast<uint32_t>(
        FindConstellation(out->rightAscension, out->declination, JulianDayFromDateTime(2000, 1, 1, 0, 0, 0, 0)));
    float* numbers[] = {&out->magnitude, &out->size1, &out->size2};
    for (float* value : numbers) {
        if (!NextField(text, length, &offset, field, kFieldMax)) return -1;
        *value = static_cast<float>(ParseDouble(field));
    }
    if (!NextField(text, length, &offset, field, kFieldMax)) return -1;
    out->objectCode = static_cast<uint16_t>(ParseInt(field, &codeFits) & 0xFF);
    // A whole number beyond 32 bits is no number: the line is left without a place, which refuses it.
    if (!numberFits || !codeFits) out->rightAscension = out->declination = std::nanf("");
    return offset;
}

int FormatListLine(char* end, std::size_t room, const SelectionEntry* e) {
    char ra[32], dec[32], magnitude[32], typeText[16], number[16];
    std::snprintf(number, sizeof number, "%ld", static_cast<long>(e->number));
    GetTypeCodeText(typeText, e->typeCode);
    DoubleToStr(magnitude, sizeof magnitude, e->mag10 / 10.0, 1);
    const char* typeCode = e->objectType >= 0 && e->objectType < kObjectTypeCount ? objectTypeTable[e->objectType].code : "";
    const char* fields[] = {DesignationPrefix(e->designation), number, e->name, typeCode, typeText,
                            HMSToStr(ra, sizeof ra, e->rightAscension), DegToStr(dec, sizeof dec, e->declination),
                            magnitude};
    std::string line;
    for (const char* text : fields) AppendField(line, text);
    const int numbers[] = {e->size1, e->size2, static_cast<int8_t>(e->smallCode)};
    for (int value : numbers) AppendField(line, std::to_string(value).c_str());
    line += '\n';
    if (line.size() + 1 > room) return 0;
    std::memcpy(end, line.c_str(), line.size() + 1);
    return 1;
}

namespace {

// Writes a whole memo under a free name through a temporary file that then
// takes that name without replacing any file (one made meanwhile included), so
// that a failed or killed write leaves no memo behind and no memo is lost.
// False after telling the failure.
bool WriteMemoFile(const std::string& text) {
    const std::string name = FirstFreeNumberedName(kListFolder, MemoFileName(), kMostMemosOfAMinute);
    if (name.empty()) {
        ShowInformation("Can't open memo:", MemoFileName());
        return false;
    }
    const std::string temporary = MemoPath(name) + ".tmp";
    std::FILE* file = OpenKeptTemporary(temporary.c_str(), "w");
    if (!file) {
        ShowInformation("Can't open memo:", name);
        return false;
    }
    const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    if (!CommitNewKeptFile(file, temporary.c_str(), kListFolder, MemoFileName(), kMostMemosOfAMinute, written).empty())
        return true;
    ShowInformation("Error while exporting memo.", name);
    return false;
}

}  // namespace

int ExportMemo(const char* text) {
    if (currentExport.open) currentExport.text += text;
    else WriteMemoFile(text);
    return 1;
}

void BeginMemoExport() {
    currentExport = MemoExport{};
    currentExport.open = true;
}

bool EndMemoExport() {
    const bool empty = currentExport.open && currentExport.text.empty();
    if (empty) ShowInformation("Nothing to export.", "");
    const bool written = currentExport.open && !empty && WriteMemoFile(currentExport.text);
    currentExport = MemoExport{};
    return written;
}

void ExportHookEmpty() {}

int ExportListToMemo() {
    char* buffer = new (std::nothrow) char[kMemoBufferSize]();
    if (!buffer) return 1;
    // The planets, comets and asteroids at their places of the program's time as it runs (the
    // device clock's while the program follows it), which also names the file.
    const DateTime when = ProgramDateTime();
    BeginMemoExport();
    int exported = 0;
    std::size_t used = 0;
    for (int row = 0; row < selectionShownCount; ++row) {
        const SelectionEntry* entry = ShownEntryAt(row, when);
        if (!entry) break;
        if (row % 5 == 0) StepBusyIndicator(1);
        if (used > kMemoFlushBytes || kMemoBufferSize - used < kLineRoom) {
            ExportMemo(buffer);
            used = 0;
            buffer[0] = '\0';
        }
        SelectionEntry line = ListedIdentity(*entry);
        if (FormatListLine(buffer + used, kMemoBufferSize - used, &line)) ++exported;
        used += std::strlen(buffer + used);
    }
    EndBusyIndicator(0);
    ExportMemo(buffer);
    ExportHookEmpty();
    const bool written = EndMemoExport();
    delete[] buffer;
    if (!written) return 1;
    char message[64];
    std::snprintf(message, sizeof message, "%d Object%s exported.\n", exported, exported > 1 ? "s" : "");
    ShowInformation(message, "");
    return 1;
}

bool ReadMemoFile(const char* fileName, char* buffer, std::size_t size, bool* cut) {
    if (cut) *cut = false;
    if (!buffer || size == 0) return false;
    buffer[0] = '\0';
    if (!IsValidListName(fileName)) {
        ShowInformation("Invalid list name.", "");
        return false;
    }
    std::string path = MemoPath(fileName);
    std::FILE* file = pl::OpenFile(path, "rt");
    if (!file) {
        ShowInformation("Can't open file.", path);
        return false;
    }
    std::size_t n = std::fread(buffer, 1, size - 1, file);
    bool longer = n == size - 1 && std::fgetc(file) != EOF;
    std::fclose(file);
    buffer[n] = '\0';
    if (n == 0) {
        ShowInformation("Can't read file.", "");
        return false;
    }
    if (longer) {
        // Only whole lines are imported.
        char* lastEnd = std::strrchr(buffer, '\n');
        if (lastEnd) lastEnd[1] = '\0';
        if (cut) *cut = true;
        else ShowInformation("Memo file too long.", fileName);
    }
    return true;
}

namespace {

enum class MemoLine { Place, NoPlace, Cut };

// Calls visit(line, record, kind) for each line of the text in turn, up to and
// including a line cut before its eleventh field, while it returns true.
template <class Visit>
void WalkMemoLines(const char* text, Visit visit) {
    const int length = static_cast<int>(std::strlen(text));
    int offset = 0;
    while (offset < length) {
        offset += SkipLineEnds(text + offset);
        if (offset >= length) return;
        ObjectRecord rec;
        const int consumed = ParseListLine(text + offset, &rec);
        if (consumed < 0) {
            visit(text + offset, rec, MemoLine::Cut);
            return;
        }
        // A place the list loader would drop is refused, before the list
        // and the chart take it.
        const bool place = IsSkyPlace(rec.rightAscension, rec.declination);
        if (!visit(text + offset, rec, place ? MemoLine::Place : MemoLine::NoPlace)) return;
        offset += consumed;
    }
}

// Whether a line of the text gives an entry: a whole line with a place, before
// any line cut short.
bool GivesAnEntry(const char* text) {
    bool found = false;
    WalkMemoLines(text, [&](const char*, ObjectRecord&, MemoLine kind) {
        found = kind == MemoLine::Place;
        return !found;
    });
    return found;
}

// A line of a memo as read: where it begins, its record and what kind of line it is.
struct ReadLine {
    const char* text;
    ObjectRecord rec;
    MemoLine kind;
};

// Replaces the list by the entries of the lines, telling each damaged line,
// the first line cut short (which ends the reading) and the lines the list
// has no room for. The list's date and time become the current ones (a time
// of the list's own only when after the device clock, TakeListDate).
int FillListFromMemo(const char* text) {
    const DateTime& t = currentDateTime;
    TakeListDate(t.year, t.month, t.day, t.hour, t.minute);
    if (!AllocSelectionList()) return 0;
    selectionShownCount = 0;
    std::vector<ReadLine> lines;  // read once; the comet lines are given their records before any entry is made
    WalkMemoLines(text, [&lines](const char* line, ObjectRecord& rec, MemoLine kind) {
        lines.push_back({line, rec, kind});
        return true;
    });
    ImportedObjects imported;
    for (const ReadLine& line : lines)
        if (line.kind == MemoLine::Place && IsCometLine(line.rec))
            imported.comets.Add(LineName(line.text), line.rec.number);
    imported.comets.Resolve();
    int notImported = 0;
    for (ReadLine& line : lines) {
        StepBusyIndicator(1);
        if (line.kind != MemoLine::Place)
            ShowInformation("Failed to load data. Check line", LineForMessage(line.text, 255));
        else if (AddImportedLine(line.text, &line.rec, imported) == LineAdded::NoRoom)
            ++notImported;
    }
    EndBusyIndicator(0);
    if (notImported > 0) {
        char message[64];
        std::snprintf(message, sizeof message, "List full: %d lines not imported.", notImported);
        ShowInformation(message, "");
    }
    selectionCount = selectionShownCount;
    MatchListedComets();
    return selectionCount;
}

}  // namespace

int ImportMemoText(const char* text) { return GivesAnEntry(text) ? FillListFromMemo(text) : 0; }

int ImportMemoFileText(const char* fileName, const char* text, bool cut) {
    if (!GivesAnEntry(text)) {
        ShowInformation("No object found in memo:", fileName);
        return 0;
    }
    if (cut) ShowInformation("Memo file too long.", fileName);
    return FillListFromMemo(text);
}
