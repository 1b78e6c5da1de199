#include "scope/n_star_form.h"

#include <cstring>

#include "catalog/designations.h"
#include "catalog/stars.h"
#include "chart/star_labels.h"
#include "core/services.h"
#include "platform/controls.h"
#include "platform/dialog.h"
#include "platform/messages.h"
#include "platform/shell.h"
#include "platform/text.h"
#include "platform/window.h"
#include "scope/n_star.h"
#include "scope/n_star_file.h"
#include "scope/n_star_list.h"
#include "ui/control_access.h"
#include "ui/control_registry.h"
#include "ui/draw_window.h"
#include "ui/form_controls.h"
#include "ui/forms.h"
#include "ui/number_field.h"
#include "ui/owner_draw.h"
#include "ui/popup_list.h"
#include "ui/screen_layout.h"
#include "ui/simple_controls.h"
#include "ui/text_drawing.h"
#include "ui/title_control.h"

namespace {

// Done button, input panel down, full screen without menu bar.
constexpr uint32_t kInitFlags = pl::SHIDIF_DONEBUTTON | pl::SHIDIF_SIPDOWN | pl::SHIDIF_FULLSCREENNOMENUBAR;
constexpr int kInfoBitmap = 5076;
constexpr pl::ColorRef kInfoKey = 0x00FF00;
constexpr int kRowHeight = 14;
constexpr int kTextFields[] = {kObsRaField,     kObsDecField,    kTrueAxis1Field,
                               kTrueAxis2Field, kCalcAxis1Field, kCalcAxis2Field};
constexpr int kBottomButtons[] = {kNStarOk, kNStarSync, kNStarCalc, kNStarSave, kNStarLoad};

constexpr char kHelpText[] =
    "Tap Add to choose 4 or more stars. For each, center it in your reticle eyepiece. Then tap Sync after each "
    "entry. In case of manual inputs tap Sync after.";
constexpr char kHelpDetail[] = "Calc will compute the pointing correction parameters.";

int firstPaint = 1;
pl::ShActivateInfo activateInfo{};

// A row of the list: a bright star of the HR catalogue by its own name, any
// other entry by the name it was given.
void DrawRow(int16_t row, const XywhRect& rect, int, int) {
    const AlignmentStar* list = GetAlignmentStarList();
    if (!list || row < 0 || row >= alignmentStarCount) return;
    const AlignmentStar& e = list[row];
    pl::Size size{};
    pl::GetTextExtent(GetDrawDc(), "Ap", &size);
    const int x = rect.x + ScaleX(2), y = rect.y + (rect.height - size.height) / 2;
    const bool transparent = IsTextTransparent();
    SetTextTransparent(true);
    if (e.kind == kDesignationHr) DrawStarName(e.index, x, y, 0);
    else DrawPlainText(e.name, static_cast<int>(strnlen(e.name, sizeof e.name - 1)), x, y);
    SetTextTransparent(transparent);
}

void InitScalePopup(pl::Hwnd form, int trigger, int list, int row) {
    for (int i = kNStarScaleRows - 1; i >= 0; --i) AddListRow(form, list, kNStarScaleLabels[i]);
    InitPopupList(form, trigger, list, -1, 0, row);
}

// On a larger screen the buttons along the bottom follow its bottom edge, the
// list of stars grows down to them and the help button follows the right edge.
void LayoutNStarForm(pl::Hwnd form) {
    pl::Rect client;
    int dx = 0, dy = 0;
    if (!pl::GetClientRect(form, &client) || !GetScreenSizeDelta(0, client.Width(), client.Height(), &dx, &dy))
        return;
    for (int id : kBottomButtons) MoveControl(form, id, 0, dy, 0, 0);
    MoveControl(form, kNStarList, 0, 0, 0, dy);
    MoveControl(form, kNStarInfo, dx, 0, 0, 0);
}

void InitNStarForm(pl::Hwnd form) {
    activateInfo = pl::ShActivateInfo{};
    firstPaint = 1;
    InitFormWindow(form, kInitFlags);
    InitTitle(form, kNStarTitle, "   N-Star   ");
    pl::SetDlgItemText(form, kNStarTitle, "   N-Star   ");  // the control's text is the title shown
    InitBitmapButton(form, kNStarInfo, kInfoBitmap, 1, kInfoKey);
    for (int id : kTextFields) InitTextField(form, id, 0);
    InitTextField(form, kMeanErrorField, 1);
    InitScalePopup(form, kScale1Trigger, kScale1List, nStarScale1);
    InitScalePopup(form, kScale2Trigger, kScale2List, nStarScale2);
    InitList(form, kNStarList, 0, -1, 1);
    LayoutNStarForm(form);
}

void ReleaseNStarForm(pl::Hwnd form) {
    firstPaint = 1;
    if (pl::Hwnd rows = pl::GetDlgItem(form, kNStarList)) SetListItems(rows, nullptr, 0);
    for (int id : {kNStarTitle, kNStarInfo, kScale1Trigger, kScale2Trigger, kNStarList, kMeanErrorField})
        ReleaseControl(form, id);
    for (int id : kTextFields) ReleaseControl(form, id);
}

void EditField(pl::Hwnd form, int id) {
    if (const NumberField* field = FindNStarField(id)) EditNumberField(form, *field);
}

void Load() {
    LoadNStarList();
    RedrawNStarForm();
}

pl::LResult Command(int id) {
    switch (id) {
    case kNStarAdd: ChooseNStar(); return 1;
    case kNStarDel: DeleteNStar(); return 1;
    case kNStarSync: SyncNStar(); return 1;
    case kNStarCalc: CalcNStar(); return 1;
    case kNStarSave: SaveNStarList(); return 1;
    case kNStarLoad: Load(); return 1;
    case kNStarList: SelectNStarRow(Get(kNStarList)); return 1;
    case kScale1List:
        SetNStarScale(1, Get(kScale1List));
        SetPopupList(kScale1Trigger, kScale1List, nStarScale1);
        return 1;
    case kScale2List:
        SetNStarScale(2, Get(kScale2List));
        SetPopupList(kScale2Trigger, kScale2List, nStarScale2);
        return 1;
    case kNStarInfo: ShowInformation(kHelpText, kHelpDetail); return 1;
    case pl::IDOK:
    case kNStarOk: GoBackToPreviousForm(); return 1;
    default: return 0;
    }
}

}  // namespace

void NStarOpen() {
    PushFormHistory(kNStarForm);
    if (!IsStarCatalogLoaded()) LoadStarCatalog(1);
    RedrawNStarForm();
}

pl::LResult NStarDialogProc(pl::Hwnd form, uint32_t message, pl::WParam wParam, pl::LParam lParam) {
    switch (message) {
    case pl::WM_INITDIALOG: InitNStarForm(form); return 1;
    case pl::WM_PAINT: PaintForm(form, NStarOpen, &firstPaint, 0, 1); return 1;
    case pl::WM_ERASEBKGND: return 1;
    case pl::WM_MEASUREITEM: {
        auto* item = reinterpret_cast<pl::MeasureItem*>(lParam);
        if (item && item->ctlId == kNStarList) item->itemHeight = ScaleY(kRowHeight);
        return 1;
    }
    case pl::WM_DRAWITEM: DrawOwnerItem(form, reinterpret_cast<const pl::DrawItem*>(lParam), DrawRow); return 1;
    case kMsgEditField: EditField(form, static_cast<int>(wParam)); return 1;
    case pl::WM_COMMAND: {
        int id = pl::LoWord(wParam), list = pl::HiWord(wParam);
        if (id == kCmdCloseForm) {
            ReleaseNStarForm(form);
            DestroyCurrentForm();
            return 1;
        }
        return Command(list != 0 ? list : id);
    }
    case pl::WM_CLOSE: ReleaseNStarForm(form); return 0;
    case pl::WM_ACTIVATE: HandleFormActivate(form, wParam, lParam, &activateInfo, 0); return 1;
    case pl::WM_SETTINGCHANGE: HandleFormSettingChange(form, wParam, lParam, &activateInfo); return 1;
    default: return 0;
    }
}
