#include "tools/location_list_form.h"

#include <cstring>

#include "catalog/record_db.h"
#include "core/services.h"
#include "platform/focus.h"
#include "platform/messages.h"
#include "platform/window.h"
#include "tools/form_layout.h"
#include "tools/observer_site.h"
#include "ui/control_access.h"
#include "ui/control_registry.h"
#include "ui/draw_window.h"
#include "ui/form_controls.h"
#include "ui/forms.h"
#include "ui/owner_draw.h"
#include "ui/screen_layout.h"
#include "ui/simple_controls.h"
#include "ui/text_drawing.h"
#include "ui/title_control.h"

namespace {

constexpr uint32_t kInitFlags = pl::SHIDIF_DONEBUTTON | pl::SHIDIF_SIPDOWN | pl::SHIDIF_FULLSCREENNOMENUBAR;
constexpr int kRowHeight = 14;
constexpr int kPageUp = 0x21;
constexpr int kPageDown = 0x22;

pl::Hwnd listForm = nullptr;
int firstPaint = 1;
pl::ShActivateInfo activateInfo{};
RecordDbHandle* locationDb = nullptr;  // open from the first paint until the form closes
int recordCount = 0;

// Row i: the record's two names over the row's fill, so that the selected
// row shows them in the highlight colours; a first name too long for its
// column is cut short of the second.
void DrawLocationRow(int16_t row, const XywhRect& rect, int, int) {
    LocationDbRecord r;
    if (!ReadLocationRecord(locationDb, row, &r)) return;
    const bool previousMode = IsTextTransparent();
    SetTextTransparent(true);
    // The first name stops a space before the second one's column.
    const int room = ScaleX(95) - ScaleX(1) - CharsWidth(" ", 1);
    DrawPlainText(r.firstName, CharsFitting(r.firstName, static_cast<int>(std::strlen(r.firstName)), room),
                  rect.x + ScaleX(1), rect.y);
    DrawPlainText(r.secondName, static_cast<int>(std::strlen(r.secondName)), rect.x + ScaleX(95), rect.y);
    SetTextTransparent(previousMode);
}

// A chosen row: its coordinates in the fields (east longitudes with "E") and
// its number as the list choice; a record that cannot be read clears the
// choice. The form takes the focus back, so that the page keys reach it.
void ChooseRow(int row) {
    if (row < 0 || row >= recordCount) return;
    LocationDbRecord r;
    if (!ReadLocationRecord(locationDb, row, &r)) {
        locationListChoice = -1;
        return;
    }
    SetField(kListLatitudeField, CoordinateText(r.latitude, 'N', 'S').c_str());
    SetField(kListLongitudeField, CoordinateText(-r.longitude, 'E', 'W').c_str());  // east positive
    locationListChoice = row;
    pl::SetFocus(listForm);
}

// Page-up: the next row, page-down: the previous one, both wrapping.
pl::LResult Key(int key) {
    if (key != kPageUp && key != kPageDown) return 0;
    if (recordCount <= 0) return 1;
    int row = Get(kLocationRows);
    if (key == kPageUp) row = row + 1 >= recordCount ? 0 : row + 1;
    else row = row - 1 < 0 ? recordCount - 1 : row - 1;
    Set(kLocationRows, row);
    ChooseRow(row);
    return 1;
}

void OpenLocationList() {
    CloseRecordDb(&locationDb);
    if (!OpenLocationDatabase(&locationDb))
        ShowInformation("Could not retreive zendavori_location.ppc database.", "");
    recordCount = GetRecordCount(locationDb, 1);
    locationListChoice = -1;
    PushFormHistory(kLocationListForm);
    SetListItems(pl::GetDlgItem(listForm, kLocationRows), nullptr, recordCount);
}

// The list takes the extra width and height; the coordinate lines and the
// buttons keep to the bottom, "Cancel" to the right.
void LayoutLocationList(pl::Hwnd form) {
    pl::Rect client;
    int dx = 0, dy = 0;
    if (!pl::GetClientRect(form, &client) || !GetScreenSizeDelta(0, client.Width(), client.Height(), &dx, &dy)) return;
    MoveControlsExcept(form, {kLocationListTitle, kLocationRows}, 0, dy);
    MoveControl(form, kLocationRows, 0, 0, dx, dy);
    MoveControl(form, kLocationListCancel, dx, 0, 0, 0);
}

void InitLocationList(pl::Hwnd form) {
    listForm = form;
    activateInfo = pl::ShActivateInfo{};
    firstPaint = 1;
    InitFormWindow(form, kInitFlags);
    InitTitle(form, kLocationListTitle, "LocationList");
    InitList(form, kLocationRows, 0, -1, 1);
    for (int id : {kListLatitudeField, kListLongitudeField}) InitTextField(form, id, 1);
    LayoutLocationList(form);
}

void CloseLocationList(pl::Hwnd form) {
    CloseRecordDb(&locationDb);
    recordCount = 0;
    for (int id : {kLocationListTitle, kLocationRows, kListLatitudeField, kListLongitudeField})
        ReleaseControl(form, id);
}

void Command(int id) {
    switch (id) {
    case kLocationRows: ChooseRow(Get(kLocationRows)); return;
    case kLocationListCancel: locationListChoice = -1; [[fallthrough]];
    case kLocationListOk:
    case pl::IDOK: GoBackToPreviousForm(); return;
    default: return;
    }
}

}  // namespace

pl::LResult LocationListProc(pl::Hwnd form, uint32_t message, pl::WParam wParam, pl::LParam lParam) {
    switch (message) {
    case pl::WM_INITDIALOG: InitLocationList(form); return 1;
    case pl::WM_PAINT: PaintForm(form, OpenLocationList, &firstPaint, 0, 1); return 1;
    case pl::WM_ERASEBKGND: return 1;
    case pl::WM_MEASUREITEM: {
        auto* item = reinterpret_cast<pl::MeasureItem*>(lParam);
        if (item && item->ctlId == kLocationRows) item->itemHeight = ScaleY(kRowHeight);
        return 1;
    }
    case pl::WM_DRAWITEM: DrawOwnerItem(form, reinterpret_cast<const pl::DrawItem*>(lParam), DrawLocationRow); return 1;
    case pl::WM_KEYDOWN: return Key(static_cast<int>(wParam));
    case pl::WM_COMMAND: {
        int id = pl::LoWord(wParam), list = pl::HiWord(wParam);
        if (id == kCmdCloseForm) {
            CloseLocationList(form);
            DestroyCurrentForm();
            listForm = nullptr;
            return 1;
        }
        Command(list != 0 ? list : id);
        return 1;
    }
    case pl::WM_CLOSE: CloseLocationList(form); return 0;
    case pl::WM_ACTIVATE: HandleFormActivate(form, wParam, lParam, &activateInfo, 0); return 1;
    case pl::WM_SETTINGCHANGE: HandleFormSettingChange(form, wParam, lParam, &activateInfo); return 1;
    default: return 0;
    }
}
