// Popups of fixed text rows on the assistants' forms.
#pragma once

#include <cstddef>

#include "platform/types.h"

// Fills list `list` of `form` with `count` rows (each inserted on top, so
// added last to first to show in their order) and sets up its trigger with
// all rows visible and `selection` chosen.
void InitTextPopup(pl::Hwnd form, int trigger, int list, const char* const* rows, int count, int selection);

template <std::size_t N>
void InitTextPopup(pl::Hwnd form, int trigger, int list, const char* const (&rows)[N], int selection) {
    InitTextPopup(form, trigger, list, rows, static_cast<int>(N), selection);
}
