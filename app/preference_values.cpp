#include "app/preference_values.h"

#include "catalog/stars.h"
#include "objects/selection_list.h"

int GetSelectionListCapacity() { return GetBrightStarCount() + GetSelectedItemsCapacity() + 5; }
