// Stand-ins for the shell's message and busy services that record each call,
// so computation can be tested without windows. Installed for the lifetime of
// the object; the previous services come back when it is destroyed.
#pragma once

#include <string>
#include <vector>

#include "core/services.h"

struct RecordedMessage {
    std::string text;
    std::string detail;
};

class RecordingServices {
public:
    RecordingServices();
    ~RecordingServices();
    RecordingServices(const RecordingServices&) = delete;
    RecordingServices& operator=(const RecordingServices&) = delete;

    std::vector<RecordedMessage> messages;  // ShowInformation calls, in order
    std::vector<std::string> questions;     // AskYesNo texts ("text\ndetail" when a detail is given)
    int yesNoAnswer = 0;                    // what AskYesNo returns (0 Yes, 1 No)
    int busySteps = 0;                      // StepBusyIndicator calls with a non-zero flag
    int busyEnds = 0;                       // EndBusyIndicator calls

    // The texts of the messages, for compact assertions.
    std::vector<std::string> Texts() const;

private:
    ServiceHooks previous_;
};
