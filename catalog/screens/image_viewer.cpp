#include "catalog/screens/image_viewer.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "catalog/object_pictures.h"
#include "catalog/selection_list.h"
#include "core/services.h"
#include "platform/dialog.h"
#include "platform/focus.h"
#include "platform/message_queue.h"
#include "platform/messages.h"
#include "platform/paint.h"
#include "platform/screen.h"
#include "platform/shell.h"
#include "platform/window.h"
#include "ui/bitmaps.h"
#include "ui/colors.h"
#include "ui/current_form.h"
#include "ui/draw_window.h"
#include "ui/forms.h"
#include "ui/input_polling.h"
#include "ui/primitives.h"
#include "ui/saved_screen.h"
#include "ui/screen_layout.h"
#include "ui/shell_state.h"
#include "ui/text_drawing.h"
#include "ui/title_control.h"

namespace {

constexpr int kViewerDialog = 1940;
constexpr int kBoldCaptionBelow = 160;  // boxes narrower than this get a bold caption
constexpr int kScanWithoutKeys = 10;    // entries scanned before a held arrow key stops the scan
// Done button, input panel down, full screen without menu bar.
constexpr uint32_t kViewerInitFlags = pl::SHIDIF_DONEBUTTON | pl::SHIDIF_SIPDOWN | pl::SHIDIF_FULLSCREENNOMENUBAR;

pl::Hwnd formBelow = nullptr;
pl::ShActivateInfo viewerActivateInfo{};
// A picture the viewer could not decode is reported once: the box's closing
// repaints the viewer, which would otherwise report it again for ever.
std::string undecodedPath;

bool IsNextKey(int key) { return key == pl::VK_PRIOR || key == pl::VK_RIGHT || key == pl::VK_DOWN; }
bool IsPreviousKey(int key) { return key == pl::VK_NEXT || key == pl::VK_LEFT || key == pl::VK_UP; }

void DrawCaption(int x, int y, int width) {
    pl::ColorRef ink = GetNightMode() != 0 ? pl::Rgb(255, 0, 0) : pl::Rgb(255, 255, 255);
    pl::ColorRef previousText = SetTextColorRef(ink);
    pl::ColorRef previousBack = SetBackColor(pl::Rgb(0, 0, 0));
    int length = static_cast<int>(std::strlen(imageRequest.name));
    if (width < kBoldCaptionBelow) DrawLabelText(imageRequest.name, length, x, y);
    else DrawPlainText(imageRequest.name, length, x, y);
    SetBackColor(previousBack);
    SetTextColorRef(previousText);
}

// DrawRequestedImage; `load` false leaves the picture out (box and caption only).
// False when the picture was asked for and could not be drawn.
bool DrawRequest(int x, int y, int width, int height, bool caption, bool load) {
    std::string path = RequestedImagePath();
    if (path.empty()) {
        ShowInformation("Unkown image folder", "");
        return false;
    }
    if (caption) {
        pl::ColorRef previous = SetForeColor(pl::Rgb(0, 0, 0));
        FillRectangle(XywhRect{x, y, width, height}, 0);
        SetForeColor(previous);
    }
    bool drawn = !load || DrawBitmapFileScaled(path, x, y, width, height) != 0;
    if (caption) DrawCaption(x, y, width);
    return drawn;
}

void ReadScreenSize() { GetScreenSize(&imageRequest.screenWidth, &imageRequest.screenHeight); }

void DrawFullScreen() {
    std::string path = RequestedImagePath();
    bool load = path != undecodedPath;
    if (!DrawRequest(0, 0, imageRequest.screenWidth, imageRequest.screenHeight, true, load)) undecodedPath = path;
}

// The request's name becomes the file name BuildImagePath found.
void TakeTestedName() { std::snprintf(imageRequest.name, sizeof imageRequest.name, "%s", imageRequest.tested); }

bool ShownEntryHasPicture(int row) {
    const SelectionEntry* entry = selectionListPtr ? selectionListPtr[row] : nullptr;
    return entry && BuildImagePath(ListEntryPictureName(*entry).c_str(), imageRequest.folder, entry->designation);
}

void BrowseNext() {
    int start = imageBrowseIndex > 0 ? imageBrowseIndex : 1;
    for (int i = start; i < selectionShownCount; ++i) {
        if (i - start > kScanWithoutKeys && IsArrowKeyDown()) break;
        if (ShownEntryHasPicture(i)) {
            imageBrowseIndex = i;
            ShowNextListImage();
            break;
        }
    }
    if (imageBrowseIndex >= selectionShownCount) --imageBrowseIndex;
}

void BrowsePrevious() {
    for (int i = imageBrowseIndex - 2 > 0 ? imageBrowseIndex - 2 : 0; i >= 0; --i) {
        if (imageBrowseIndex - i > kScanWithoutKeys && IsArrowKeyDown()) {
            imageBrowseIndex = i;
            return;
        }
        if (ShownEntryHasPicture(i)) {
            imageBrowseIndex = i;
            ShowNextListImage();
            return;
        }
    }
    imageBrowseIndex = 0;
}

// A paint cycle of the viewer through a fresh draw window: the picture, the
// browse step of a key, or nothing. The viewer keeps a context of its own
// as the draw window afterwards.
void PaintViewer(pl::Hwnd viewer, void (*draw)(int), int key) {
    pl::Invalidate(viewer, nullptr, false);
    pl::PaintStruct ps;
    pl::Hdc dc = pl::BeginPaint(viewer, &ps);
    if (!dc) return;
    InitDrawWindow(viewer, dc);
    if (draw) draw(key);
    pl::EndPaint(viewer, &ps);
    InitDrawWindowOwnDc(viewer);
}

void InitViewer(pl::Hwnd viewer) {
    viewerActivateInfo = pl::ShActivateInfo{};
    undecodedPath.clear();
    // Read before the viewer shows: its activation makes it the current form window.
    formBelow = GetCurrentFormWindow();
    InitFormWindow(viewer, kViewerInitFlags);
    InitDialogTitle(viewer, -1, "");
    SetCurrentFormWindow(viewer);
    pl::SetFocus(viewer);
}

// OK: the main window fills the screen again beneath, the form below becomes
// current and the viewer ends.
void CloseViewer(pl::Hwnd viewer) {
    if (pl::IsWindow(mainWindow)) {
        pl::ScreenInfo screen = pl::GetScreenInfo();
        pl::SetWindowPos(mainWindow, nullptr, 0, 0, screen.width, screen.height, pl::SWP_NOZORDER | pl::SWP_SHOWWINDOW);
        pl::ShFullScreen(mainWindow, kFullScreenHide);
        pl::Invalidate(mainWindow, nullptr, true);
        pl::UpdateNow(mainWindow);
    }
    SetCurrentFormWindow(formBelow);
    pl::EndDialog(viewer, 0);
}

}  // namespace

bool ShowObjectImage(const char* name, int x, int y, int width, int height, bool modal, int folder, int kind) {
    std::string picture = ImagePictureName(name);
    imageRequest.folder = folder;
    imageRequest.kind = kind;
    if (!BuildImagePath(picture.c_str(), folder, kind)) return false;
    TakeTestedName();
    if (modal) {
        SaveScreen();
        RunDialogResource(kViewerDialog, ImageViewerProc);
        RestoreSavedScreen(0);
        return true;
    }
    FlushPenEvents();
    DrawRequestedImage(x, y, width, height, true);
    return true;
}

void DrawRequestedImage(int x, int y, int width, int height, bool caption) {
    DrawRequest(x, y, width, height, caption, true);
}

void PaintImageViewer() {
    ReadScreenSize();
    DrawFullScreen();
    FlushPenEvents();
}

void ShowNextListImage() {
    if (imageBrowseIndex < 0) imageBrowseIndex = 0;
    if (imageBrowseIndex >= selectionShownCount) return;
    ReadScreenSize();
    for (; imageBrowseIndex < selectionShownCount; ++imageBrowseIndex) {
        if (!ShownEntryHasPicture(imageBrowseIndex)) continue;
        TakeTestedName();
        DrawFullScreen();
        ++imageBrowseIndex;
        return;
    }
}

void BrowseListImages(int key) {
    if (IsNextKey(key)) BrowseNext();
    else if (IsPreviousKey(key)) BrowsePrevious();
}

pl::LResult ImageViewerProc(pl::Hwnd viewer, uint32_t message, pl::WParam wParam, pl::LParam lParam) {
    switch (message) {
    case pl::WM_INITDIALOG: InitViewer(viewer); return 1;
    case pl::WM_PAINT: PaintViewer(viewer, [](int) { PaintImageViewer(); }, 0); return 1;
    case pl::WM_ERASEBKGND: return 1;
    case pl::WM_KEYDOWN: {
        int key = static_cast<int>(wParam);
        if (!IsNextKey(key) && !IsPreviousKey(key)) return 0;
        PaintViewer(viewer, BrowseListImages, key);
        return 1;
    }
    case pl::WM_LBUTTONUP:
        PaintViewer(viewer, nullptr, 0);
        pl::SendMessage(viewer, pl::WM_COMMAND, pl::IDOK, 0);
        return 1;
    case pl::WM_COMMAND:
        if (pl::LoWord(wParam) != pl::IDOK) return 0;
        CloseViewer(viewer);
        return 1;
    case pl::WM_ACTIVATE: HandleFormActivate(viewer, wParam, lParam, &viewerActivateInfo, 1); return 1;
    case pl::WM_SETTINGCHANGE: pl::ShHandleWmSettingChange(viewer, wParam, lParam, &viewerActivateInfo); return 1;
    default: return 0;
    }
}
