#include "app/menu_commands.h"

#include "app/application_quit.h"
#include "app/form_table.h"
#include "assistants/planet_detail_mode.h"
#include "catalog/memo.h"
#include "catalog/screens/memo_dialog.h"
#include "core/preferences.h"
#include "core/services.h"
#include "platform/messages.h"
#include "platform/window.h"
#include "scope/scope_form.h"
#include "ui/forms.h"
#include "ui/night_mode_dialog.h"

namespace {

struct CommandForm {
    int command;
    int form;
};

// Commands that open a form and do nothing else.
constexpr CommandForm kCommandForms[] = {
    {1001, 1400}, {1002, 1200}, {1003, 1900}, {1004, 1800}, {1005, 1300}, {1006, 2100},
    {1007, 112},  {1008, 6000}, {1011, 1950}, {1012, 2200}, {1014, 2350}, {1017, 2450},
    {1019, 2470}, {1020, 1550}, {1022, 2410}, {1023, 2600}, {1024, 2423}, {1025, 5200},
    {1026, 5300}, {1028, 2550}, {1029, 2700}, {1031, 1050}, {1032, 2800}, {40015, 2830},
};

constexpr int kQuitKey = 1;  // Ctrl+Q on the bare main window
constexpr int kQuit = 1035;
constexpr int kScopeControl = 1013;
constexpr int kNightMode = 1036;

// Commands that open the planet detail form in one of its modes.
bool OpenPlanetDetail(int command) {
    switch (command) {
    case 1009: SetJupiterAssistantMode(); break;
    case 1010: SetSaturnAssistantMode(); break;
    case 1027: SetMarsAssistantMode(); break;
    default: return false;
    }
    GotoForm(2460);
    return true;
}

}  // namespace

int FormOfMenuCommand(int command) {
    for (const CommandForm& c : kCommandForms)
        if (c.command == command) return c.form;
    return 0;
}

pl::LResult HandleMenuCommand(pl::Hwnd hwnd, pl::WParam wParam, pl::LParam lParam) {
    int command = pl::LoWord(wParam);
    if (int form = FormOfMenuCommand(command)) {
        GotoForm(form);
        return 0;
    }
    if (OpenPlanetDetail(command)) return 0;
    switch (command) {
    case kQuitKey:
    case kQuit: QuitApplication(); return 0;
    case kScopeControl:
        if (preferences.word[kPrefDriveId] != 0)
            OpenScopeForm(1);
        else
            ShowInformation("Please chose a Telescope Drive in Preference 1/6.", "");
        return 0;
    case 1033: ImportListFromMemo(); return 0;
    case 1034: ExportListToMemo(); return 0;
    case kNightMode: RunNightModeDialog(); return 0;
    case kCmdOpenForm: OpenFormById(pl::LoWord(static_cast<pl::WParam>(lParam))); return 0;
    case kCmdPowerResume: return 0;
    default: return pl::DefWindowProc(hwnd, pl::WM_COMMAND, wParam, lParam);
    }
}
