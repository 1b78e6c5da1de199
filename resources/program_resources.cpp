#include "resources/program_resources.h"

void InstallProgramResources() {
    for (const pl::ResourceGroup* group : {&kShellResources, &kHomeResources, &kControlResources, &kUiResources,
                                           &kMemoResources, &kDialogResources, &kPreferenceResources,
                                           &kHomeBitmapResources, &kChartBitmapResources,
                                           &kMarsBitmapResources})
        pl::AddResourceGroup(*group);
}
