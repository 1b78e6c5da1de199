// The program's resources: one group of tables per folder of forms. Start-up
// (and every test that opens forms) installs them all.
#pragma once

#include "platform/resources.h"

// The shell's strings, menus 102 and 103, menu bars 102 and 103 and
// accelerator table 3.
extern const pl::ResourceGroup kShellResources;

// Installs every group below with pl::AddResourceGroup (safe to repeat).
void InstallProgramResources();
