#include "orbits/satellite_export.h"

#include <cstdio>
#include <cstring>

#include "catalog/memo.h"
#include "core/services.h"

namespace {

// A memo is written before the next record once the last record appended
// began past this many characters.
constexpr std::size_t kMemoFlushStart = 3596;

void AppendField(std::string& text, const char* field) {
    char line[kSatelliteLineSize];
    GetSatelliteLine(field, line);
    text += line;
    text += '\n';
}

}  // namespace

int AppendSatelliteRecordLines(std::string& text, const SatelliteRecord& record) {
    AppendField(text, record.nameLine);
    AppendField(text, record.line1);
    AppendField(text, record.line2);
    return 1;
}

int ExportSatelliteRecords(SatelliteMemoWriter writeMemo) {
    std::string text;
    std::size_t lastStart = 0;
    int exported = 0;
    const int count = GetSatelliteCount();
    for (int index = 0; index < count; ++index) {
        if (index % 5 == 0) StepBusyIndicator(1);
        SatelliteRecord record;
        if (!GetSatelliteRecord(index, &record)) break;
        if (lastStart > kMemoFlushStart) {
            writeMemo(text.c_str());
            text.clear();
        }
        lastStart = text.size();
        AppendSatelliteRecordLines(text, record);
        ++exported;
    }
    EndBusyIndicator(0);
    writeMemo(text.c_str());
    return exported;
}

int ExportSatellites() {
    BeginMemoExport();
    const int exported = ExportSatelliteRecords(ExportMemo);
    if (!EndMemoExport()) return 1;
    char message[64];
    std::snprintf(message, sizeof message, "%d Satellite record%s exported.\n", exported, exported > 1 ? "s" : "");
    ShowInformation(message, "");
    return 1;
}
