// Every text of every dialog template fits its control in the dialog font, on
// the design screen and on the double-resolution one; and the program starts
// without the Tahoma files.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "platform/control_paint.h"
#include "platform/dc.h"
#include "platform/dialog.h"
#include "platform/fonts.h"
#include "platform/screen.h"
#include "platform/text.h"
#include "resources/program_resources.h"
#include "support/program_fixture.h"

namespace {

// What does not fit: the control's label is cut or wraps past its height.
// Statics wrap between words; buttons and check boxes draw one line, a check
// box's text starting 4 pixels (scaled) right of its box.
std::string Overflow(const pl::ControlTemplate& c, pl::Hdc dc) {
    int width = pl::DialogUnitsToPixelsX(c.width), height = pl::DialogUnitsToPixelsY(c.height);
    if (c.kind == pl::kCheckBoxControl) width -= std::min(height, 13 * pl::PixelScale()) + 4 * pl::PixelScale();
    pl::Rect r{0, 0, width, height};
    unsigned format = pl::kTextCalcRect | (c.kind == pl::kStaticControl ? pl::kTextWordBreak : pl::kTextSingleLine);
    pl::DrawText(dc, c.text, &r, format);
    if (r.right <= width && r.bottom <= height) return "";
    return std::to_string(c.id) + " \"" + c.text + "\" needs " + std::to_string(r.right) + " x " +
           std::to_string(r.bottom) + " in " + std::to_string(width) + " x " + std::to_string(height);
}

// "Max Selected items" needs 92 pixels in Tahoma at 11 pixels (106 at the
// system font's 12, 121 in DejaVu Sans) and 201 at 192 dpi, hinted.
TEST(TemplateFonts, EveryLabelFitsItsControlOnBothScreens) {
    ASSERT_EQ(pl::GetSystemFontFamily(), "Tahoma");
    for (pl::ScreenInfo screen : {pl::kHeadlessScreen, pl::kWindowScreen}) {
        pl::SetScreenInfo(screen);
        pl::Hdc dc = pl::CreateCompatibleDC(nullptr);
        pl::SelectObject(dc, pl::GetDialogFont());
        int checked = 0;
        for (const pl::ResourceGroup* group : ProgramResourceGroups())
            for (const pl::DialogTemplate& d : group->dialogs)
                for (const pl::ControlTemplate& c : d.controls) {
                    if (c.kind == pl::kEditControl || c.kind == pl::kListViewControl || !c.text[0]) continue;
                    ++checked;
                    EXPECT_EQ(Overflow(c, dc), "") << "dialog " << d.id << " at " << screen.dpi << " dpi";
                }
        EXPECT_GT(checked, 150);
        pl::DeleteDC(dc);
    }
    pl::SetScreenInfo(pl::kHeadlessScreen);
}

class WithoutTahoma : public ProgramTest {};

TEST_F(WithoutTahoma, TheProgramStartsInDejaVuSansAndSaysNothing) {
    pl::SetTahomaFolder("/nonexistent/fonts/");
    ASSERT_TRUE(StartProgram());
    EXPECT_EQ(pl::GetSystemFontFamily(), "DejaVu Sans");
    EXPECT_EQ(BoxCount(), 0);
    QuitProgram();
    pl::SetTahomaFolder("");
}

}  // namespace
