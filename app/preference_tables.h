// The rows of the preference pages' popups and the words they set.
#pragma once

#include <span>

#include "ui/number_field.h"

// A popup of a page: trigger and list ids, the preference word, the rows as
// shown (row 0 first) and the rows visible when it drops (0: all).
struct PreferencePopup {
    int trigger;
    int list;
    int word;
    std::span<const char* const> rows;
    int visibleRows = 0;
};

// An information button with its help text and detail.
struct PreferenceHelp {
    int button;
    const char* text;
    const char* detail;
};

// The popups of page n (1..6) whose rows are fixed texts.
std::span<const PreferencePopup> PreferencePopups(int page);
// The popup of a list id on page n, or null.
const PreferencePopup* FindPreferencePopup(int page, int listId);

// The number fields of every page with their text input and accepted range.
std::span<const NumberField> PreferenceFields();
const NumberField* FindPreferenceField(int id);

std::span<const PreferenceHelp> PreferenceHelps();
const PreferenceHelp* FindPreferenceHelp(int button);

// Page 5: check box id and word.
struct PreferenceCheck {
    int id;
    int word;
};
std::span<const PreferenceCheck> PreferenceChecks();

// Page 4: the view popups (trigger 1662 + 2k, list 1663 + 2k, word 140 + k).
constexpr int kViewTriggerFirst = 1662;
constexpr int kViewListFirst = 1663;
constexpr int kViewWordFirst = 140;
constexpr int kZoomStepCount = 10;
