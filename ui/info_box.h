// The "Information" box with its short queue, the yes/no question and the
// plain message boxes. Handlers that run inside a box's own message loop
// (timers, posted messages) may report again; their messages wait in the queue
// and are shown when the box closes.
#pragma once

#include <array>
#include <string>

#include "core/growable_array.h"

constexpr int kInfoQueueMax = 5;       // messages that may wait
constexpr int kInfoTextSize = 256;     // a waiting text holds at most 255 characters

using InfoText = std::array<char, kInfoTextSize>;

// 1 while an "Information" box is on screen.
extern int infoBoxOpen;
// Waiting messages: entry i of both arrays is one (text, detail).
extern GrowableArray<InfoText> infoQueueText;
extern GrowableArray<InfoText> infoQueueDetail;

// The body of ShowInformation: shows "text\ndetail" captioned "Information"
// over the foreground window, or queues it while a box is open (dropped when
// five wait), then shows what waits. Returns 1 when queued or dropped;
// otherwise 1 when the main window exists, else 0. Nothing is shown without a
// foreground window.
int InformationBox(const std::string& text, const std::string& detail);

// Yes and No over the foreground window (or none), which gets the focus back;
// 0 for Yes, 1 for No.
int AskYesNoBox(const std::string& text, const std::string& detail);

// OK box with a caption over the active window, which gets the focus back;
// 0 without an active window (nothing shown), else 1.
int ShowMessageBox(const std::string& text, const std::string& caption);

// "Error %d: %s" with the last system error, captioned "Error", no owner.
void ShowLastError();

// Makes ShowInformation and AskYesNo of core/services.h show these boxes.
void InstallMessageBoxServices();

// Empties the queue and closes the box state (tests).
void ResetInformationBox();
