// A clean drawing layer with the program's resources for the assistants'
// views: reset state with the default preferences, a site at 51 N on the
// Greenwich meridian in zone 0, the 240 x 320 screen at 96 dpi.
#pragma once

#include "platform/resources.h"
#include "platform/screen.h"
#include "resources/program_resources.h"
#include "support/draw_fixture.h"
#include "support/test_site.h"
#include "ui/screen_layout.h"

class AssistantDrawFixture : public DrawFixture {
protected:
    void SetUp() override {
        DrawFixture::SetUp();
        ResetWithDefaults();
        SetTestSite(51.0, 0.0, 0);
        pl::ClearResourceGroups();
        InstallProgramResources();
        pl::SetScreenInfo(pl::ScreenInfo{240, 320, 96});
        ResetScreenScale();
    }
    void TearDown() override {
        pl::ClearResourceGroups();
        DrawFixture::TearDown();
    }
};
