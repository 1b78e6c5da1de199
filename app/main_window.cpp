#include "app/main_window.h"

#include "app/app_state.h"
#include "app/application_quit.h"
#include "app/form_table.h"
#include "app/menu_commands.h"
#include "app/power_thread.h"
#include "chart/chart_state.h"
#include "core/preferences_file.h"
#include "core/program_hooks.h"
#include "core/services.h"
#include "objects/selected_object.h"
#include "orbits/comet_place.h"
#include "platform/drawing.h"
#include "platform/focus.h"
#include "platform/gdi.h"
#include "platform/instance_lock.h"
#include "platform/message_box.h"
#include "platform/message_queue.h"
#include "platform/paint.h"
#include "platform/resources.h"
#include "platform/screen.h"
#include "platform/sdl_backend.h"
#include "platform/window.h"
#include "resources/program_resources.h"
#include "scope/serial_link.h"
#include "scope/two_star_form.h"
#include "ui/background_paint.h"
#include "ui/busy_indicator.h"
#include "ui/control_registry.h"
#include "ui/draw_window.h"
#include "ui/font_set.h"
#include "ui/forms.h"
#include "ui/info_box.h"
#include "ui/saved_screen.h"
#include "ui/shell_state.h"

pl::ShActivateInfo activateInfo{};

namespace {

constexpr int kTitleString = 1;
constexpr int kClassString = 3;
constexpr int kAcceleratorTable = 3;
constexpr int kStringLength = 100;
constexpr int kQuitCommand = 1035;  // closing the window quits as the menu's Quit does

void* hInstance = nullptr;
bool instanceRunning = false;  // past the single-instance test in this process
bool anotherInstance = false;  // the last start found another instance
bool shutdownDone = false;

void PaintBackground(pl::Hwnd hwnd) {
    pl::PaintStruct ps;
    pl::Rect client;
    if (BeginBackgroundPaint(hwnd, &ps, &client)) pl::EndPaint(hwnd, &ps);
}

bool RegisterMainClass(const char* className) {
    pl::WindowClass c;
    c.name = className;
    c.proc = MainWndProc;
    c.style = pl::CS_HREDRAW | pl::CS_VREDRAW;
    c.background = pl::GetStockBlackBrush();
    pl::WindowClass existing;
    return pl::GetClassInfo(className, &existing) || pl::RegisterClass(c);
}

// The main window fills the screen from the start (the forms it owns do too).
pl::Hwnd CreateMainWindow(const char* className, const char* title) {
    pl::ScreenInfo screen = pl::GetScreenInfo();
    pl::CreateParams p;
    p.className = className;
    p.title = title;
    p.style = pl::WS_VISIBLE;
    p.width = screen.width;
    p.height = screen.height;
    return pl::CreateWindow(p);
}

// Another instance runs when the program folder is locked or, within this
// process, a window of the class and title exists: that one comes to the front.
bool AnotherInstanceRuns(const char* className, const char* title) {
    pl::Hwnd running = pl::FindWindow(className, title);
    if (!running && pl::AcquireInstanceLock()) return false;
    if (running) {
        mainWindow = running;
        pl::SetForegroundWindow(running);
    }
    return true;
}

// A form destroyed together with the main window never got its close
// command: forget it and the controls it had registered.
void ForgetDestroyedForm() {
    pl::Hwnd form = GetCurrentFormDialog();
    if (form && !pl::IsWindow(form)) {
        SetCurrentFormDialog(nullptr);
        ClearControlRegistry();
    }
}

// The shut-down, once: the power thread first, then the application state,
// the drawing state and fonts, the open form, the serial port (after the
// form's release, so that the scope control form stops a connected mount
// before the line closes), the preferences saved (after the form's release
// has put back the words it holds for its own display), the task bar back,
// and the quit message (unless the loop has ended already). Quitting by
// command runs it before the main window is destroyed, so the open form is
// still there to release its controls.
void RunShutdown(bool postQuit) {
    if (shutdownDone) return;
    shutdownDone = true;
    StopPowerThread();
    ShutdownApplication();
    ReleaseDrawWindow();
    FreeSavedScreen();
    ReleaseFonts();
    ForgetDestroyedForm();
    CloseCurrentForm();
    SetSerialPersistent(0);
    SerialClose();
    SavePreferences();
    pl::ShFullScreen(mainWindow, kFullScreenRestore);
    if (postQuit) pl::PostQuitMessage(0);
}

int MessageLoop() {
    pl::Msg msg;
    while (pl::GetMessage(&msg, nullptr, 0, 0) > 0) {
        if (pl::TranslateAccelerator(msg.hwnd, accelTable, &msg)) continue;
        pl::TranslateMessage(&msg);
        pl::DispatchMessage(&msg);
    }
    return static_cast<int>(msg.wParam);
}

}  // namespace

void QuitApplication() {
    RunShutdown(true);
    if (pl::IsWindow(mainWindow)) pl::DestroyWindow(mainWindow);
}

bool InitInstance(void* instance, int showCommand) {
    hInstance = instance;
    char className[kStringLength + 1];
    char title[kStringLength + 1];
    pl::LoadString(kClassString, className, sizeof className);
    pl::LoadString(kTitleString, title, sizeof title);
    anotherInstance = AnotherInstanceRuns(className, title);
    if (anotherInstance) {
        if (pl::SdlBackendRunning()) pl::MessageBox(nullptr, kAlreadyRunningText, title, pl::MB_OK | pl::MB_TOPMOST);
        return false;
    }
    instanceRunning = true;
    shutdownDone = false;
    InitDisplayScale();
    RegisterMainClass(className);
    pl::Hwnd hwnd = CreateMainWindow(className, title);
    if (!hwnd) {
        ShowInformation("Can't Create window", "");
        return false;
    }
    mainWindow = hwnd;
    pl::SetCloseCommand(mainWindow, kQuitCommand);
    pl::ShFullScreen(mainWindow, kFullScreenHide);
    pl::ShowWindow(mainWindow, showCommand);
    pl::UpdateNow(mainWindow);
    if (InitApplicationState() != 0) {
        QuitApplication();
        return false;
    }
    CloseCurrentForm();
    pl::PostMessage(mainWindow, pl::WM_COMMAND, kCmdOpenForm, kHomeFormId);
    SetCurrentFormId(kHomeFormId);
    return true;
}

int WinMain(void* instance, void*, const char*, int showCommand) {
    InstallProgramResources();
    InstallMessageBoxServices();
    InstallBusyIndicator();
    // What the catalogue's files reach up to: the chart, the finder, the orbits.
    InstallChartStateHooks();
    InstallSelectedObjectHook();
    InstallCometPlace();
    InstallFormCanOpenHook(FormTableCanOpen);
    // The 2-star alignment: its restore and its saved stars in the preferences file.
    InstallTwoStarAlignment();
    bool first = !instanceRunning;
    if (first) {
        ResetShellState();
        ResetForms();
        ClearControlRegistry();
        ResetInformationBox();
    }
    int code = 0;
    if (InitInstance(instance, showCommand)) {
        accelTable = pl::LoadAccelerators(kAcceleratorTable);
        code = MessageLoop();
        // A quit message from elsewhere ends the loop before the shut-down ran.
        RunShutdown(false);
        if (pl::IsWindow(mainWindow)) pl::DestroyWindow(mainWindow);
    } else if (anotherInstance) {
        code = kAlreadyRunningExit;
    }
    if (first) {
        instanceRunning = false;
        pl::ReleaseInstanceLock();
        ResetShellState();
    }
    return code;
}

pl::LResult MainWndProc(pl::Hwnd hwnd, uint32_t message, pl::WParam wParam, pl::LParam lParam) {
    switch (message) {
    case pl::WM_CREATE:
        activateInfo = pl::ShActivateInfo{};
        activateInfo.size = 12;
        StartPowerThread(hwnd);
        return 0;
    case pl::WM_PAINT:
        PaintBackground(hwnd);
        return 0;
    case pl::WM_ACTIVATE:
        pl::ShHandleWmActivate(hwnd, wParam, lParam, &activateInfo, 0);
        return 0;
    case pl::WM_SETTINGCHANGE:
        pl::ShHandleWmSettingChange(hwnd, wParam, lParam, &activateInfo);
        return 0;
    case pl::WM_MOUSEMOVE:
    case pl::WM_LBUTTONDOWN:
    case pl::WM_LBUTTONUP:
        GotoForm(kHomeFormId);
        return 0;
    case pl::WM_COMMAND:
        return HandleMenuCommand(hwnd, wParam, lParam);
    case pl::WM_DESTROY:
        RunShutdown(true);
        return 0;
    default:
        return pl::DefWindowProc(hwnd, message, wParam, lParam);
    }
}
