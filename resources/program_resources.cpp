#include "resources/program_resources.h"

void InstallProgramResources() {
    for (const pl::ResourceGroup* group : {&kShellResources}) pl::AddResourceGroup(*group);
}
