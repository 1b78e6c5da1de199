// A clean telescope state for the drive tests: the shared state reset, drive
// 5 on port 1 with the alignment source "External" and EQ output, virtual
// time, recorded messages, and the serial layer, the drivers, the alignment
// and the pointing model at the start of a run.
#pragma once

#include <gtest/gtest.h>

#include "support/recording_services.h"
#include "support/recording_window.h"

class ScopeTest : public ::testing::Test {
protected:
    ScopeTest();
    ~ScopeTest() override;

    // Virtual milliseconds that `call` takes.
    template <typename F>
    static uint32_t Elapsed(F call);

    testwin::VirtualClock clock;
    RecordingServices services;
};

#include "platform/clock.h"

template <typename F>
uint32_t ScopeTest::Elapsed(F call) {
    uint32_t start = pl::GetTickCount();
    call();
    return pl::GetTickCount() - start;
}
