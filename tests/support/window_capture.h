// Reads what an SDL window shows back from its X server (tests of the window
// backend). Kept apart from the tests because the X headers' macros clash
// with GoogleTest's.
#pragma once

#include <cstdint>
#include <vector>

// The window's width x height pixels as 0x00RRGGBB, rows top-down; false when
// the window is not on an X server or cannot be read.
bool CaptureSdlWindow(void* sdlWindow, int width, int height, std::vector<uint32_t>* pixels);
