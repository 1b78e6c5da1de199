#include "ui/info_box.h"

#include <cstdio>
#include <cstring>

#include "core/services.h"
#include "platform/dialog.h"
#include "platform/focus.h"
#include "platform/last_error.h"
#include "platform/message_box.h"
#include "platform/window.h"
#include "ui/shell_state.h"

int infoBoxOpen = 0;
GrowableArray<InfoText> infoQueueText;
GrowableArray<InfoText> infoQueueDetail;

namespace {

// A queue entry: the text cut to 255 characters.
InfoText ToEntry(const std::string& text) {
    InfoText entry{};
    std::size_t n = text.size() < kInfoTextSize - 1 ? text.size() : kInfoTextSize - 1;
    std::memcpy(entry.data(), text.data(), n);
    return entry;
}

int MainWindowExists() { return pl::IsWindow(mainWindow) ? 1 : 0; }

void ShowQueued() {
    if (infoQueueText.Count() == 0) return;
    std::string text(infoQueueText[0].data());
    std::string detail(infoQueueDetail[0].data());
    infoQueueText.RemoveAt(0);
    infoQueueDetail.RemoveAt(0);
    InformationBox(text, detail);
}

}  // namespace

int InformationBox(const std::string& text, const std::string& detail) {
    pl::Hwnd foreground = pl::GetForegroundWindow();
    if (infoBoxOpen) {
        if (infoQueueText.Count() < kInfoQueueMax) {
            infoQueueText.Append(ToEntry(text));
            infoQueueDetail.Append(ToEntry(detail));
        }
        return 1;
    }
    if (!foreground) return MainWindowExists();
    infoBoxOpen = 1;
    pl::MessageBox(foreground, text + "\n" + detail, "Information", pl::MB_OK);
    infoBoxOpen = 0;
    ShowQueued();
    return MainWindowExists();
}

int AskYesNoBox(const std::string& text, const std::string& detail) {
    pl::Hwnd foreground = pl::GetForegroundWindow();
    int answer = pl::MessageBox(foreground, text + "\n" + detail, "Information", pl::MB_YESNO);
    if (pl::IsWindow(foreground)) pl::SetFocus(foreground);
    return answer == pl::IDYES ? 0 : 1;
}

int ShowMessageBox(const std::string& text, const std::string& caption) {
    pl::Hwnd active = pl::GetActiveWindow();
    if (!active) return 0;
    pl::MessageBox(active, text, caption, pl::MB_OK);
    if (pl::IsWindow(active)) pl::SetFocus(active);
    return 1;
}

void ShowLastError() {
    uint32_t code = pl::GetLastError();
    char text[kInfoTextSize];
    std::snprintf(text, sizeof text, "Error %d: %s", static_cast<int>(code), pl::ErrorText(code).c_str());
    pl::MessageBox(nullptr, text, "Error", pl::MB_OK);
}

void InstallMessageBoxServices() {
    ServiceHooks hooks = InstallServiceHooks(ServiceHooks{});
    hooks.showInformation = InformationBox;
    hooks.askYesNo = AskYesNoBox;
    InstallServiceHooks(hooks);
}

void ResetInformationBox() {
    infoBoxOpen = 0;
    infoQueueText.Clear();
    infoQueueDetail.Clear();
}
