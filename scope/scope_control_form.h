// The scope control form (2400, "ScopeControl"): slews the mount while an
// arrow key is held, sets the slew rate, stops it, and shows where it points
// in a panel that timer 1 refreshes every 600 ms (scope/scope_position_panel.h).
// For an encoder box the panel is the encoder read-out, refreshed at the
// period chosen in its popup (scope/encoder_refresh_form.h).
//
// Keys: Up and Page Down slew north (direction 0), Down and Page Up south (1),
// Right east (2), Left west (3), for as long as the key is held; the pad
// shows the side pressed. A tap on the pad shows the form's help.
// A failed position read is reported once (the serial line's, the connect's
// or the box's own message, else the drive family's read failure), the mount
// is disconnected and timer 1 stops; a slew, Stop or a new opening starts the
// reads again.
// Ok, and the title's Done, stop the mount (no abort for drive 20), disconnect
// it, clear scopeActive and go back to the previous form; leaving by a form
// switch does the same but keeps scopeActive.
#pragma once

#include <cstdint>

#include "platform/types.h"

constexpr int kScopeControlForm = 2400;
constexpr int kScopeTitle = 8019;
constexpr int kScopeOk = 2403;
constexpr int kScopeStop = 2404;
constexpr int kSlewLabel = 138;
constexpr int kSlewRateTrigger = 2401;
constexpr int kSlewRateList = 2402;
constexpr int kRefreshRateTrigger = 2305;
constexpr int kRefreshRateList = 2304;
constexpr int kScopeHelp = 2405;
constexpr int kScopeTimer = 1;
constexpr int kScopeTimerMs = 600;

// The rate popup's row (0 "Fast", 1 "Find", 2 "Center", 3 "Guide"), the rate
// index of ScopeSetSlewRate; kept between openings, 0 at start.
extern int slewRate;
// Set by the key handler before a slew starts: the slew follows the keys, not
// the stylus.
extern uint8_t slewKeyFlag;

pl::LResult ScopeControlDialogProc(pl::Hwnd form, uint32_t message, pl::WParam wParam, pl::LParam lParam);

// Back to the start of a run (tests): rate 0, no key flag, first paint due.
void ResetScopeControlForm();
