// The hooks through which the catalogue reaches the chart, the finder and the
// orbits, installed as the program installs them at start-up for the life of
// the object; the hooks before it are put back afterwards.
#pragma once

#include "core/program_hooks.h"

class OwnerHooks {
public:
    OwnerHooks();
    ~OwnerHooks();
    OwnerHooks(const OwnerHooks&) = delete;
    OwnerHooks& operator=(const OwnerHooks&) = delete;

private:
    HorizonProjectionHook horizon;
    FoundObjectHook found;
    CometPlaceHook comet;
};
