#include "tools/checklists.h"

#include "core/preferences.h"

ChecklistState checklistState{};

static_assert(kChecklistLabelOffset + kChecklistLabelCount * kChecklistLabelSize <= 4 * kPrefCardCatalog,
              "the labels end before the Card Catalog word");

char* ChecklistLabel(int i) {
    return reinterpret_cast<char*>(preferences.word) + kChecklistLabelOffset + i * kChecklistLabelSize;
}

void ResetChecklistState() { checklistState = ChecklistState{}; }
