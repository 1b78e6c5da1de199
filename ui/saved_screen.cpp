#include "ui/saved_screen.h"

#include "core/services.h"
#include "platform/drawing.h"
#include "ui/colors.h"
#include "ui/offscreen.h"

namespace {

DrawWindowRecord* offscreenSaved = nullptr;

}  // namespace

void SaveScreen() {
    pl::Rect client = GetDrawClientRect();
    int width = client.Width(), height = client.Height();
    if (!offscreenSaved || offscreenSaved->right != width || offscreenSaved->bottom != height) {
        FreeSavedScreen();
        offscreenSaved = CreateOffscreenDib(width, height, 16);
        if (!offscreenSaved) {
            ShowInformation("Failed to allocate offscreenSaved", "");
            return;
        }
        pl::FillRect(offscreenSaved->dc, client, GetBackgroundBrush());
    }
    pl::BitBlt(offscreenSaved->dc, 0, 0, width, height, GetDrawDc(), 0, 0);
}

void RestoreSavedScreen(int bottomStrip) {
    if (!offscreenSaved) return;
    pl::Rect client = GetDrawClientRect();
    pl::BitBlt(GetDrawDc(), 0, 0, client.Width(), client.Height() - bottomStrip, offscreenSaved->dc, 0, 0);
}

void FreeSavedScreen() {
    DeleteOffscreenWindow(offscreenSaved);
    offscreenSaved = nullptr;
}

DrawWindowRecord* GetSavedScreen() { return offscreenSaved; }
