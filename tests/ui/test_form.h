// A form of the tests (template 7000) with one control of each kind of the
// control layer, opened as the program's current form. Its procedure records
// the commands and messages it gets.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/types.h"

constexpr int kTestForm = 7000;
constexpr int kTestTitle = 7001;
constexpr int kTestTrigger = 7002;
constexpr int kTestPopupList = 7003;
constexpr int kTestList = 7004;
constexpr int kTestField = 7005;
constexpr int kTestButton = 7006;
constexpr int kTestLowTrigger = 7007;
constexpr int kTestLowList = 7008;
constexpr int kTestLongTrigger = 7009;
constexpr int kTestLongList = 7010;  // owner data: rows "Item 0" .. "Item 3948"
constexpr int kTestLongRows = 3949;
constexpr int kTestLabelA = 5;
constexpr int kTestLabelB = 7;
constexpr int kTestModal = 7100;

struct TestFormMessage {
    uint32_t id;
    pl::WParam wParam;
};

// Messages of the form (WM_COMMAND and message 9500) in order.
extern std::vector<TestFormMessage> testFormMessages;
// Calls of the form's draw routine.
extern int testFormDraws;
// Ids the release routine leaves registered (it releases every other one).
extern std::vector<int> testFormForgets;

// Installs the templates (7000 and the modal 7100) with the program's resources.
void InstallTestFormResources();

// On the UI thread: closes the open form and opens the test form.
void OpenTestForm();

// The modal dialog 7100 with a dialog title (no menu).
pl::LResult TestModalProc(pl::Hwnd dialog, uint32_t message, pl::WParam wParam, pl::LParam lParam);
