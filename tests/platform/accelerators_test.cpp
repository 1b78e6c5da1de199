// Accelerator tables in the message loop.
#include "platform/accelerators.h"

#include <gtest/gtest.h>

#include "platform/focus.h"
#include "platform/message_queue.h"
#include "support/recording_window.h"
#include "support/test_harness.h"

namespace {

using namespace pl;

constexpr AcceleratorTemplate kEntries[] = {{'Q', kAccelControl, 1}, {'A', kAccelControl, 40003}};
constexpr AcceleratorTableTemplate kTables[] = {{3, kEntries}};
const ResourceGroup kGroup = {.accelerators = kTables};

class AcceleratorTest : public ::testing::Test {
protected:
    void SetUp() override {
        ClearResourceGroups();
        AddResourceGroup(kGroup);
        EXPECT_EQ(LoadAccelerators(4), nullptr);
        harness.start([this] {
            window = rec.Top({0, 0, 240, 320});
            SetFocus(window);
            Haccel table = LoadAccelerators(3);
            Msg m;
            while (GetMessage(&m, nullptr, 0, 0) > 0) {
                if (TranslateAccelerator(m.hwnd, table, &m)) continue;
                TranslateMessage(&m);
                DispatchMessage(&m);
            }
            return static_cast<int>(m.wParam);
        });
    }
    void TearDown() override {
        harness.stop();
        ClearResourceGroups();
    }
    std::vector<WParam> Commands() {
        std::vector<WParam> c;
        for (const testwin::Record& r : rec.Of(WM_COMMAND, window)) c.push_back(r.wParam);
        return c;
    }

    Harness harness{TestHarnessOptions()};
    testwin::Recorder rec;
    Hwnd window = nullptr;
};

TEST_F(AcceleratorTest, ControlKeySendsTheCommandToTheKeysWindow) {
    harness.keyDown(VK_CONTROL);
    harness.key('Q');
    harness.key('A');
    harness.keyUp(VK_CONTROL);
    EXPECT_EQ(Commands(), (std::vector<WParam>{MakeWParam(1, 1), MakeWParam(40003, 1)}));
    // The translated key-downs never reached the window.
    for (const testwin::Record& r : rec.Of(WM_KEYDOWN, window)) EXPECT_EQ(r.wParam, static_cast<WParam>(VK_CONTROL));
}

TEST_F(AcceleratorTest, KeysWithoutTheExactModifiersGiveNoCommand) {
    harness.key('Q');
    harness.keyDown(VK_SHIFT);
    harness.keyDown(VK_CONTROL);
    harness.key('Q');
    harness.keyUp(VK_CONTROL);
    harness.keyUp(VK_SHIFT);
    EXPECT_TRUE(Commands().empty());
    EXPECT_GE(rec.Count(WM_KEYDOWN, window), 3);  // the keys went on to the window
}

}  // namespace
