#include "objects/current_object.h"

#include "catalog/designations.h"
#include "catalog/selection_entry.h"
#include "objects/selected_object.h"

ObjectRecord currentObject{};
CurrentObjectBlock currentObjectBlock;

namespace {

struct SourceTab {
    int source;
    int tab;
};

constexpr SourceTab kTabs[] = {
    {kSourcePlanet, 7}, {kSourceMessier, 5}, {kSourceCaldwell, 1},      {kSourceHerschel, 4},    {kSourceBestNgc, 8},
    {kSourceComet, 2},  {kSourceConstellation, 3}, {kSourceMeteorShower, 6}, {kSourceUser, 9},
};

}  // namespace

void SetCurrentObject(const ObjectRecord* rec, int sourceCode) {
    if (!rec) return;
    ClearSelectedObject();
    currentObject = *rec;
    CurrentObjectBlock& b = currentObjectBlock;
    b.index = b.pendingIndex = rec->number;
    b.valid = 1;
    for (const SourceTab& t : kTabs)
        if (t.source == sourceCode) {
            b.tab = t.tab;
            return;
        }
    if (sourceCode != kSourceStar) {
        b.tab = sourceCode;
    } else if (static_cast<int16_t>(rec->designationId) == kDesignationBrightStar) {
        b.tab = 0;
        b.index = b.pendingIndex = rec->number - 1;
    } else {
        SetSelectedObject(rec, rec->number);
    }
}
