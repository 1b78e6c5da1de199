// Harness options for tests: every harness failure (the watchdog, an exception
// out of the program) becomes a test failure.
#pragma once

#include "platform/harness.h"

pl::HarnessOptions TestHarnessOptions(int watchdogMs = 20000);
