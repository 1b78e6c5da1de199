#include "catalog/constellation_lines.h"

#include <memory>
#include <new>
#include <string>

#include "catalog/databases.h"
#include "catalog/stars.h"
#include "core/services.h"

namespace {

constexpr int kLinesOfSet[2] = {647, 867};
constexpr char kFileName[] = "zendavori_constellation.ppc";

std::unique_ptr<ConstellationLine[]> lines;
int lineCount = 0;
int loadedSet = -1;

bool IsStar(int index) { return index >= 0 && index < kBrightStarCount; }

// Appends the lines of `figureSet` from the open file to the table; true when the
// table was filled.
bool ReadLines(RecordDbHandle* db, int figureSet) {
    int filled = 0;
    bool damaged = false;
    int records = GetRecDbCount(db);
    for (int i = 0; i < records && filled < lineCount; ++i) {
        uint8_t r[8];
        if (!ReadRecord(db, i, r, sizeof r)) break;
        ConstellationLineRecord line{LoadI16(r, 0), LoadI16(r, 2), LoadI16(r, 4), LoadI16(r, 6)};
        if (line.figureSet != figureSet) continue;
        if (!IsStar(line.firstStar) || !IsStar(line.secondStar)) {
            damaged = true;
            continue;
        }
        lines[filled++] = {line.a, line.firstStar, line.secondStar};
    }
    if (damaged) ShowInformation(std::string(kFileName) + " is damaged", "");
    return filled == lineCount;
}

}  // namespace

bool LoadConstellationData(int figureSet) {
    if (figureSet == loadedSet) return true;
    if (figureSet != 0 && figureSet != 1) return false;
    loadedSet = figureSet;
    FreeConstellationData();
    int size = kLinesOfSet[figureSet];
    lines.reset(new (std::nothrow) ConstellationLine[size]());
    if (!lines) {
        ShowInformation("Can't allocate constellation buffer", "");
        return false;
    }
    lineCount = size;
    RecordDbHandle* db = nullptr;
    if (!OpenRecordDb(&db, "pl64", kCreatorCode, kDataFolder, kFileName)) {
        ShowInformation("Could not find zendavori_constellation.ppc", "Please verify your configuration.");
        lineCount = 0;
        return false;
    }
    bool full = ReadLines(db, figureSet);
    CloseRecordDb(&db);
    return full;
}

void FreeConstellationData() {
    lines.reset();
    lineCount = 0;
}

const ConstellationLine* GetConstellationLines(int* count) {
    *count = lines ? lineCount : 0;
    return *count > 0 ? lines.get() : nullptr;
}

void ResetConstellationData() {
    FreeConstellationData();
    loadedSet = -1;
}
