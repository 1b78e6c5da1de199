#include "resources/program_resources.h"

std::span<const pl::ResourceGroup* const> ProgramResourceGroups() {
    static const pl::ResourceGroup* const groups[] = {
        &kShellResources,
        &kHomeResources,
        &kControlResources,
        &kUiResources,
        &kMemoResources,
        &kCatalogResources,
        &kDialogResources,
        &kToolsResources,
        &kDayNightResources,
        &kTwilightResources,
        &kPreferenceResources,
        &kHomeBitmapResources,
        &kChartBitmapResources,
        &kOverlayBitmapResources,
        &kMarsBitmapResources,
        &kMoonResources,
        &kMoonBitmapResources,
        &kEclipseResources,
        &kCompassResources,
        &kSatelliteResources,
        &kOrbitResources,
        &kChartFormResources,
        &kEarthBitmapResources,
        &kPlanetDetailResources,
        &kPlanetAssistantResources,
        &kVisibilityBitmapResources,
        &kObservingResources,
        &kObservingBitmapResources,
        &kObjectInfoResources,
        &kScopeResources,
        &kNStarResources,
        &kPolarResources,
    };
    return groups;
}

void InstallProgramResources() {
    for (const pl::ResourceGroup* group : ProgramResourceGroups()) pl::AddResourceGroup(*group);
}
