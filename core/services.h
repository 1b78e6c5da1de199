// Services of the shell that the computation folders call back: the message
// boxes and the busy indicator. The shell installs the real ones at start-up;
// until then (and in tests of computation) harmless defaults answer.
#pragma once

#include <string>

// Shows text and detail on two lines in the "Information" box, or queues them
// while a box is open. Returns 1 when shown or queued (or dropped because the
// queue is full), 0 when nothing could be shown. Default: nothing, 0.
int ShowInformation(const std::string& text, const std::string& detail);

// Asks a yes/no question (text and detail on two lines); returns 0 for Yes,
// 1 for No. Default: 1 (No).
int AskYesNo(const std::string& text, const std::string& detail = "");

// Shows the next frame of the busy indication; flag 0 does nothing. Returns 0.
int StepBusyIndicator(int flag);

// Ends the busy indication (the argument is not consulted).
void EndBusyIndicator(int flag);

struct ServiceHooks {
    int (*showInformation)(const std::string& text, const std::string& detail) = nullptr;
    int (*askYesNo)(const std::string& text, const std::string& detail) = nullptr;
    int (*stepBusyIndicator)(int flag) = nullptr;
    void (*endBusyIndicator)(int flag) = nullptr;
};

// Installs the given services; a null member keeps the default. Returns the previous set.
ServiceHooks InstallServiceHooks(const ServiceHooks& hooks);
