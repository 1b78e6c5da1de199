#include "support/test_harness.h"

#include <gtest/gtest.h>

pl::HarnessOptions TestHarnessOptions(int watchdogMs) {
    pl::HarnessOptions options;
    options.watchdogMs = watchdogMs;
    options.onFailure = [](const std::string& message) { ADD_FAILURE() << "harness: " << message; };
    return options;
}
