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

    Harness harness{TestHarnessOptions()};
    testwin::Recorder rec;
    Hwnd window = nullptr;
};

// Control with the key sends the command instead of the key; other modifier
// sets pass the key on.
TEST_F(AcceleratorTest, ControlKeySendsTheCommandOnlyWithTheExactModifiers) {
    harness.key('Q');
    harness.keyDown(VK_CONTROL);
    harness.key('Q');
    harness.key('A');
    harness.keyDown(VK_SHIFT);
    harness.key('Q');
    harness.keyUp(VK_SHIFT);
    harness.keyUp(VK_CONTROL);
    std::vector<WParam> commands, keys;
    for (const testwin::Record& r : rec.Of(WM_COMMAND, window)) commands.push_back(r.wParam);
    for (const testwin::Record& r : rec.Of(WM_KEYDOWN, window)) keys.push_back(r.wParam);
    EXPECT_EQ(commands, (std::vector<WParam>{MakeWParam(1, 1), MakeWParam(40003, 1)}));
    EXPECT_EQ(keys, (std::vector<WParam>{'Q', VK_CONTROL, VK_SHIFT, 'Q'}));
}

}  // namespace
