// Drawing helpers shared by the controls, message boxes and menus: solid
// fills and frames in a colour, text in the system font (menus, message
// boxes) or the dialog font (controls made from templates), and the control
// state kept beside each window (the user-data slot stays the program's).
#pragma once

#include <map>
#include <memory>
#include <string_view>

#include "platform/color.h"
#include "platform/gdi.h"
#include "platform/types.h"

namespace pl {

// Fills a rectangle with a colour.
void FillSolid(Hdc dc, const Rect& rect, ColorRef color);
// A one-pixel frame just inside the rectangle.
void FrameSolid(Hdc dc, const Rect& rect, ColorRef color);
// Selects the system font (the dialog font), a transparent background and the
// text colour.
void PrepareText(Hdc dc, ColorRef color);
void PrepareControlText(Hdc dc, ColorRef color);
// Draws text in the rectangle with DrawText's format bits, in the system font
// (the dialog font).
void DrawTextIn(Hdc dc, std::string_view text, Rect rect, unsigned format, ColorRef color);
void DrawControlText(Hdc dc, std::string_view text, Rect rect, unsigned format, ColorRef color);
// Height of a line of the system font (the dialog font).
int SystemFontHeight();
int DialogFontHeight();
// The screen's pixels per inch over 96, truncated, at least 1 (pixel margins).
int PixelScale();

// Registers a window class unless one of that name exists (the classes go
// with ResetWindows, so each user registers again before it makes windows).
void RegisterClassOnce(const char* name, WndProc proc, const void* background = nullptr);

// Registration of each control class (controls.h's RegisterControlClasses
// calls them all).
void RegisterStaticClass();
void RegisterButtonClass();
void RegisterEditClass();
void RegisterListViewClass();

// State records of a control class, by window, on the UI thread. A procedure
// that sends notifications holds its record, so that a record forgotten
// meanwhile (the parent destroyed the control) is freed only when it returns.
template <typename State>
class ControlStates {
public:
    State* Find(Hwnd hwnd) { return Hold(hwnd).get(); }
    std::shared_ptr<State> Hold(Hwnd hwnd) {
        auto it = states_.find(hwnd);
        return it == states_.end() ? nullptr : it->second;
    }
    State& Make(Hwnd hwnd) { return *(states_[hwnd] = std::make_shared<State>()); }
    void Forget(Hwnd hwnd) { states_.erase(hwnd); }

private:
    std::map<Hwnd, std::shared_ptr<State>> states_;
};

}  // namespace pl
