// Layout faults of what a window shows, for tests that open screens: labels
// of static texts, buttons and check boxes that do not fit their controls,
// texts cut by their clip, and texts of the window's own paint whose pixels
// overlap. The texts come from the platform's text log (platform/text_log.h),
// which must run while the window draws. Call on the UI thread (or while the
// program is parked).
#pragma once

#include <string>
#include <vector>

#include "platform/types.h"

// One line per fault, naming the text and the control or the other text.
std::vector<std::string> LayoutFaults(pl::Hwnd window);

// The visible controls among `ids` of `form` that leave the screen of
// width x height pixels, and the pairs of them that overlap: one line each.
std::vector<std::string> ControlsNotApart(pl::Hwnd form, const std::vector<int>& ids, int width, int height);
