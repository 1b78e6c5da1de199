// The observer log form (2600): in browse mode the list of stored entries
// with Back, New, Edit, Delete and Memo (the text export); in new and edit
// mode the entry's fields, pre-filled for a new entry, with the Moon's phase
// and per cent and the Sun's altitude drawn beside them, and Cancel and Save.
// The computation and the files are in tools/observer_log.h.
#pragma once

#include "platform/types.h"

// Controls of the form.
constexpr int kLogTitle = 8030;
constexpr int kLogHelp = 2601;
constexpr int kLogBack = 2602;
constexpr int kLogNew = 2606;
constexpr int kLogEdit = 2605;
constexpr int kLogDelete = 2607;
constexpr int kLogMemo = 2642;
constexpr int kLogDateField = 2609;
constexpr int kLogTimeField = 2610;
constexpr int kLogNow = 2611;
constexpr int kLogLocationField = 2615;
constexpr int kLogTransparencyTrigger = 2617;
constexpr int kLogTransparencyList = 2618;
constexpr int kLogSeeingTrigger = 2619;
constexpr int kLogSeeingList = 2620;
constexpr int kLogVisualLimitField = 2621;
constexpr int kLogFilterField = 2628;
constexpr int kLogScopeField = 2624;
constexpr int kLogEyepieceTrigger = 2625;
constexpr int kLogEyepieceList = 2627;
constexpr int kLogObjectField = 2612;
constexpr int kLogFinder = 2614;
constexpr int kLogPicture = 2613;
constexpr int kLogDifficultyTrigger = 2622;
constexpr int kLogDifficultyList = 2623;
constexpr int kLogBrightnessTrigger = 2629;
constexpr int kLogBrightnessList = 2630;
constexpr int kLogCommentsField = 2616;
constexpr int kLogCancel = 2639;
constexpr int kLogSave = 2640;

// Shows the controls of the current mode and fills them: browse lists the
// entries; new and edit fill the entry (FillObserverLogEntry). Another mode
// shows "ObsLog Unknown action".
void LayoutObserverLogForm();

// Fills the entry's fields for new or edit mode: the working date and time
// (the edited entry's in edit mode), the sky values recomputed (an edited
// entry not re-dated keeps its saved ones: ComputeObserverLogSky), a new entry's
// record rebuilt (tools/observer_log.h), every field from the edit record, and
// the Moon's phase picture and per cent and the Sun's icon and altitude drawn.
// This is the entry's first layout (New, Edit, the form opened); a date or
// time taken from the date form or "now", and the picture shown, keep every
// field as it stands on the form and redraw only the date, the time and what
// follows from them (RetakeObserverLogSkyAndPlace). The form made anew for an
// entry in progress (back from the finder opened from it, a change of screen)
// shows it as it stood, its date and time kept; a new entry back from the
// finder takes the finder's target (TakeObserverLogFinderTarget).
void FillObserverLogEntry();

// Reads the form's fields into the edit record and writes it; `listIndex` is
// the listing position of the edited entry, -1 for a new one. A name other
// than the one the object values were taken for takes its own object's values
// (TakeObserverLogObjectOfName). The typed
// transparency, seeing, eyepiece, filter and visual limit are remembered for
// the next new entry. False when the visual limit is refused or the file
// cannot be written (each told once); the form keeps what was typed.
bool SaveObserverLog(int listIndex);

// Loads the entry of the selected list row (tools/observer_log.h).
bool LoadObserverLog();

// Deletes the entry of the selected list row, without a question.
void DeleteObserverLog();

pl::LResult ObserverLogFormProc(pl::Hwnd form, uint32_t message, pl::WParam wParam, pl::LParam lParam);
