// The program's plain message loop, for tests that start a program on the
// harness: takes, translates and dispatches until the quit message.
#pragma once

// Returns the quit message's code.
int RunMessageLoop();
