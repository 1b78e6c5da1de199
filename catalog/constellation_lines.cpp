#include "catalog/constellation_lines.h"

#include <algorithm>
#include <memory>
#include <new>
#include <string>
#include <vector>

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

// The lines of `figureSet` in the open file, in file order.
std::vector<ConstellationLine> ReadLines(RecordDbHandle* db, int figureSet) {
    std::vector<ConstellationLine> found;
    bool damaged = false;
    int records = GetRecDbCount(db);
    for (int i = 0; i < records; ++i) {
        uint8_t r[8];
        if (!ReadRecord(db, i, r, sizeof r)) break;
        ConstellationLineRecord line{LoadI16(r, 0), LoadI16(r, 2), LoadI16(r, 4), LoadI16(r, 6)};
        if (line.figureSet != figureSet) continue;
        if (!IsStar(line.firstStar) || !IsStar(line.secondStar)) {
            damaged = true;
            continue;
        }
        found.push_back({line.a, line.firstStar, line.secondStar});
    }
    if (damaged) ShowInformation(std::string(kFileName) + " is damaged", "");
    return found;
}

}  // namespace

// The table holds the set's usual number of lines, or more when the file's
// figure set has more: a figure set is never cut short.
bool LoadConstellationData(int figureSet) {
    if (figureSet == loadedSet) return true;
    if (figureSet != 0 && figureSet != 1) return false;
    loadedSet = figureSet;
    FreeConstellationData();
    RecordDbHandle* db = nullptr;
    if (!OpenRecordDb(&db, "pl64", kCreatorCode, kDataFolder, kFileName)) {
        ShowInformation("Could not find zendavori_constellation.ppc", "Please verify your configuration.");
        return false;
    }
    std::vector<ConstellationLine> found = ReadLines(db, figureSet);
    CloseRecordDb(&db);
    int size = std::max(kLinesOfSet[figureSet], static_cast<int>(found.size()));
    lines.reset(new (std::nothrow) ConstellationLine[size]());
    if (!lines) {
        ShowInformation("Can't allocate constellation buffer", "");
        return false;
    }
    lineCount = size;
    std::copy(found.begin(), found.end(), lines.get());
    return static_cast<int>(found.size()) == size;
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
