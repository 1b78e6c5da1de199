#include "resources/program_resources.h"

void InstallProgramResources() {
    for (const pl::ResourceGroup* group : {&kShellResources, &kUiResources}) pl::AddResourceGroup(*group);
}
