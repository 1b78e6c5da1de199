// The eclipse assistant (2700) over the running program: opened from the menu,
// driven by taps and typed fields, read from its state, controls and boxes.
#include "eclipse/eclipse_form.h"

#include <gtest/gtest.h>

#include <string>

#include "catalog/databases.h"
#include "core/preferences.h"
#include "eclipse/eclipse_list.h"
#include "platform/controls.h"
#include "platform/dialog.h"
#include "platform/focus.h"
#include "platform/window.h"
#include "support/program_fixture.h"
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
    TypeYear("abc");
    EXPECT_EQ(listStartYear, 2010);
    MainCommand(1002);  // another form, then back
    Open();
    EXPECT_EQ(Text(2708), "2010");
    EXPECT_EQ(eclipseList[0].year, 2010);
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
