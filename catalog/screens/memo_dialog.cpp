#include "catalog/screens/memo_dialog.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <new>
#include <string>

#include "catalog/memo.h"
#include "catalog/screens/name_rows.h"
#include "core/services.h"
#include "platform/controls.h"
#include "platform/dialog.h"
#include "platform/files.h"
#include "platform/gdi.h"
#include "platform/messages.h"
#include "platform/paint.h"
#include "platform/shell.h"
#include "platform/window.h"
#include "ui/background_paint.h"
#include "ui/control_registry.h"
#include "ui/draw_window.h"
#include "ui/form_controls.h"
#include "ui/forms.h"
#include "ui/owner_draw.h"
#include "ui/screen_layout.h"
#include "ui/shell_state.h"
#include "ui/simple_controls.h"
#include "ui/title_control.h"

NameTable memoNameTable;

namespace {

constexpr int kMemoDialog = 2900;
constexpr int kTitleId = 8011;
constexpr int kFileList = 2901;
constexpr int kOkButton = 2902;
constexpr int kImportButton = 2903;
constexpr int kVezizIvodoziForm = 1800;
constexpr char kMemoFolder[] = "userlists";
constexpr std::size_t kPreviewBytes = 256;  // shown as at most 255 characters
constexpr int kRowTextIndent = 2;
// Done button, input panel down, full screen without menu bar.
constexpr uint32_t kDialogInitFlags = pl::SHIDIF_DONEBUTTON | pl::SHIDIF_SIPDOWN | pl::SHIDIF_FULLSCREENNOMENUBAR;

int firstPaint = 1;
// Where the chosen file's text goes while the dialog runs; the name of the
// file read into it ("" when none was) and whether it was cut for length.
char* importBuffer = nullptr;
std::size_t importSize = 0;
std::string importedName;
bool importedCut = false;

// Ok stays at the left and moves down with the screen, Import moves right and
// down, the list grows with both.
void PlaceControls(pl::Hwnd dialog) {
    pl::Rect client;
    int dx = 0, dy = 0;
    if (!pl::GetClientRect(dialog, &client) || !GetScreenSizeDelta(0, client.Width(), client.Height(), &dx, &dy))
        return;
    MoveControl(dialog, kOkButton, 0, dy, 0, 0);
    MoveControl(dialog, kImportButton, dx, dy, 0, 0);
    MoveControl(dialog, kFileList, 0, 0, dx, dy);
}

void InitMemoDialog(pl::Hwnd dialog) {
    InitFormWindow(dialog, kDialogInitFlags);
    InitDialogTitle(dialog, kTitleId, "Import Memo File");
    InitList(dialog, kFileList, 0, -1, 1);
    PlaceControls(dialog);
    firstPaint = 1;
}

// The memo files, one row each.
void FillFileList(pl::Hwnd dialog) {
    int count = ScanNameTable(&memoNameTable, kMemoFolder, "*.txt");
    SetListItems(pl::GetDlgItem(dialog, kFileList), nullptr, count);
}

void PaintMemoDialog(pl::Hwnd dialog) {
    pl::PaintStruct ps;
    pl::Rect client;
    if (BeginBackgroundPaint(dialog, &ps, &client)) pl::EndPaint(dialog, &ps);
    if (firstPaint != 1) return;
    firstPaint = 0;
    FillFileList(dialog);
}

// A row: the file name, 2 pixels in from the row's left edge.
void DrawMemoRow(int16_t row, const XywhRect& rect, int, int) {
    DrawNameTableRow(memoNameTable, row, rect, kRowTextIndent);
}

int ListRowCount(pl::Hwnd dialog) { return ListGetCount(pl::GetDlgItem(dialog, kFileList)); }

// The name of the selected row; null when no row is selected.
const char* SelectedName(pl::Hwnd dialog) {
    int row = pl::ListViewGetSelectionMark(pl::GetDlgItem(dialog, kFileList));
    return row >= 0 && row < memoNameTable.Count() ? memoNameTable[row].data() : nullptr;
}

// The first bytes of the file (at most 255 characters, up to a NUL byte).
void PreviewMemo(const char* name) {
    std::string path = std::string(kMemoFolder) + "\\" + name;
    std::FILE* file = pl::OpenFile(path, "rb");
    if (!file) {
        ShowInformation("Can't open file.", path);
        return;
    }
    char head[kPreviewBytes];
    std::size_t n = std::fread(head, 1, sizeof head, file);
    std::fclose(file);
    if (n == 0) {
        ShowInformation("Can't read header.", "");
        return;
    }
    ShowInformation("Beginning of memo data:", std::string(head, strnlen(head, std::min(n, kPreviewBytes - 1))));
}

void CloseMemoDialog(pl::Hwnd dialog) {
    firstPaint = 1;
    ReleaseControl(dialog, kTitleId);
    ReleaseControl(dialog, kFileList);
    pl::EndDialog(dialog, 0);
}

// Import: the selected file into the buffer, then the dialog closes. Without
// rows, or without a selected row, nothing happens.
void ImportSelected(pl::Hwnd dialog) {
    const char* name = SelectedName(dialog);
    if (ListRowCount(dialog) < 1 || !name) return;
    if (importBuffer && ReadMemoFile(name, importBuffer, importSize, &importedCut)) importedName = name;
    CloseMemoDialog(dialog);
}

pl::LResult HandleCommand(pl::Hwnd dialog, int command) {
    switch (command) {
    case kFileList:
        if (const char* name = SelectedName(dialog)) PreviewMemo(name);
        return 1;
    case kImportButton: ImportSelected(dialog); return 1;
    case kOkButton:
    case pl::IDOK:
    case pl::IDCANCEL: CloseMemoDialog(dialog); return 1;
    default: return 0;
    }
}

}  // namespace

pl::LResult MemoImportDialogProc(pl::Hwnd dialog, uint32_t message, pl::WParam wParam, pl::LParam lParam) {
    switch (message) {
    case pl::WM_INITDIALOG: InitMemoDialog(dialog); return 1;
    case pl::WM_PAINT: PaintMemoDialog(dialog); return 1;
    case pl::WM_ERASEBKGND: return 1;
    case pl::WM_DRAWITEM:
        DrawOwnerItem(dialog, reinterpret_cast<const pl::DrawItem*>(lParam), DrawMemoRow);
        return 1;
    case pl::WM_COMMAND: return HandleCommand(dialog, pl::LoWord(wParam));
    case pl::WM_CLOSE: CloseMemoDialog(dialog); return 1;
    default: return 0;
    }
}

namespace {

// Runs the dialog: the chosen file's text into `buffer`, its name into
// importedName ("" when none was read) and whether it was cut into
// importedCut, with nothing told of the cut.
void ReadChosenMemo(char* buffer, std::size_t size) {
    buffer[0] = '\0';
    importBuffer = buffer;
    importSize = size;
    importedName.clear();
    importedCut = false;
    RunDialogResource(kMemoDialog, MemoImportDialogProc);
    importBuffer = nullptr;
    importSize = 0;
}

}  // namespace

char* ImportMemoFile(char* buffer, std::size_t size) {
    if (!buffer || size == 0) return buffer;
    ReadChosenMemo(buffer, size);
    if (importedCut) ShowInformation("Memo file too long.", importedName);
    return buffer;
}

int ImportListFromMemo() {
    const std::size_t size = MemoImportBufferSize();
    char* buffer = new (std::nothrow) char[size]();
    if (!buffer) return 0;
    ReadChosenMemo(buffer, size);
    // A file that gives no entry leaves the list as it was.
    const bool imported = !importedName.empty() && ImportMemoFileText(importedName.c_str(), buffer, importedCut) > 0;
    delete[] buffer;
    if (!imported) {
        GotoForm(GetCurrentFormId());
        return 0;
    }
    GotoForm(kVezizIvodoziForm);
    return 1;
}
