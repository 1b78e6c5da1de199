#include "ui/font_set.h"

#include <array>

#include "core/services.h"
#include "platform/files.h"
#include "platform/fonts.h"
#include "platform/message_queue.h"
#include "platform/messages.h"
#include "ui/draw_window.h"

namespace {

constexpr int kBold = 700;
constexpr char kSymbolFontFile[] = "font\\symbol.ttf";
constexpr char kSymbolFace[] = "symbol";

struct FontSet {
    std::array<pl::Hfont, kFontCount> handle{};
    int current = 0;
    bool built = false;
    std::string symbolPath;  // the file installed for ids 6 and 7
} fontSet;

pl::Hfont MakeFont(pl::FontDesc desc, int height, int weight) {
    desc.height = height;
    desc.weight = weight;
    return pl::CreateFontIndirect(desc);
}

// Ids 6 and 7 in the symbol face, each falling back to its plain twin.
void MakeSymbolFonts(pl::FontDesc desc, int h, int small) {
    fontSet.symbolPath = pl::ProgramPath() + kSymbolFontFile;
    if (AddFontFile(fontSet.symbolPath) == 0) {
        ShowInformation("Symbol Font not found.", "");
        fontSet.handle[6] = fontSet.handle[0];
        fontSet.handle[7] = fontSet.handle[2];
        return;
    }
    desc.face = kSymbolFace;
    desc.charSet = pl::kSymbolCharset;
    fontSet.handle[6] = MakeFont(desc, h, 400);
    if (!fontSet.handle[6]) {
        ShowInformation("Can't create symbolStdFont", "");
        fontSet.handle[6] = fontSet.handle[0];
    }
    fontSet.handle[7] = MakeFont(desc, h * small / 100, 400);
    if (!fontSet.handle[7]) {
        ShowInformation("Can't create symbolSmallFont", "");
        fontSet.handle[7] = fontSet.handle[2];
    }
}

void BuildFontSet() {
    fontSet.built = true;
    pl::FontDesc desc;
    if (!pl::GetFontDesc(pl::GetCurrentFont(GetDrawDc()), &desc)) pl::GetFontDesc(pl::GetSystemFont(), &desc);
    int h = desc.height;
    bool unitScale = static_cast<int>(displayScale.scaleX) == 1;
    int big = unitScale ? 95 : 90, small = unitScale ? 80 : 75;
    fontSet.handle[0] = MakeFont(desc, h * big / 100, desc.weight);
    fontSet.handle[2] = MakeFont(desc, h * small / 100, desc.weight);
    fontSet.handle[4] = MakeFont(desc, h * big / 100, desc.weight);
    fontSet.handle[1] = MakeFont(desc, h, kBold);
    fontSet.handle[3] = MakeFont(desc, h * small / 100, kBold);
    fontSet.handle[5] = MakeFont(desc, h * big / 100, kBold);
    MakeSymbolFonts(desc, h, small);
}

void DeleteFont(int id) {
    if (fontSet.handle[id]) pl::DeleteObject(fontSet.handle[id]);
}

}  // namespace

int SelectFont(int id) {
    if (!fontSet.built) BuildFontSet();
    int previous = fontSet.current;
    fontSet.current = 0;
    if (id >= 0 && id < kFontCount && fontSet.handle[id] && pl::SelectObject(GetDrawDc(), fontSet.handle[id]))
        fontSet.current = id;
    return previous;
}

int GetCurrentFontId() { return fontSet.current; }

void ResetCurrentFontId() { fontSet.current = 0; }

pl::Hfont GetFontHandle(int id) { return id >= 0 && id < kFontCount ? fontSet.handle[id] : nullptr; }

void ReleaseFonts() {
    if (fontSet.handle[6] && fontSet.handle[6] != fontSet.handle[0]) {
        if (pl::RemoveFontResourceFile(fontSet.symbolPath))
            pl::SendBroadcast(pl::WM_FONTCHANGE, 0, 0);
        else
            ReportFontRemovalFailure();
        DeleteFont(6);
    }
    if (fontSet.handle[7] && fontSet.handle[7] != fontSet.handle[2]) DeleteFont(7);
    for (int id = 0; id <= 5; ++id) DeleteFont(id);
    fontSet = FontSet{};
}
