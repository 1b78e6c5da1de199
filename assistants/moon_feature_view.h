// The Moon assistant's two lunar-feature views, drawn on the form in the
// current draw window: the Features view (one feature chosen by type and
// name, its data, two pictures centred on it and the Sun's rise and set over
// it) and the Terminator view (the features just inside the lit side of the
// terminator, with the selected one's data and picture); and the rows of the
// feature popup and of the terminator list.
#pragma once

#include <cstdint>

#include "assistants/moon_assistant.h"
#include "core/moon_records.h"
#include "ui/xywh_rect.h"

// The Features view for the feature of popup row state.featureRow in the
// current type range (catalog/moon_features.h); "Can't find data" and nothing
// else when that row has no index entry or its record cannot be read.
void DrawMoonFeaturesView(const MoonAssistantState& state);

// The Terminator view: the list is built again when state.terminatorRow is
// negative (it becomes 0) or has not been built since the form opened; the
// selected record's number becomes state.featureRow. An empty list selects no
// row and leaves the detail pane empty.
void DrawMoonTerminatorView(MoonAssistantState& state);

// The terminator list is to be built again at its next view (form closed).
void ForgetTerminatorList();

// The rendered Moon picture of the feature views is forgotten; the next view
// renders it again (moonMapBitmap is freed by its owner).
void ForgetMoonPicture();

// Owner-drawn rows: the type code and the name of popup row `row` of the type
// range, and of terminator list row `row`.
void DrawFeaturePopupRow(int16_t row, const XywhRect& rect, int selected, int itemWidth);
void DrawTerminatorRow(int16_t row, const XywhRect& rect, int selected, int itemWidth);

// The record of the feature the picture button stands for in a view (4 or 5);
// false when there is none.
bool GetShownMoonFeature(const MoonAssistantState& state, MoonFeatureRecord* record);
