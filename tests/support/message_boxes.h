// Message boxes seen from a test that drives the program with the harness.
#pragma once

#include <string>

#include "platform/harness.h"
#include "platform/message_box.h"

// The text of the message box on top ("" when none is open).
std::string OpenBoxText();
// Answers the box on top with a button (IDOK, IDYES, IDNO) on the UI thread
// and waits until the program is idle again; false when there was no such box.
bool AnswerBox(pl::Harness& harness, int button);
