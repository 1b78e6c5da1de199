#include "support/observer_log_records_entry.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "core/julian_day.h"
#include "core/preferences.h"
#include "support/fuzz_folder.h"
#include "support/recording_services.h"
#include "tools/observer_log.h"

namespace {

bool TextsInside(const ObserverLogRecord& r) {
    return std::strlen(r.name) <= kLogNameWidth && std::strlen(r.scope) <= kLogScopeWidth &&
           std::strlen(r.location) <= kLogLocationWidth && std::strlen(r.filter) <= kLogFilterWidth &&
           std::strlen(r.comments) <= kLogCommentsWidth;
}

bool OneLineOfFields(const std::string& line) {
    if (line.empty() || line.back() != '\n' || std::count(line.begin(), line.end(), '\n') != 1 ||
        std::count(line.begin(), line.end(), ';') != 16)
        return false;
    return line.front() != ';' && line.find(";;") == std::string::npos && line.find(";\n") == std::string::npos;
}

bool IsDate(const DateTime& t) {
    return t.month >= 1 && t.month <= 12 && t.day >= 1 && t.day <= GetDaysInMonth(t.month, t.year) && t.hour >= 0 &&
           t.hour <= 23 && t.minute >= 0 && t.minute <= 59 && t.year >= 0;
}

std::vector<uint8_t> FileBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

// The record saved as a new entry, then again with other comments: two files
// listed, the first as it was written, each reading back as saved.
bool KeptBesideItself(ObserverLogRecord r) {
    FuzzFolder folder;
    RecordingServices services;
    std::filesystem::remove_all(folder.path() / "userlogs");
    ObserverLogRecord second = r;
    SetLogText(second.comments, "second", kLogCommentsWidth - 1);
    if (!WriteObserverLogEntry(&r, nullptr)) return false;
    ListObserverLogs();
    if (observerLogState.names.Count() != 1) return false;
    const std::filesystem::path first = folder.path() / "userlogs" / observerLogState.names[0].data();
    const std::vector<uint8_t> written = FileBytes(first);
    if (!WriteObserverLogEntry(&second, nullptr)) return false;
    ListObserverLogs();
    if (observerLogState.names.Count() != 2 || FileBytes(first) != written ||
        written != EncodeObserverLogRecord(r))
        return false;
    const std::vector<uint8_t> saved[] = {EncodeObserverLogRecord(r), EncodeObserverLogRecord(second)};
    int matched = 0;
    for (int i = 0; i < 2; ++i) {
        const std::vector<uint8_t> bytes = FileBytes(folder.path() / "userlogs" / observerLogState.names[i].data());
        matched += bytes == saved[0] || bytes == saved[1];
    }
    return matched == 2;
}

}  // namespace

int RunObserverLogRecord(const uint8_t* data, std::size_t size) {
    ObserverLogRecord r;
    const bool read = DecodeObserverLogRecord(data, size, &r);
    if (read != (size >= static_cast<std::size_t>(kObserverLogRecordSize))) return 1;
    if (!read) return 0;
    if (!TextsInside(r)) return 2;
    const std::vector<uint8_t> written = EncodeObserverLogRecord(r);
    ObserverLogRecord again;
    if (!DecodeObserverLogRecord(written.data(), written.size(), &again) ||
        EncodeObserverLogRecord(again) != written)
        return 3;
    const uint8_t formats = size > static_cast<std::size_t>(kObserverLogRecordSize) ? data[kObserverLogRecordSize] : 0;
    const int32_t kept[] = {preferences.word[kPrefRaFormat], preferences.word[kPrefDecFormat]};
    preferences.word[kPrefRaFormat] = formats & 3;
    preferences.word[kPrefDecFormat] = (formats >> 2) & 3;
    std::string line;
    FormatObserverLogLine(&line, r);
    preferences.word[kPrefRaFormat] = kept[0];
    preferences.word[kPrefDecFormat] = kept[1];
    if (!OneLineOfFields(line)) return 4;
    const DateTime before = observerLogState.working = DateTime{2006, 3, 14, 23, 47, 0};
    const bool taken = TakeObserverLogRecordDate(r);
    const DateTime& t = observerLogState.working;
    if (taken ? !IsDate(t) : std::memcmp(&t, &before, sizeof t) != 0) return 5;
    return KeptBesideItself(r) ? 0 : 6;
}
