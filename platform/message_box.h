// Message boxes: a caption, a text and OK or Yes/No buttons in a modal box
// over its owner. Tests read the open boxes and answer them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/types.h"

namespace pl {

constexpr uint32_t MB_OK = 0x00000000;
constexpr uint32_t MB_YESNO = 0x00000004;
constexpr uint32_t MB_TYPEMASK = 0x0000000F;
constexpr uint32_t MB_SETFOREGROUND = 0x00010000;  // the box is brought to the foreground
constexpr uint32_t MB_TOPMOST = 0x00040000;        // the box stays above every other window

inline constexpr const char* kMessageBoxClass = "MessageBox";

// Shows the box and waits for an answer: IDOK, IDYES or IDNO (platform/dialog.h).
// Every top-level window of the program, the owner's among them, is disabled
// meanwhile (no tap or key reaches a window under the box; timers and posted
// messages run on) and enabled again afterwards, when the owner (none: no
// owner) is active again. Texts are program text; "\n" breaks lines. When the
// loop takes the quit message (posted again) the box closes with IDOK, or
// IDNO for Yes/No.
int MessageBox(Hwnd owner, const std::string& text, const std::string& caption, uint32_t type);

struct MessageBoxInfo {
    Hwnd hwnd = nullptr;
    std::string text;
    std::string caption;
    std::vector<int> buttons;  // IDOK, or IDYES and IDNO
    uint32_t type = 0;
    Hwnd owner = nullptr;
};

// The open boxes, the first opened first.
std::vector<MessageBoxInfo> OpenMessageBoxes();
// Answers the last opened box as a tap on that button would (UI thread).
// False when no box is open or it has no such button.
bool AnswerMessageBox(int button);

}  // namespace pl
