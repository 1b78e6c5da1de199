#include "scope/encoder_refresh_form.h"

#include <cstdint>

#include "platform/timer.h"
#include "ui/control_access.h"
#include "ui/current_form.h"
#include "ui/popup_list.h"

const char* const kEncoderRefreshRows[kEncoderRefreshRowCount] = {"Real Time", " 1/4s", " 1/2s", " 1s ",
                                                                  " 2s ",      " 3s ",  " 4s "};
const int kEncoderRefreshPeriods[kEncoderRefreshRowCount] = {125, 250, 500, 1000, 2000, 3000, 4000};

int encoderRefreshPeriod = 0;
int encoderRefreshIndex = 0;

namespace {

constexpr int kRefreshList = 2304;
constexpr int kRefreshTrigger = 2305;
constexpr std::uintptr_t kReadoutTimer = 1;

}  // namespace

void SetEncoderRefreshRate() {
    int row = Get(kRefreshList);
    if (row < 0 || row >= kEncoderRefreshRowCount) return;
    encoderRefreshIndex = row;
    encoderRefreshPeriod = kEncoderRefreshPeriods[row];
    SetPopupLabel(kRefreshTrigger, kEncoderRefreshRows[row]);
    pl::Hwnd form = GetCurrentFormWindow();
    pl::KillTimer(form, kReadoutTimer);
    pl::SetTimer(form, kReadoutTimer, static_cast<uint32_t>(encoderRefreshPeriod));
}
