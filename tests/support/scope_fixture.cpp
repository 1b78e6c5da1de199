#include "support/scope_fixture.h"

#include "core/preferences.h"
#include "core/shared_state.h"
#include "scope/alignment.h"
#include "scope/encoder_box.h"
#include "scope/encoder_simulation.h"
#include "scope/meade.h"
#include "scope/nexstar.h"
#include "scope/pointing_model.h"
#include "scope/scope_dispatch.h"
#include "scope/scope_form.h"
#include "scope/serial_link.h"
#include "ui/shell_state.h"

namespace {

void ResetScope() {
    ResetSharedState();
    ResetSerialLink();
    ResetMeadeDriver();
    ResetNexStarDriver();
    ResetSimulatedEncoder();
    ResetEncoderBox();
    ResetScopeDispatch();
    ResetAlignmentModel();
    ResetPointingModel();
    ResetShellState();
    scopeFormRequested = 0;
}

}  // namespace

ScopeTest::ScopeTest() {
    ResetScope();
    preferences.word[kPrefDriveId] = 5;
    preferences.word[kPrefScopePort] = 1;
    preferences.word[kPrefAlignMethod] = 1;
    preferences.word[kPrefRaFormat] = 1;
    preferences.word[kPrefDecFormat] = 1;
}

ScopeTest::~ScopeTest() { ResetScope(); }
