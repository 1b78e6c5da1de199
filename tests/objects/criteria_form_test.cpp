// The selection criteria (form 1700) in the running program: the popups on
// the criteria of the last search, New, Add and Remove, the eyepiece popup,
// the trash buttons, the date and time, and the lists' rows by screen height.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "core/date_text.h"
#include "list_screens_test.h"
#include "objects/criteria_form.h"
#include "objects/selection_search.h"
#include "support/both_screens.h"
#include "support/popup_scrolling.h"
#include "tools/edit_date_time.h"

namespace {

using namespace list_screens_test;

constexpr int kMessierRow = 5, kPlanetRow = 6;  // rows after "No Criteria"

class CriteriaForm : public ListScreensTest {
protected:
    // Opened from the observing list, as its criteria button does.
    void Open() {
        Ui([] { GotoForm(kObservingListFormId); });
        FormCommand(kListCriteria);
        ASSERT_EQ(GetCurrentFormId(), kCriteriaFormId) << BoxText();
    }
    int Row(int list) {
        int row = -2;
        Ui([list, &row] { row = Get(list); });
        return row;
    }
    std::vector<int> Rows(std::initializer_list<int> lists) {
        std::vector<int> rows;
        for (int list : lists) rows.push_back(Row(list));
        return rows;
    }
    static bool InHistory(int form) { return std::find(formHistory, formHistory + kFormHistorySize, form) != formHistory + kFormHistorySize; }
};

// The criteria of the last search come back with the form, the catalogue's
// row found by its id; a catalogue the form does not offer (the user
// catalogue, empty here) becomes none.
TEST_F(CriteriaForm, ReopeningShowsTheLastCriteria) {
    Start();
    Open();
    Choose(kCriteriaCatalogTrigger, kCriteriaCatalogList, kMessierRow);
    Choose(kCriteriaElevationTrigger, kCriteriaElevationList, 1);
    Choose(kCriteriaTypeTrigger, kCriteriaTypeList, 16);
    Choose(kCriteriaMagnitudeTrigger, kCriteriaMagnitudeList, 4);
    Choose(kCriteriaEyepieceTrigger, kCriteriaEyepieceList, 2);
    EXPECT_EQ(Label(kCriteriaEyepieceTrigger), "Nagler 9mm-9");
    FormCommand(kCriteriaNew);
    ASSERT_EQ(GetCurrentFormId(), kObservingListFormId);
    EXPECT_EQ((std::vector<int>{selectionCriteria.catalogue, selectionCriteria.elevation, selectionCriteria.type,
                                selectionCriteria.magnitude, selectionCriteria.eyepiece, selectionCriteria.eyepieceFocal}),
              (std::vector<int>{kDesignationMessier, 1, 16, 4, 2, 9}));
    Open();
    EXPECT_EQ(Rows({kCriteriaCatalogList, kCriteriaElevationList, kCriteriaTypeList, kCriteriaMagnitudeList,
                    kCriteriaEyepieceList, kCriteriaVisibilityList}),
              (std::vector<int>{kMessierRow, 1, 16, 4, 2, 0}));
    EXPECT_EQ(Label(kCriteriaEyepieceTrigger), "Nagler 9mm-9");
    Ui([] { selectionCriteria.catalogue = kDesignationUser; });
    Open();
    EXPECT_EQ(Row(kCriteriaCatalogList), 0);
    EXPECT_EQ(selectionCriteria.catalogue, 0);
}

// New empties the list, searches (Messier only: the first 25, the list's
// capacity, in name order), opens the list and leaves no trace of the
// criteria form in the history; Add keeps the entries and appends after them.
TEST_F(CriteriaForm, NewReplacesAndAddAppends) {
    Start();
    SelectionEntry mars = ListEntry("Mars", kDesignationPlanet, 4, 27, 1.0f, 10.0f);
    mars.source = kSourcePlanet, mars.sourceIndex = 4;
    SelectionEntry jupiter = ListEntry("Jupiter", kDesignationPlanet, 5, 27, 2.5f, 14.0f);
    jupiter.source = kSourcePlanet, jupiter.sourceIndex = 5;
    Put({mars, jupiter});
    Open();
    Choose(kCriteriaCatalogTrigger, kCriteriaCatalogList, kMessierRow);
    FormCommand(kCriteriaAdd);
    // The Messier objects are more than the list's room: the search says so.
    EXPECT_EQ(BoxText().substr(BoxText().find(" objects found")),
              " objects found and the list holds the first 23; raise Max Selected items to see them.\n");
    AnswerAll();
    ASSERT_EQ(GetCurrentFormId(), kObservingListFormId);
    ASSERT_EQ(selectionCount, GetSelectedItemsCapacity());
    EXPECT_EQ(std::string(selectionList[0].name) + " " + selectionList[1].name + " " + selectionList[2].name,
              "Mars Jupiter M1");
    EXPECT_FALSE(InHistory(kCriteriaFormId));
    Open();
    FormCommand(kCriteriaNew);
    AnswerAll();
    ASSERT_EQ(GetCurrentFormId(), kObservingListFormId);
    EXPECT_EQ(std::string(selectionList[0].name) + " " + selectionList[24].name, "M1 M25");
    EXPECT_FALSE(InHistory(kCriteriaFormId));
    EXPECT_EQ(formHistory[kFormHistorySize - 1], kObservingListFormId);
}

// Remove deletes the matching entries and returns; on an empty list the form stays.
TEST_F(CriteriaForm, RemoveOnAnEmptyListStays) {
    Start();
    Open();
    FormCommand(kCriteriaRemove);
    EXPECT_EQ(GetCurrentFormId(), kCriteriaFormId);
    EXPECT_EQ(selectionShownCount, 0);
    SelectionEntry mars = ListEntry("Mars", kDesignationPlanet, 4, 27, 1.0f, 10.0f);
    mars.source = kSourcePlanet;
    Put({mars, ListEntry("E1", kDesignationIc, 1, 16, 1.0f, 10.0f)});
    Open();
    Choose(kCriteriaCatalogTrigger, kCriteriaCatalogList, kPlanetRow);
    FormCommand(kCriteriaRemove);
    EXPECT_EQ(GetCurrentFormId(), kObservingListFormId);
    EXPECT_EQ(Names(), "E1");
}

// Without the eyepiece file the popup holds "None" only and reads "No
// Criteria"; with it, one row more than its records.
TEST_F(CriteriaForm, EyepiecePopupFollowsTheFile) {
    Start();
    Open();
    EXPECT_EQ(pl::ListViewGetItemCount(Item(kCriteriaEyepieceList)), 3);
    Choose(kCriteriaEyepieceTrigger, kCriteriaEyepieceList, 1);
    EXPECT_EQ(Label(kCriteriaEyepieceTrigger), "Plossl 25mm-25");
    std::filesystem::remove(folder.path() / "data" / "zendavori_eyepiece.ppc");
    Ui([] { selectionCriteria.eyepiece = 0; });
    Open();
    EXPECT_EQ(pl::ListViewGetItemCount(Item(kCriteriaEyepieceList)), 1);
    EXPECT_EQ(Label(kCriteriaEyepieceTrigger), "No Criteria");
}

// Each trash button resets its own group, popups and criteria alike.
TEST_F(CriteriaForm, TrashButtonsResetTheirGroups) {
    Start();
    Open();
    const int vision[] = {kCriteriaVisibilityList, kCriteriaEyepieceList, kCriteriaMagnitudeList};
    const int object[] = {kCriteriaCatalogList, kCriteriaTypeList, kCriteriaConstellationList,
                          kCriteriaElevationList};
    const int triggers[] = {kCriteriaVisibilityTrigger, kCriteriaEyepieceTrigger, kCriteriaMagnitudeTrigger,
                            kCriteriaCatalogTrigger, kCriteriaTypeTrigger, kCriteriaConstellationTrigger,
                            kCriteriaElevationTrigger};
    const int lists[] = {vision[0], vision[1], vision[2], object[0], object[1], object[2], object[3]};
    for (int i = 0; i < 7; ++i) Choose(triggers[i], lists[i], 2);
    FormCommand(kCriteriaVisionTrash);
    EXPECT_EQ(Rows({vision[0], vision[1], vision[2], object[0], object[1], object[2], object[3]}),
              (std::vector<int>{0, 0, 0, 2, 2, 2, 2}));
    EXPECT_EQ(Label(kCriteriaEyepieceTrigger), "No Criteria");
    FormCommand(kCriteriaObjectTrash);
    EXPECT_EQ(Rows({object[0], object[1], object[2], object[3]}), (std::vector<int>{0, 0, 0, 0}));
    const SelectionCriteria& c = selectionCriteria;
    EXPECT_EQ((std::vector<int>{c.visibility, c.eyepiece, c.magnitude, c.catalogue, c.type, c.constellation,
                                c.elevation}),
              (std::vector<int>(7, 0)));
}

// The date and time fields show the criteria's (the device clock's while the
// date is not fixed); the editor's Cancel changes nothing, its Ok takes the
// new date; the clock button goes back to the device's date; a date that
// does not read leaves the criteria's date and time at 0.
TEST_F(CriteriaForm, DateAndTimeFields) {
    Start();
    Open();
    EXPECT_EQ(Text(kCriteriaDateField) + " " + Text(kCriteriaTimeField), "05/03/2024 21:10");
    Tap(Centre(Item(kCriteriaTimeField)));
    Tap(Centre(pl::GetDlgItem(pl::GetActiveWindow(), kDateTimeCancel)));
    EXPECT_EQ(GetCurrentFormId(), kCriteriaFormId);
    EXPECT_EQ(Text(kCriteriaDateField), "05/03/2024");
    Tap(Centre(Item(kCriteriaDateField)));
    pl::Hwnd dialog = pl::GetActiveWindow();
    Tap(Centre(pl::GetDlgItem(dialog, kDayTrigger)));
    Tap(RowCentre(pl::GetDlgItem(dialog, kDayList), 5));
    Tap(Centre(pl::GetDlgItem(dialog, kDateTimeOk)));
    EXPECT_EQ(Text(kCriteriaDateField), "06/03/2024");
    EXPECT_EQ((std::vector<int>{selectionCriteria.day, selectionCriteria.hour}), (std::vector<int>{6, 21}));
    FormCommand(kCriteriaNow);
    EXPECT_EQ(Text(kCriteriaDateField), "05/03/2024");
    float lst = 0.0f;
    Ui([&lst] {
        lst = selectionLst;
        SetField(kCriteriaDateField, "31/02/2024");
        ReadSelectionCriteria();
    });
    const SelectionCriteria& c = selectionCriteria;
    EXPECT_EQ((std::vector<int>{c.year, c.month, c.day, c.hour, c.minute}), (std::vector<int>(5, 0)));
    EXPECT_EQ(selectionLst, lst);
}

// The Type popup scrolls without picking (a tap on its scroll bar picked the
// row at its height, "Constellation"); a tap on a row picks that type. On
// both screens.
using CriteriaScreens = OnBothScreens<CriteriaForm>;

TEST_P(CriteriaScreens, TypePopupScrollsAndPicksTheRowTapped) {
    Start(GetParam());
    Open();
    Choose(kCriteriaTypeTrigger, kCriteriaTypeList, 0);
    pl::Hwnd list = Item(kCriteriaTypeList);
    ASSERT_EQ(pl::ListViewGetItemCount(list), kObjectTypeCount);
    const int middle = ScrollAndPick(harness, Item(kCriteriaTypeTrigger), list);
    EXPECT_EQ((std::vector<int>{Row(kCriteriaTypeList), RecordOf<PopupRecord>(Item(kCriteriaTypeTrigger))->selection}),
              (std::vector<int>{middle, middle}));
    EXPECT_EQ(BoxCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(BothScreens, CriteriaScreens, ::testing::ValuesIn(kBothScreens));

// Lists of many rows show 13 rows on a screen 240 pixels high, 19 otherwise.
class CriteriaLists : public CriteriaForm, public ::testing::WithParamInterface<std::tuple<int, int, int>> {};

TEST_P(CriteriaLists, LongListsShowRowsByScreenHeight) {
    const auto [width, height, rows] = GetParam();
    Start(width, height, 96);
    Open();
    for (int trigger : {kCriteriaCatalogTrigger, kCriteriaTypeTrigger, kCriteriaEyepieceTrigger,
                        kCriteriaConstellationTrigger})
        EXPECT_EQ(RecordOf<PopupRecord>(Item(trigger))->visibleRows, rows) << trigger;
    EXPECT_EQ(RecordOf<PopupRecord>(Item(kCriteriaElevationTrigger))->visibleRows, 12);  // its 11 rows + 1
}

INSTANTIATE_TEST_SUITE_P(Screens, CriteriaLists,
                         ::testing::Values(std::tuple{320, 240, 13}, std::tuple{240, 320, 19}));

}  // namespace
