#include "core/services.h"

namespace {
ServiceHooks installed;
}

int ShowInformation(const std::string& text, const std::string& detail) {
    return installed.showInformation ? installed.showInformation(text, detail) : 0;
}

int AskYesNo(const std::string& text, const std::string& detail) {
    return installed.askYesNo ? installed.askYesNo(text, detail) : 1;
}

int StepBusyIndicator(int flag) {
    if (flag == 0) return 0;
    return installed.stepBusyIndicator ? installed.stepBusyIndicator(flag) : 0;
}

void EndBusyIndicator(int flag) {
    if (installed.endBusyIndicator) installed.endBusyIndicator(flag);
}

ServiceHooks InstallServiceHooks(const ServiceHooks& hooks) {
    ServiceHooks previous = installed;
    installed = hooks;
    return previous;
}
