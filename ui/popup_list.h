// Popup triggers: a control that shows the chosen row of a hidden list and,
// when tapped, drops the list and runs its own message loop until a row is
// chosen (the choice is posted to the form as WM_COMMAND trigger | list << 16)
// or the list is left.
#pragma once

#include <cstdint>

#include "platform/types.h"

// Draws a trigger's content itself: (row, x, y, width, height, 0).
using PopupDrawHook = void (*)(int row, int x, int y, int width, int height, int flag);

struct PopupRecord {
    pl::Hwnd dialog;
    pl::Hwnd trigger;
    pl::Hwnd list;
    pl::WndProc listPrevious;
    pl::WndProc previous;       // the trigger's
    PopupDrawHook hook;
    char label[64];             // when empty the trigger shows the selected row
    int16_t arrowBitmap;        // 124 by day, 126 in night mode
    int16_t arrowTransparent;
    uint16_t arrowKey;          // 5-5-5 pixel
    int16_t arrowWidth;
    int16_t triggerId;
    int16_t listId;
    int16_t rows;
    int16_t visibleRows;
    int16_t selection;
    int16_t pressedInList;
};

// Sets up a trigger with its list: rows (negative: the list's item count),
// visible rows (below 1: rows + 1), the selected row; the list is placed under
// the trigger, inside the form, and stays hidden.
void InitPopupList(pl::Hwnd dialog, int triggerId, int listId, int rows, int visibleRows, int selection);

// The arrow bitmap of a trigger and its transparency.
void SetPopupDisplay(pl::Hwnd dialog, int triggerId, int arrowBitmap, int transparent, uint16_t key);

// A routine that draws the trigger's content.
void SetControlHook(pl::Hwnd dialog, int triggerId, PopupDrawHook hook);

// Puts the trigger procedure on a control that already carries a record.
void SubclassPopupList(pl::Hwnd dialog, int id);
// A procedure that only paints like a trigger and ignores everything else.
void SubclassCustomControl(pl::Hwnd dialog, int id);

// On the active form: selects a row of the popup (-1: the trigger shows
// nothing). A missing trigger: "SetPopupList:\nNULL popup Wnd".
void SetPopupList(int popupId, int listId, int row);

// On the active form: the trigger's label (a null text brings back the
// selected row's text, an empty one shows nothing); painted at once. A
// missing trigger: "SetPopupLabel:\nNULL popup Wnd".
void SetPopupLabel(int popupId, const char* text);
