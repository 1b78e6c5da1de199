// Records of the program's own controls: each is kept in the control's
// user-data slot next to the procedure it replaced, made zero-filled at set-up
// and freed by the control's own WM_DESTROY.
#pragma once

#include "platform/window.h"

template <typename Record>
Record* RecordOf(pl::Hwnd control) {
    return control ? reinterpret_cast<Record*>(pl::GetWindowUserData(control)) : nullptr;
}

// Subclasses the control with `proc`, keeping the previous procedure in the
// record, and stores the record in the control.
template <typename Record>
void AttachRecord(pl::Hwnd control, Record* record, pl::WndProc proc) {
    record->previous = pl::SetWindowProc(control, proc);
    pl::SetWindowUserData(control, reinterpret_cast<pl::LParam>(record));
}

// WM_DESTROY of a subclassed control: frees the record, clears the slot and
// hands the message to the previous procedure.
template <typename Record>
pl::LResult DestroyRecord(pl::Hwnd control, uint32_t message, pl::WParam wParam, pl::LParam lParam) {
    Record* record = RecordOf<Record>(control);
    pl::WndProc previous = record ? record->previous : pl::DefWindowProc;
    delete record;
    pl::SetWindowUserData(control, 0);
    return pl::CallWindowProc(previous, control, message, wParam, lParam);
}

// A message the control's own procedure handles.
template <typename Record>
pl::LResult CallPrevious(pl::Hwnd control, uint32_t message, pl::WParam wParam, pl::LParam lParam) {
    Record* record = RecordOf<Record>(control);
    return pl::CallWindowProc(record ? record->previous : pl::DefWindowProc, control, message, wParam, lParam);
}

// True when a pointer message's point (client coordinates) lies inside the control.
inline bool PointerInside(pl::Hwnd control, pl::LParam lParam) {
    pl::Rect client;
    pl::GetClientRect(control, &client);
    return client.Contains(pl::Point{pl::PointX(lParam), pl::PointY(lParam)});
}
