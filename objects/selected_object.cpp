#include "objects/selected_object.h"

#include <cstdio>

#include "catalog/designations.h"
#include "catalog/selection_entry.h"
#include "catalog/selection_list.h"
#include "core/program_hooks.h"
#include "objects/selection_add.h"

SelectedObjectRecord selectedObject{};

namespace {

struct KindRow {
    int designation;
    int finderCatalog;
    int source;
};

constexpr KindRow kKinds[] = {
    {kDesignationBrightStar, 0, kSourceStar},   {kDesignationCaldwell, 1, kSourceCaldwell},
    {kDesignationComet, 2, kSourceComet},       {kDesignationConstellation, 3, kSourceConstellation},
    {kDesignationHerschel, 4, kSourceHerschel}, {kDesignationMessier, 5, kSourceMessier},
    {kDesignationMeteor, 6, kSourceMeteorShower},               {kDesignationPlanet, 7, kSourcePlanet},
    {kDesignationBestNgc, 8, kSourceBestNgc},   {kDesignationUser, 9, kSourceUser},
};

void SetTarget(const ObjectRecord& record, int index) {
    selectedObject.record = record;
    selectedObject.index = index;
    selectedObject.catalog = ObjectKindToFinderCatalog(&record);
    selectedObject.isSet = 1;
}

const KindRow* FindKind(const ObjectRecord* rec) {
    if (!rec) return nullptr;
    int designation = static_cast<int16_t>(rec->designationId);
    for (const KindRow& k : kKinds)
        if (k.designation == designation) return &k;
    return nullptr;
}

}  // namespace

int ObjectKindToFinderCatalog(const ObjectRecord* rec) {
    const KindRow* k = FindKind(rec);
    return k ? k->finderCatalog : 10;
}

int ObjectKindToCatalogCode(const ObjectRecord* rec) {
    const KindRow* k = FindKind(rec);
    return k ? k->source : kSourceNone;
}

void ClearSelectedObject() {
    selectedObject.isSet = 0;
    selectedObject.found = 0;
    selectedObject.entryDigits[0] = '\0';
    selectedObject.name[0] = '\0';
}

void SetSelectedObject(const ObjectRecord* rec, int index) {
    if (!rec) return;
    selectedObject.record = *rec;
    bool user = static_cast<int16_t>(rec->designationId) == kDesignationUser;
    if (user || rec->name[0] != '\0')
        std::snprintf(selectedObject.name, sizeof selectedObject.name, "%.*s", static_cast<int>(sizeof rec->name),
                      rec->name);
    selectedObject.catalog = 10;
    selectedObject.index = index;
    selectedObject.isSet = 1;
}

int GetSelectedObject(ObjectRecord* out, int* outIndex) {
    if (!out) return -1;
    *out = selectedObject.record;
    if (outIndex) *outIndex = selectedObject.index;
    return selectedObject.catalog;
}

int GetSelectedObjectName(char* dst) {
    if (dst) std::snprintf(dst, sizeof selectedObject.name, "%s", selectedObject.name);
    return 1;
}

int GetSelectedObjectCatalog() { return selectedObject.catalog; }

uint8_t IsObjectSelected() { return selectedObject.isSet; }

int AddTargetToSelection() {
    // Adding resets the criteria, which clears the target: work on a copy.
    const ObjectRecord target = selectedObject.record;
    if (SelectionHasNoRoomFor(&target)) return 0;
    AddObjectToSelection(&target, -1);
    SetCurrentSelectionEntry(FindSelectionEntry(selectionList, &target));
    return 1;
}

void InstallSelectedObjectHook() { InstallFoundObjectHook(SetTarget); }
