#include "support/recording_services.h"

namespace {
RecordingServices* active = nullptr;
}

RecordingServices::RecordingServices() {
    active = this;
    ServiceHooks hooks;
    hooks.showInformation = [](const std::string& t, const std::string& d) {
        active->messages.push_back({t, d});
        return 1;
    };
    hooks.askYesNo = [](const std::string& t, const std::string& d) {
        active->questions.push_back(d.empty() ? t : t + "\n" + d);
        return active->yesNoAnswer;
    };
    hooks.stepBusyIndicator = [](int) {
        ++active->busySteps;
        return 0;
    };
    hooks.endBusyIndicator = [](int) { ++active->busyEnds; };
    previous_ = InstallServiceHooks(hooks);
}

RecordingServices::~RecordingServices() {
    InstallServiceHooks(previous_);
    active = nullptr;
}

std::vector<std::string> RecordingServices::Texts() const {
    std::vector<std::string> out;
    for (const auto& m : messages) out.push_back(m.text);
    return out;
}
