// Services of the shell that the computation folders call back: the message
// boxes and the busy indicator. The shell installs the real ones at start-up;
// until then (and in tests of computation) harmless defaults answer.
#pragma once

#include <string>

// Shows text and detail in the "Information" box. Default: nothing is shown.
void ShowInformation(const std::string& text, const std::string& detail);

// Asks a yes/no question; returns 0 for Yes, 1 for No. Default: 1 (No).
int AskYesNo(const std::string& text);

// Shows the next frame of the busy indication; flag 0 does nothing. Returns 0.
int StepBusyIndicator(int flag);

// Ends the busy indication (the argument is not consulted).
void EndBusyIndicator(int flag);

struct ServiceHooks {
    void (*showInformation)(const std::string& text, const std::string& detail) = nullptr;
    int (*askYesNo)(const std::string& text) = nullptr;
    int (*stepBusyIndicator)(int flag) = nullptr;
    void (*endBusyIndicator)(int flag) = nullptr;
};

// Installs the given services; a null member keeps the default. Returns the previous set.
ServiceHooks InstallServiceHooks(const ServiceHooks& hooks);
