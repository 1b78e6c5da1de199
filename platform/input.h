// Input: the raw-input feed, the key and stylus state, and the cursor.
//
// Backends and the test harness put events into the feed. An event moves into
// the message queue (and changes the asynchronous state) one at a time: when
// the program asks for a message and nothing is posted, or when it polls the
// asynchronous key or stylus state; a new event moves only after the message
// of the previous one was taken. So a polling loop (a drag, a search that any
// key stops) sees what a person does, in order.
//
// Stylus events carry screen coordinates. Their messages go to the capture
// window, else to the window under the stylus (WindowFromPoint): a disabled
// window gets nothing; a move while the stylus is up makes no message. Keys go
// to the focus window, else to the active window.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/types.h"

namespace pl {

enum class InputKind { PenDown, PenMove, PenUp, KeyDown, KeyUp };

struct InputEvent {
    InputKind kind = InputKind::PenDown;
    Point pos;                    // stylus events, screen coordinates
    bool doubleTap = false;       // PenDown: the second tap of a double tap
    int vk = 0;                   // key events: virtual key code
    unsigned char character = 0;  // KeyDown: the character the key types, 0 for none
    int holdPolls = 0;            // KeyDown: polls of this key that see it held before
                                  // a poll may take its KeyUp
};

// Appends events to the feed (any thread), all at once, and wakes the UI thread.
void FeedInput(const InputEvent& event);
void FeedInput(const std::vector<InputEvent>& events);

// Asynchronous state of a key (VK_LBUTTON: the stylus): bit 15 set while it is
// down. A poll: it may take the next fed event (see above).
int16_t GetAsyncKeyState(int vk);
// The key's state as of the last message taken from the queue (not a poll).
int16_t GetKeyState(int vk);
// Whether the stylus is down as the input events taken so far left it, also
// those that made no message (a pen-up over a disabled window). Not a poll.
bool IsStylusDown();
// Last stylus position, screen coordinates.
bool GetCursorPos(Point* out);

// The character a virtual key types by itself (letters in lower case), or 0.
unsigned char CharacterOfKey(int vk);
// A virtual key that types this character (letters and digits give their own
// key, a few signs their usual key), or 0.
int KeyOfCharacter(unsigned char character);

// Clears the feed and every key and stylus state (tests).
void ResetInput();

}  // namespace pl
