// The eclipse assistant (2700) over the running program: opened from the menu,
// driven by taps and typed fields, read from its state, controls and boxes.
#include "eclipse/eclipse_form.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalog/databases.h"
#include "core/preferences.h"
#include "eclipse/eclipse_list.h"
#include "platform/color.h"
#include "platform/controls.h"
#include "platform/dialog.h"
#include "platform/focus.h"
#include "platform/message_queue.h"
#include "platform/window.h"
#include "support/program_fixture.h"
#include "ui/colors.h"
#include "ui/forms.h"

namespace {

constexpr int kOkButtonY = 113 + 84 + 10;  // the text input dialog's buttons

class EclipseForm : public ProgramTest {
protected:
    void SetUp() override {
        harness.setLocalTime(pl::LocalTime{2024, 3, 5, 21, 10, 0});
        ResetCatalogState();
        ResetEclipseForm();
        ASSERT_TRUE(StartProgram());
        Open();
    }
    void Open() {
        MainCommand(1029);
        form = GetCurrentFormDialog();
        ASSERT_NE(pl::GetDlgItem(form, 2704), nullptr);
    }
    std::string Text(int id) const { return pl::GetDlgItemText(form, id); }
    void Press(int id) { Tap(Centre(pl::GetDlgItem(form, id))); }
    void TapRow(int list, int row) { Tap(RowCentre(pl::GetDlgItem(form, list), row)); }
    void ChooseView(int row) {
        Press(2702);
        TapRow(2703, row);
    }
    void TypeYear(const char* year) {
        Press(2708);
        pl::Hwnd input = pl::GetActiveWindow();
        ASSERT_NE(input, form);
        Ui([input, year] { pl::SetDlgItemText(input, 137, year); });
        harness.tap(35, kOkButtonY);
    }
    int Rows() const { return pl::ListViewGetItemCount(pl::GetDlgItem(form, 2704)); }
    // Screen pixels (5 bits a channel) of the text columns of a list row.
    std::vector<uint32_t> RowPixels(int row) const {
        pl::Hwnd list = pl::GetDlgItem(form, 2704);
        pl::Rect r;
        pl::SendMessage(list, pl::LVM_GETITEMRECT, static_cast<pl::WParam>(row), reinterpret_cast<pl::LParam>(&r));
        pl::Point origin{0, 0};
        pl::ClientToScreen(list, &origin);
        std::vector<uint32_t> pixels;
        for (int y = r.top + 1; y < r.bottom - 1; ++y)
            for (int x = r.left + 2; x < r.left + 160; ++x) pixels.push_back(harness.pixel(origin.x + x, origin.y + y) & 0xF8F8F8u);
        return pixels;
    }
    pl::Hwnd form = nullptr;
};

// The first opening lists from 2006-01-01 with row 0 selected and completed;
// reselecting a completed row runs no new separation search; a year typed
// rebuilds from its 1 January, and a later opening keeps that year.
TEST_F(EclipseForm, ListStartsIn2006AndKeepsTheTypedYear) {
    Shot("eclipse_list.png");
    EXPECT_EQ(Text(2708), "2006");
    EXPECT_EQ(Rows(), 6);
    EXPECT_EQ(selectedEclipse, 0);
    EXPECT_GE(eclipseList[0].closestSeparation, 0);
    EXPECT_EQ((std::vector{eclipseList[0].year, eclipseList[0].month, eclipseList[0].day}), (std::vector{2006, 3, 14}));
    TapRow(2704, 1);
    EXPECT_EQ(selectedEclipse, 1);
    const int searches = eclipseSeparationSearches;
    TapRow(2704, 0);
    TapRow(2704, 1);
    EXPECT_EQ(eclipseSeparationSearches, searches);
    TypeYear("2010");
    EXPECT_EQ((std::vector{listStartYear, listStartMonth, listStartDay}), (std::vector{2010, 1, 1}));
    EXPECT_EQ(eclipseList[0].year, 2010);
    EXPECT_EQ(selectedEclipse, 0);
    for (const char* outside : {"abc", "1699", "2200"}) {  // the years of the planet theory: 1700-2199
        TypeYear(outside);  // refused in the input, which Cancel then closes
        EXPECT_EQ(BoxText(), "Year must be a whole number between 1700 and 2199\n") << outside;
        AnswerAll();
        Ui([] { pl::SendMessage(pl::GetActiveWindow(), pl::WM_COMMAND, pl::IDCANCEL, 0); });
        EXPECT_EQ(listStartYear, 2010) << outside;
        EXPECT_EQ(Text(2708), "2010") << outside;
    }
    TypeYear("2199");
    EXPECT_EQ(listStartYear, 2199);
    TypeYear("2010");
    MainCommand(1002);  // another form, then back
    Open();
    EXPECT_EQ(Text(2708), "2010");
    EXPECT_EQ(eclipseList[0].year, 2010);
}

// The selected row shows the text it shows unselected, in the highlight text
// colour over the highlight (it was drawn over an opaque white box, white on
// white).
TEST_F(EclipseForm, SelectedRowShowsItsTextInHighlightColours) {
    const std::vector<uint32_t> selected = RowPixels(0);
    TapRow(2704, 1);
    const std::vector<uint32_t> plain = RowPixels(0);
    uint32_t ink = 0, text = 0, fill = 0;
    Ui([&] {
        ink = pl::ToPixel888(GetForegroundColor()) & 0xF8F8F8u;
        text = pl::ToPixel888(GetHighlightTextColor()) & 0xF8F8F8u;
        fill = pl::ToPixel888(GetHighlightColor()) & 0xF8F8F8u;
    });
    ASSERT_NE(text, fill);
    int inked = 0, wrong = 0;
    for (size_t i = 0; i < plain.size(); ++i) {
        inked += plain[i] == ink;
        wrong += selected[i] != (plain[i] == ink ? text : fill);
    }
    EXPECT_GT(inked, 100);
    EXPECT_EQ(wrong, 0);
}

// Map is refused for a lunar event and the view stays; the Diagram view has
// no help.
TEST_F(EclipseForm, MapRefusedForTheMoonAndDiagramWithoutHelp) {
    ChooseView(kEclipseMapView);
    EXPECT_EQ(BoxText(), "This module is not available for moon eclipse\n");
    AnswerAll();
    EXPECT_EQ(currentEclipseView, kEclipseListView);
    EXPECT_FALSE(pl::IsWindowVisible(pl::GetDlgItem(form, 2721)));
    ChooseView(kEclipseDiagramView);
    EXPECT_EQ(currentEclipseView, kEclipseDiagramView);
    Shot("eclipse_diagram.png");
    Press(2701);
    EXPECT_EQ(BoxText(), "");
}

// Coordinates typed in the Info view: a last S or E makes them negative
// (longitudes are west positive).
TEST_F(EclipseForm, TypedLocationSouthAndEastAreNegative) {
    Press(2707);
    EXPECT_EQ(currentEclipseView, kEclipseInfoView);
    Ui([this] {
        pl::SetDlgItemText(form, 2715, "12:30:00 S");
        pl::SetDlgItemText(form, 2716, "5:00:00 E");
    });
    Press(2717);
    EXPECT_DOUBLE_EQ(typedLatitude, -12.5);
    EXPECT_DOUBLE_EQ(typedLongitude, -5.0);
    EXPECT_DOUBLE_EQ(observerLatitude, -12.5);
    Shot("eclipse_info.png");
}

}  // namespace
