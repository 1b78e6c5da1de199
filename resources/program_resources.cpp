#include "resources/program_resources.h"

void InstallProgramResources() {
    for (const pl::ResourceGroup* group : {&kShellResources, &kHomeResources, &kControlResources, &kUiResources,
                                           &kMemoResources, &kDialogResources, &kToolsResources, &kPreferenceResources,
                                           &kHomeBitmapResources, &kChartBitmapResources})
        pl::AddResourceGroup(*group);
}
