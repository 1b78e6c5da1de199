#include "support/owner_hooks.h"

#include "chart/chart_state.h"
#include "objects/selected_object.h"
#include "orbits/comet_place.h"

OwnerHooks::OwnerHooks()
    : horizon(InstallHorizonProjectionHook(nullptr)),
      found(InstallFoundObjectHook(nullptr)),
      comet(InstallCometPlaceHook(nullptr)) {
    InstallChartStateHooks();
    InstallSelectedObjectHook();
    InstallCometPlace();
}

OwnerHooks::~OwnerHooks() {
    InstallHorizonProjectionHook(horizon);
    InstallFoundObjectHook(found);
    InstallCometPlaceHook(comet);
}
