#include "objects/selected_object.h"

#include <cstring>

#include "catalog/designations.h"
#include "objects/selection_entry.h"

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

void SetObjectRecordName(ObjectRecord* rec, const char* source) {
    std::memset(rec->name, 0, sizeof rec->name);
    if (source) std::strncpy(rec->name, source, sizeof rec->name - 1);
}

void ClearSelectedObject() {
    selectedObject = SelectedObjectRecord{};
    selectedObject.index = -1;
}
