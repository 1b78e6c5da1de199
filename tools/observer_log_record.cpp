#include "tools/observer_log_record.h"

#include <cstdio>
#include <cstring>
#include <utility>

#include "catalog/designations.h"
#include "catalog/record_db.h"
#include "core/angle_text.h"
#include "core/constellation.h"
#include "core/date_text.h"
#include "core/text_numbers.h"

namespace {

// Offsets of the fields in the file.
constexpr std::size_t kMagicAt = 0, kListIndexAt = 4, kNameAt = 8, kYearAt = 28, kMonthAt = 32, kDayAt = 36,
                      kHourAt = 40, kMinuteAt = 44, kRaAt = 48, kDecAt = 52, kMoonAt = 56, kSunAt = 60,
                      kVisualAt = 64, kTypeAt = 68, kMagnitudeAt = 72, kTransparencyAt = 80, kSeeingAt = 84,
                      kScopeAt = 88, kLocationAt = 108, kFilterAt = 138, kCommentsAt = 153, kEyepieceAt = 444,
                      kDifficultyAt = 448, kBrightnessAt = 452;

constexpr double kExportEquinox = 2451544.5;  // 2000 January 1, 0 h

void StoreI32(uint8_t* bytes, std::size_t offset, int32_t value) {
    StoreU32(bytes, offset, static_cast<uint32_t>(value));
}

void StoreText(uint8_t* bytes, std::size_t offset, std::size_t width, const char* text) {
    std::memcpy(bytes + offset, text, strnlen(text, width));
}

// The text as one export field: ';' and line breaks taken out, " " for none.
void AppendField(std::string* out, const char* text) {
    std::size_t start = out->size();
    for (const char* c = text; *c; ++c) {
        if (*c == ';') *out += ',';
        else if (*c == '\r' && c[1] == '\n') continue;  // CR LF is one break
        else if (*c == '\r' || *c == '\n') *out += ' ';
        else *out += *c;
    }
    if (out->size() == start) *out += ' ';
    *out += ';';
}

void AppendDecimal(std::string* out, double value) {
    char text[48];
    DoubleToStr(text, sizeof text, value, 1);
    AppendField(out, text);
}

void AppendFormatted(std::string* out, const char* format, int value) {
    char text[24];
    std::snprintf(text, sizeof text, format, value);
    AppendField(out, text);
}

// Place, type, magnitude and constellation; all empty for no object.
void AppendObjectFields(std::string* out, const ObserverLogRecord& r) {
    if (r.objectType == kLogNoObjectType) {
        for (int field = 0; field < 5; ++field) AppendField(out, "");
        return;
    }
    char text[64];
    AppendField(out, HMSToStr(text, sizeof text, r.rightAscension));
    AppendField(out, DegToStr(text, sizeof text, r.declination));
    AppendField(out, ObjectTypeName(r.objectType));
    AppendDecimal(out, r.objectMagnitude);
    AppendField(out, ConstellationName(FindConstellation(r.rightAscension, r.declination, kExportEquinox)));
}

}  // namespace

std::vector<uint8_t> EncodeObserverLogRecord(const ObserverLogRecord& r) {
    std::vector<uint8_t> b(kObserverLogRecordSize, 0);
    StoreU32(b.data(), kMagicAt, r.magic);
    const std::pair<std::size_t, int32_t> words[] = {
        {kListIndexAt, r.listIndex},         {kYearAt, r.year},           {kMonthAt, r.month},
        {kDayAt, r.day},                     {kHourAt, r.hour},           {kMinuteAt, r.minute},
        {kMoonAt, r.moonPercent},            {kSunAt, r.sunAltitude},     {kVisualAt, r.visualLimit10},
        {kTypeAt, r.objectType},             {kMagnitudeAt, r.objectMagnitude},
        {kTransparencyAt, r.transparency},   {kSeeingAt, r.seeing},       {kEyepieceAt, r.eyepiece},
        {kDifficultyAt, r.difficulty},       {kBrightnessAt, r.brightness}};
    for (const auto& [offset, value] : words) StoreI32(b.data(), offset, value);
    StoreF32(b.data(), kRaAt, r.rightAscension);
    StoreF32(b.data(), kDecAt, r.declination);
    StoreText(b.data(), kNameAt, kLogNameWidth, r.name);
    StoreText(b.data(), kScopeAt, kLogScopeWidth, r.scope);
    StoreText(b.data(), kLocationAt, kLogLocationWidth, r.location);
    StoreText(b.data(), kFilterAt, kLogFilterWidth, r.filter);
    StoreText(b.data(), kCommentsAt, kLogCommentsWidth, r.comments);
    return b;
}

bool DecodeObserverLogRecord(const uint8_t* b, std::size_t size, ObserverLogRecord* r) {
    if (size < static_cast<std::size_t>(kObserverLogRecordSize)) return false;
    r->magic = LoadU32(b, kMagicAt);
    const std::pair<std::size_t, int32_t*> words[] = {
        {kListIndexAt, &r->listIndex},       {kYearAt, &r->year},         {kMonthAt, &r->month},
        {kDayAt, &r->day},                   {kHourAt, &r->hour},         {kMinuteAt, &r->minute},
        {kMoonAt, &r->moonPercent},          {kSunAt, &r->sunAltitude},   {kVisualAt, &r->visualLimit10},
        {kTypeAt, &r->objectType},           {kMagnitudeAt, &r->objectMagnitude},
        {kTransparencyAt, &r->transparency}, {kSeeingAt, &r->seeing},     {kEyepieceAt, &r->eyepiece},
        {kDifficultyAt, &r->difficulty},     {kBrightnessAt, &r->brightness}};
    for (const auto& [offset, field] : words) *field = LoadI32(b, offset);
    r->rightAscension = LoadF32(b, kRaAt);
    r->declination = LoadF32(b, kDecAt);
    LoadText(b, kNameAt, kLogNameWidth, r->name, sizeof r->name);
    LoadText(b, kScopeAt, kLogScopeWidth, r->scope, sizeof r->scope);
    LoadText(b, kLocationAt, kLogLocationWidth, r->location, sizeof r->location);
    LoadText(b, kFilterAt, kLogFilterWidth, r->filter, sizeof r->filter);
    LoadText(b, kCommentsAt, kLogCommentsWidth, r->comments, sizeof r->comments);
    return true;
}

void SetLogText(char* field, const char* text, int characters) {
    std::size_t n = strnlen(text, static_cast<std::size_t>(characters));
    std::memcpy(field, text, n);
    field[n] = '\0';
}

std::string ObserverLogFileName(const char* name) {
    std::string file;
    bool dotsOnly = true;
    for (const char* c = name; *c; ++c) {
        unsigned char u = static_cast<unsigned char>(*c);
        bool unsafe = u < 0x20 || u == 0x7F || std::strchr("/\\:*?\"<>|", *c);
        file += unsafe ? '_' : *c;
        if (*c != '.') dotsOnly = false;
    }
    if (dotsOnly) file.assign(1, '_');
    file.append(".log");
    return file;
}

std::string ObserverLogExportHeader(int chunk) {
    char text[200];
    std::snprintf(text, sizeof text,
                  "Zendavori Observer log %d\nDate;Time;Object;RA;Dec;Type;Obj Mag;Const;Moon;Sun;Vis. Mag;"
                  "Transparency;Seeing;Scope;Location;Filter;Log\n",
                  chunk);
    return text;
}

void FormatObserverLogLine(std::string* out, const ObserverLogRecord& r) {
    char text[64];
    FormatDate(text, sizeof text, r.day, r.month, r.year);
    AppendField(out, text);
    std::snprintf(text, sizeof text, "%02d:%02d", r.hour, r.minute);
    AppendField(out, text);
    AppendField(out, r.name);
    AppendObjectFields(out, r);
    AppendFormatted(out, "%d%%", r.moonPercent);
    AppendFormatted(out, "%d\xB0", r.sunAltitude);
    AppendDecimal(out, r.visualLimit10 * 0.1);
    AppendFormatted(out, "%d", r.transparency);
    AppendFormatted(out, "%d", r.seeing);
    AppendField(out, r.scope);
    AppendField(out, r.location);
    AppendField(out, r.filter);
    AppendField(out, r.comments);
    out->back() = '\n';
}
