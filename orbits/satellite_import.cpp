#include "orbits/satellite_import.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "catalog/databases.h"
#include "catalog/record_writer.h"
#include "core/kept_file.h"
#include "core/services.h"
#include "orbits/two_line_elements.h"
#include "platform/files.h"

namespace {

constexpr std::size_t kField = sizeof(SatelliteRecord::nameLine);  // 71
constexpr std::size_t kShortestElementLine = 69;
constexpr int kMostRecords = 65535;
constexpr char kDatabaseName[] = "zendavori_satellites.ppc";
constexpr char kImportFailed[] = "Error while importing satellites.";

struct Line {
    const char* text;
    std::size_t length;
};

// The lines of the text, line ends and a CR before them dropped.
std::vector<Line> SplitLines(const char* text, std::size_t size) {
    std::vector<Line> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= size; ++i) {
        if (i < size && text[i] != '\n') continue;
        std::size_t end = i;
        if (end > start && text[end - 1] == '\r') --end;
        if (i < size || end > start) lines.push_back({text + start, end - start});
        start = i + 1;
    }
    return lines;
}

bool IsPrintable(unsigned char c) { return c >= 0x20 && c != 0x7F; }

bool IsBlankLine(const Line& line) {
    for (std::size_t i = 0; i < line.length; ++i)
        if (line.text[i] != ' ' && line.text[i] != '\t') return false;
    return true;
}

bool BeginsElementLine(const Line& line, int lineNumber) {
    return line.length >= 2 && line.text[0] == '0' + lineNumber && line.text[1] == ' ';
}

bool IsNameLine(const Line& line) {
    if (line.length == 0 || line.length > kField) return false;
    for (std::size_t i = 0; i < line.length; ++i)
        if (!IsPrintable(static_cast<unsigned char>(line.text[i]))) return false;
    return !IsElementLine(line.text, line.length, 1) && !IsElementLine(line.text, line.length, 2);
}

void PutField(char* field, const Line& line) {
    std::memset(field, 0, kField);
    std::memcpy(field, line.text, line.length);
}

// The name line without its trailing blanks.
std::string NameOf(const SatelliteRecord& record) {
    std::size_t n = strnlen(record.nameLine, kField);
    while (n > 0 && record.nameLine[n - 1] == ' ') --n;
    return std::string(record.nameLine, n);
}

// The records of the open database; false when one cannot be read.
bool ReadDatabase(std::vector<SatelliteRecord>* records) {
    const int count = GetRecDbCount(satelliteDb);
    for (int i = 0; i < count; ++i) {
        const uint8_t* bytes = FetchRecord(satelliteDb, i, sizeof(SatelliteRecord));
        if (!bytes) return false;
        SatelliteRecord record;
        std::memcpy(&record, bytes, sizeof record);
        records->push_back(record);
    }
    return true;
}

record_writer::Bytes DatabaseBytes(const std::vector<SatelliteRecord>& records, uint32_t version) {
    std::vector<record_writer::Bytes> encoded;
    encoded.reserve(records.size());
    for (const SatelliteRecord& r : records) {
        const auto* bytes = reinterpret_cast<const uint8_t*>(&r);
        encoded.emplace_back(bytes, bytes + sizeof r);
    }
    return record_writer::RecordDbBytes(version, sizeof(SatelliteRecord), encoded);
}

// Writes the file through a temporary one that then takes its name; the
// database is closed before the rename (its caller opens it again).
bool WriteDatabaseFile(const record_writer::Bytes& bytes) {
    const std::string path = std::string(kDataFolder) + kDatabaseName;
    const std::string temporary = path + ".tmp";
    pl::MakeDirectory("data");
    std::FILE* file = OpenKeptTemporary(temporary.c_str(), "wb");
    if (!file) return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    if (written) CloseRecordDb(&satelliteDb);
    return CommitKeptFile(file, temporary.c_str(), path.c_str(), written);
}

}  // namespace

bool IsElementLine(const char* line, std::size_t length, int lineNumber) {
    if (length < kShortestElementLine || length > kField) return false;
    if (line[0] != '0' + lineNumber || line[1] != ' ') return false;
    int sum = 0;
    for (std::size_t i = 0; i < length; ++i) {
        const unsigned char c = static_cast<unsigned char>(line[i]);
        if (c < 0x20 || c > 0x7E) return false;
        if (i >= kShortestElementLine - 1) continue;
        if (c >= '0' && c <= '9') sum += c - '0';
        else if (c == '-') sum += 1;
    }
    const char check = line[kShortestElementLine - 1];
    return check >= '0' && check <= '9' && sum % 10 == check - '0' && ElementFieldsRead(line, lineNumber);
}

ElementSetText ReadElementSetText(const char* text, std::size_t size) {
    ElementSetText result;
    const std::vector<Line> lines = text ? SplitLines(text, size) : std::vector<Line>{};
    for (std::size_t i = 0; i < lines.size();) {
        if (IsBlankLine(lines[i])) {
            ++i;
            continue;
        }
        const bool shaped = i + 2 < lines.size() && IsNameLine(lines[i]) && BeginsElementLine(lines[i + 1], 1) &&
                            BeginsElementLine(lines[i + 2], 2);
        if (shaped && IsElementLine(lines[i + 1].text, lines[i + 1].length, 1) &&
            IsElementLine(lines[i + 2].text, lines[i + 2].length, 2)) {
            SatelliteRecord record;
            PutField(record.nameLine, lines[i]);
            PutField(record.line1, lines[i + 1]);
            PutField(record.line2, lines[i + 2]);
            SatelliteElements elements{};
            if (InitSatelliteElements(&record, &elements)) result.records.push_back(record);
            else ++result.skipped;
        } else {
            ++result.skipped;
        }
        i += shaped ? 3 : 1;
    }
    return result;
}

int MergeSatelliteRecords(const std::vector<SatelliteRecord>& records, int* leftOut) {
    *leftOut = 0;
    std::vector<SatelliteRecord> merged;
    const uint32_t version = satelliteDb ? satelliteDb->version : 1;
    if (IsDataFileUnreadable(satelliteDb, kDatabaseName, sizeof(SatelliteRecord)) || !ReadDatabase(&merged)) {
        ShowInformation(kImportFailed, UnreadableDataFile(kDatabaseName));
        return -1;
    }
    int placed = 0;
    bool changed = false;
    for (const SatelliteRecord& record : records) {
        const std::string name = NameOf(record);
        auto old =
            std::find_if(merged.begin(), merged.end(), [&](const SatelliteRecord& r) { return NameOf(r) == name; });
        if (old != merged.end()) {
            changed = changed || std::memcmp(&*old, &record, sizeof record) != 0;
            *old = record;
        } else if (merged.size() >= kMostRecords) {
            ++*leftOut;
            continue;
        } else {
            merged.push_back(record);
            changed = true;
        }
        ++placed;
    }
    if (!changed) return placed;
    const bool written = WriteDatabaseFile(DatabaseBytes(merged, version));
    CloseRecordDb(&satelliteDb);
    OpenRecordDb(&satelliteDb, "pl12", kCreatorCode, kDataFolder, kDatabaseName);
    if (!written) {
        ShowInformation(kImportFailed, kDatabaseName);
        return -1;
    }
    return placed;
}

int ImportSatelliteText(const char* text, std::size_t size) {
    const ElementSetText read = ReadElementSetText(text, size);
    int leftOut = 0;
    const int imported = read.records.empty() ? 0 : MergeSatelliteRecords(read.records, &leftOut);
    if (imported < 0) return 0;
    char message[64], line[96];
    std::string detail;
    std::snprintf(message, sizeof message, "%d Satellite record%s imported.", imported, imported > 1 ? "s" : "");
    if (read.skipped > 0) {
        std::snprintf(line, sizeof line, "%d skipped.", read.skipped);
        detail = line;
    }
    if (leftOut > 0) {
        std::snprintf(line, sizeof line, "%d left out: the satellite file is full (%d sets).", leftOut, kMostRecords);
        if (!detail.empty()) detail += '\n';
        detail += line;
    }
    ShowInformation(message, detail);
    return imported;
}
