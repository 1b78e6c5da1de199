#include "scope/alignment_restore.h"

#include "core/julian_day.h"
#include "core/preferences.h"
#include "core/services.h"
#include "core/shared_state.h"
#include "scope/alignment.h"
#include "scope/encoder_offsets.h"

double alignmentSavedJd = 0.0;
int restoreOffered = 1;
void (*restoreAlignmentHook)() = nullptr;

namespace {

constexpr int kSavedAltOffsetWord = 220;
constexpr int kSavedAzOffsetWord = 221;

}  // namespace

void AskRestoreLastAlignment() {
    if (IsAlignmentValid() == 0 && restoreOffered == 1) {
        const DateTime& t = currentDateTime;
        double now = JulianDayFromDateTime(t.year, t.month, t.day, t.hour, t.minute, t.second, currentSite.zoneMinutes);
        if (now - alignmentSavedJd < 0.5) {
            if (AskYesNo("Would you want to restore your last alignment?") == 0) {
                if (restoreAlignmentHook) restoreAlignmentHook();
            } else {
                alignmentSavedJd = 0.0;
                preferences.word[kSavedAltOffsetWord] = 0;
                preferences.word[kSavedAzOffsetWord] = 0;
                ResetEncoderOffsets();
            }
        }
    }
    restoreOffered = 0;
}

void ResetAlignmentRestore() {
    alignmentSavedJd = 0.0;
    restoreOffered = 1;
    restoreAlignmentHook = nullptr;
}
