// Lists, bitmap buttons, tap-to-edit text fields and bold labels of the forms.
#pragma once

#include <cstdint>

#include "platform/color.h"
#include "platform/types.h"

struct ListRecord {
    pl::Hwnd dialog;
    pl::Hwnd list;
    pl::WndProc previous;
    int16_t listId;
    int16_t rows;
    int16_t selection;
};

struct BitmapButtonRecord {
    int16_t buttonId;
    int16_t bitmapId;
    int16_t currentBitmap;
    uint8_t transparent;
    uint8_t pressed;
    uint8_t tracking;
    pl::ColorRef key;
    pl::WndProc previous;
};

struct TextFieldRecord {
    pl::Hwnd dialog;
    int16_t fieldId;
    uint8_t readOnly;
    pl::WndProc previous;
};

struct LabelRecord {
    int16_t labelId;
    pl::WndProc previous;
};

// A list of the form: rows (negative: its own item count), menu-coloured, one
// column, full-row selection, the row selected when not negative. A tap on a
// row and the Up and Down keys send WM_COMMAND (list id) to the form.
void InitList(pl::Hwnd dialog, int listId, int rows, int selection, int hasScrollBar);

// A button showing bitmap `bitmapId` (scaled; transparent with `key` when
// asked), sized to the bitmap. Its click is the button's own command.
void InitBitmapButton(pl::Hwnd dialog, int buttonId, int bitmapId, int transparent, pl::ColorRef key);

// Changes a bitmap button's bitmap and size. "SetButtonIcon\nCan't find %d"
// for a missing button, "SetButtonIcon\nCan't find bitmap %d for button %d"
// for a missing bitmap.
void SetButtonIcon(pl::Hwnd dialog, int buttonId, int bitmapId, int transparent, pl::ColorRef key);

// A ruled text field; a tap sends message 9500 (field id) to the form unless
// it is read-only.
void InitTextField(pl::Hwnd dialog, int fieldId, int readOnly);

// A label drawn in a bold copy of its font.
void InitLabel(pl::Hwnd dialog, int labelId);
