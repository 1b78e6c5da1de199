// The observing list (form 1800, "VezizIvodozi") in the running program: the
// panel of the selected row, the class filter and sort popups, the finder's
// target taken on return, the sky chart, pictures and the other buttons, and
// its layout by screen.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "catalog/object_pictures.h"
#include "catalog/screens/list_manager_form.h"
#include "chart/chart_views.h"
#include "list_screens_test.h"
#include "objects/current_object.h"
#include "objects/object_info_form.h"
#include "platform/text_log.h"
#include "support/both_screens.h"
#include "support/jpeg_file.h"
#include "support/minor_planet_records.h"
#include "tools/observer_log.h"
#include "ui/control_records.h"
#include "ui/form_controls.h"
#include "ui/simple_controls.h"

namespace {

using namespace list_screens_test;

constexpr int kName = 1799, kRa = 1804, kAltitude = 1807, kTransitAltitude = 1817, kMagnitude = 1819;
constexpr int kEyepiece = 1823, kSize = 1824, kDistance = 1825, kGauge = 1808, kPicture = 1809;
constexpr int kMessierRow = 4;

SelectionEntry Galaxy(const char* name, int number, float ra, float dec) {
    SelectionEntry e = ListEntry(name, kDesignationIc, number, 16, ra, dec);
    e.source = 6;  // the class code of galaxies
    e.mag10 = 85, e.size1 = 10, e.size2 = 5;
    return e;
}

SelectionEntry Shower(int row) {
    SelectionEntry e = ListEntry("Shower", kDesignationMeteor, row, 29, 10.0f, 20.0f);
    e.source = kSourceMeteorShower, e.sourceIndex = static_cast<uint16_t>(row);
    return e;
}

class ListForm : public ListScreensTest {
protected:
    void Open() {
        Ui([] { GotoForm(kObservingListFormId); });
        ASSERT_EQ(GetCurrentFormId(), kObservingListFormId) << BoxText();
    }
    int Row() {
        int row = -2;
        Ui([&row] { row = Get(kListRows); });
        return row;
    }
    void TapRow(int row) { Tap(RowCentre(Item(kListRows), row)); }
    static int GaugeBitmap() { return RecordOf<BitmapButtonRecord>(Item(kGauge))->currentBitmap; }
};

// With an empty list the panel is empty, Del does nothing and the sort popup
// only takes its new label.
TEST_F(ListForm, EmptyListClearsThePanel) {
    Start();
    Open();
    EXPECT_EQ(pl::ListViewGetItemCount(Item(kListRows)), 0);
    for (int id : {kName, kRa, kAltitude, kTransitAltitude, kMagnitude, kEyepiece, kSize, kDistance})
        EXPECT_EQ(Text(id), "") << id;
    EXPECT_FALSE(Visible(kPicture));
    Press(kListDelete);
    Choose(kListSortTrigger, kListSortList, 1);
    EXPECT_EQ(observingListState.sortOrder, 1);
    EXPECT_EQ((std::vector<int>{selectionCount, selectionShownCount, observingListState.panelEntry}),
              (std::vector<int>{0, 0, -1}));
    EXPECT_EQ(BoxCount(), 0);
}

// The finder's object is added on return and selected; chosen again it is
// only selected.
TEST_F(ListForm, FinderTargetIsAddedOnceAndSelected) {
    Start();
    Put({Galaxy("IC1", 1, 1.0f, 60.0f), Galaxy("IC2", 2, 2.0f, 60.0f)});
    Open();
    for (int pass = 0; pass < 2; ++pass) {
        TapRow(0);
        Press(kListAdd);
        ASSERT_EQ(GetCurrentFormId(), kFinderFormId);
        Choose(kFinderCatalogTrigger, kFinderCatalogList, kMessierRow);
        for (int key : {3, 1}) Press(kFinderDigit0 + key);
        Press(kFinderOk);
        ASSERT_EQ(GetCurrentFormId(), kObservingListFormId);
        EXPECT_EQ(Names(), "IC1 IC2 M31") << pass;
        EXPECT_EQ((std::vector<int>{Row(), selectionCurrentRow, observingListState.panelEntry}),
                  (std::vector<int>{2, 2, 2}));
        EXPECT_EQ(Text(kName), "NGC224");  // a Messier entry is named by the record it maps to
        EXPECT_EQ(selectedObject.isSet, 0);
    }
}

// With the list full, the finder's object already in it (under any of its
// designations) is selected on return, one to add gets the full-list message;
// the screen is whole again once that is answered. On both screens.
using ListScreens = OnBothScreens<ListForm>;

TEST_P(ListScreens, FullListSelectsAListedTargetAndSaysWhenOneCannotBeAdded) {
    Start(GetParam());
    std::vector<uint32_t> before;
    ExpectFullListRule(
        [&](int kind, const char* number) {
            Open();
            before = ScreenSample(4);
            Ui([kind] { finderPreselectKind = kind; });  // the finder's catalogue of the last time
            Press(kListAdd);
            ASSERT_EQ(GetCurrentFormId(), kFinderFormId);
            for (const char* d = number; *d; ++d) Press(kFinderDigit0 + (*d - '0'));
            Press(kFinderOk);
            EXPECT_EQ(Row(), selectionCurrentRow);
        },
        kObservingListFormId, kObservingListFormId);
    EXPECT_EQ(ScreenSample(4), before);
}

// The gauge's word, its bitmap and the best eyepiece and magnitude that a
// screen shows.
struct Rating {
    std::string word, eyepiece, magnitude;
    int bitmap;
    bool operator==(const Rating&) const = default;
};
std::ostream& operator<<(std::ostream& out, const Rating& r) {
    return out << r.word << " " << r.bitmap << " " << r.eyepiece << " " << r.magnitude;
}

// The texts drawn since the text log started: the gauge's word (one of its
// five) and the one drawn right of `label` on its row.
std::string DrawnWord() {
    for (const pl::TextRun& run : pl::LoggedTexts(pl::ScreenSurfaceSerial()))
        for (const char* word : {"Too faint", "Very difficult", "Difficult", "Easy", "Very easy"})
            if (run.text == word) return word;
    return "";
}
std::string DrawnRightOf(const char* label) {
    const std::vector<pl::TextRun> runs = pl::LoggedTexts(pl::ScreenSurfaceSerial());
    for (const pl::TextRun& l : runs)
        if (l.text == label)
            for (const pl::TextRun& v : runs)
                if (v.cell.top == l.cell.top && v.cell.left > l.cell.left) return v.text;
    return "";
}
int GaugeOf(int id) { return RecordOf<BitmapButtonRecord>(pl::GetDlgItem(GetCurrentFormDialog(), id))->currentBitmap; }

// 4 Vesta listed (magnitude 7.80 on 5 March 2024 by PyEphem from the same
// elements, far below a 100 mm telescope's limit of 7.5 + 5 log10(10) =
// 12.5): the list form rated it as an object of no size ("Too faint", "None":
// the whole arcminutes its entry keeps) at its entry's tenths of magnitude,
// truncated (7.7), object information and the finder as the 0.5' disc of its
// look-up at 7.8. Now all three show one word, eyepiece and magnitude.
TEST_P(ListScreens, AnAsteroidIsRatedAlikeOnTheListInformationAndFinder) {
    Start(GetParam());
    WriteFile(folder.path() / "data" / "zendavori_comet.ppc",
              record_writer::RecordDbBytes(1, 128, {record_writer::CometBytes(VestaRecord())}));
    Ui([] {
        ReopenDatabases(1);
        preferences.word[kPrefDiameter] = 100;
    });
    SelectionEntry vesta = ListEntry("4 Vesta", kDesignationComet, 0, 18, 0.0f, 0.0f);
    vesta.source = kSourceComet;
    Put({vesta});
    pl::StartTextLog();
    Open();
    TapRow(0);
    const Rating list{DrawnWord(), Text(kEyepiece), Text(kMagnitude), GaugeOf(kGauge)};
    pl::StopTextLog();
    pl::StartTextLog();
    Ui([] {
        currentObjectBlock.tab = 2;  // comets and asteroids
        currentObjectBlock.index = currentObjectBlock.pendingIndex = 1;
        GotoForm(kObjectInfoFormId);
    });
    ASSERT_EQ(GetCurrentFormId(), kObjectInfoFormId) << BoxText();
    const Rating information{DrawnWord(), Text(kInfoEyepiece), Text(kInfoMagnitude), GaugeOf(kInfoGauge)};
    pl::StopTextLog();
    Ui([] { OpenFinder(kObservingListFormId, kDesignationComet); });
    Choose(kFinderObjectTrigger, kFinderObjectList, 0);
    pl::StartTextLog();
    Press(kFinderFind);
    const Rating finder{DrawnWord(), DrawnRightOf("Eye."), DrawnRightOf("Mag"), GaugeOf(kFinderGauge)};
    pl::StopTextLog();
    EXPECT_NE(list.word, "Too faint");
    EXPECT_NE(list.eyepiece, "None");
    EXPECT_EQ(information, list);
    EXPECT_EQ(finder, list);
    EXPECT_EQ(BoxCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(BothScreens, ListScreens, ::testing::ValuesIn(kBothScreens));

// A class filter keeps the selected object when it passes, else row 0; the
// sort popup reorders the whole list.
TEST_F(ListForm, ClassFilterKeepsTheSelectedObjectWhenItPasses) {
    Start();
    SelectionEntry cluster = ListEntry("Cluster", kDesignationIc, 5, 6, 3.0f, 60.0f);
    cluster.source = 4;
    Put({Galaxy("Bright", 1, 1.0f, 60.0f), cluster, Galaxy("Faint", 3, 2.0f, 60.0f)});
    Ui([] { selectionList[2].mag10 = 120; });
    Open();
    TapRow(2);
    Choose(kListClassTrigger, kListClassList, 4);  // Galaxy
    EXPECT_EQ((std::vector<int>{selectionShownCount, Row()}), (std::vector<int>{2, 1}));
    EXPECT_EQ(Text(kName), "Faint");
    Choose(kListClassTrigger, kListClassList, 0);
    TapRow(1);
    EXPECT_EQ(Text(kName), "Cluster");
    Choose(kListClassTrigger, kListClassList, 4);
    EXPECT_EQ(Row(), 0);
    EXPECT_EQ(Text(kName), "Bright");
    Choose(kListClassTrigger, kListClassList, 0);
    Choose(kListSortTrigger, kListSortList, 1);  // Mag.: brightest first
    EXPECT_EQ(Names(), "Cluster Bright Faint");
}

// An entry at Dec +41.27 culminates at 90 - 51.0 + 41.27 = 80.27 degrees at
// 51 N: shown as 80 (plus 0.5, truncated). The galaxy's other fields.
TEST_F(ListForm, AltitudeAtTransitAndTheObjectsFields) {
    Start();
    Put({Galaxy("Andromeda", 224, 0.712f, 41.27f)});
    Open();
    EXPECT_EQ(Text(kTransitAltitude), "80\xB0");
    EXPECT_EQ(Text(kName), "Andromeda");
    EXPECT_EQ(Text(kMagnitude), "8.5");
    EXPECT_EQ(Text(kSize), "10'0x5'0");
    EXPECT_EQ(Text(1822), "GALXY");
    EXPECT_EQ(currentObject.declination, 41.27f);
}

// Meteor showers: "Start", "Max", "End" with "%02d-%s" dates ("Fev" for
// February), "Var." without a maximum day, and the gauge by the activity
// class: 1 gives 3.0 (Very easy), 3 gives 1.5 (Difficult), 4 gives 1.0 (Very
// difficult), any other 2.0 (Easy). A galaxy brings the labels back.
TEST_F(ListForm, MeteorShowerDatesAndGauge) {
    Start();
    // Quadrantids (class 1), delta-Leonids (4: 15 Feb - 10 Mar, maximum 24
    // Feb), Virginids (2, no maximum), Lyrids (3).
    Put({Shower(0), Shower(7), Shower(11), Shower(12), Galaxy("IC1", 1, 1.0f, 60.0f)});
    Open();
    const struct {
        int row;
        const char *start, *maximum, *end;
        int gauge;
    } cases[] = {
        {0, "01-Jan", "03-Jan", "05-Jan", 5004},
        {1, "15-Fev", "24-Fev", "10-Mar", 5001},
        {2, "25-Jan", "Var.", "15-Apr", 5003},
        {3, "16-Apr", "22-Apr", "25-Apr", 5002},
    };
    for (const auto& c : cases) {
        TapRow(c.row);
        EXPECT_EQ(Text(1841) + " " + Text(1842) + " " + Text(1843), "Start Max End");
        EXPECT_EQ(Text(kMagnitude) + " " + Text(kEyepiece) + " " + Text(kSize),
                  std::string(c.start) + " " + c.maximum + " " + c.end);
        EXPECT_EQ(GaugeBitmap(), c.gauge) << c.row;
    }
    TapRow(4);
    EXPECT_EQ(Text(1841) + " " + Text(1842) + " " + Text(1843), "Mag Eyep Size");
}

// Sky: in the Whole Sky view an object below the horizon goes to the chart at
// once; in the Sky Map the chart question comes first and No stays.
TEST_F(ListForm, SkyAsksOnlyInTheViewsOfTheVisibleSky) {
    Start();
    Put({Galaxy("South", 1, 8.0f, -60.0f)});
    Ui([] { chartView = 0; });
    Open();
    Press(kListSky);
    EXPECT_EQ(BoxText(),
              "This object is below horizon and will not be displayed in your current chart.\n\n\n"
              "Do you want to change your chart to see it?");
    Answer(pl::IDNO);
    EXPECT_EQ(GetCurrentFormId(), kObservingListFormId);
    Ui([] { chartView = 2; });
    Press(kListSky);
    EXPECT_EQ(GetCurrentFormId(), 1900);
    EXPECT_EQ(BoxCount(), 0);
}

// The picture button of a constellation finds Orion's picture by its row;
// the row-picture button shows the first picture from the current row on and
// leaves the current row.
TEST_F(ListForm, PicturesOfTheRowAndOfTheList) {
    Start();
    for (const char* sub : {"const", "ngc"}) std::filesystem::create_directories(folder.path() / "img" / sub);
    const std::vector<unsigned char> grey(8 * 8 * 3, 200);
    ASSERT_TRUE(WriteJpegFile((folder.path() / "img" / "const" / "Ori.jpg").string(), 8, 8, grey));
    ASSERT_TRUE(WriteJpegFile((folder.path() / "img" / "ngc" / "NGC7000.jpg").string(), 8, 8, grey));
    SelectionEntry orion = ListEntry("Orion", kDesignationConstellation, 60, 14, 5.58f, 3.6f);
    orion.source = kSourceConstellation, orion.sourceIndex = 60;
    SelectionEntry andromeda = orion;
    std::strcpy(andromeda.name, "Andromeda");
    andromeda.number = andromeda.sourceIndex = 0;
    SelectionEntry nebula = ListEntry("NGC7000", kDesignationNgc, 7000, 23, 20.98f, 44.3f);
    nebula.source = 8;
    Put({orion, andromeda, nebula});
    Open();
    EXPECT_TRUE(Visible(kPicture));
    TapRow(1);
    EXPECT_FALSE(Visible(kPicture));
    Press(kListRowPictures);
    EXPECT_STREQ(imageRequest.tested, "NGC7000.jpg");
    EXPECT_EQ(imageBrowseIndex, 3);
    harness.tap(120, 160);  // closes the viewer
    EXPECT_EQ(selectionCurrentRow, 1);
}

// The criteria button drops the list form from the history; back returns to
// the form before; the log opens on a new entry; List opens the list manager on its
// lists; trash empties the list and shows the form again.
TEST_F(ListForm, BottomButtons) {
    Start();
    Put({Galaxy("IC1", 1, 1.0f, 60.0f)});
    Open();
    Press(kListCriteria);
    EXPECT_EQ(GetCurrentFormId(), 1700);
    EXPECT_EQ(std::count(formHistory, formHistory + kFormHistorySize, kObservingListFormId), 0);
    Ui([] { GotoForm(kHomeFormId); });
    Open();
    Press(kListBack);
    EXPECT_EQ(GetCurrentFormId(), kHomeFormId);
    Open();
    Press(kListLog);
    EXPECT_EQ((std::vector<int>{GetCurrentFormId(), observerLogState.mode}), (std::vector<int>{2600, kLogNewEntry}));
    Open();
    Ui([] { SetListManagerMode(kListManagerUserCatalogs); });
    Press(kListFiles);
    EXPECT_EQ((std::vector<int>{GetCurrentFormId(), listManagerMode}),
              (std::vector<int>{kListManagerForm, kListManagerLists}));
    Open();
    Press(kListTrash);
    EXPECT_EQ(GetCurrentFormId(), kObservingListFormId);
    EXPECT_EQ((std::vector<int>{selectionCount, selectionShownCount, selectionList[0].number}),
              (std::vector<int>{0, 0, -1}));
    EXPECT_EQ(pl::ListViewGetItemCount(Item(kListRows)), 0);
}

// The help boxes of the three forms, as written (0x95 the bullet); the
// criteria form's comes as two boxes, the second shown once the first is
// closed; the finder's description button without a description.
TEST_F(ListForm, HelpTexts) {
    Start();
    const struct {
        int form, button;
        std::vector<std::string> boxes;
    } cases[] = {
        {kObservingListFormId, kListInfo,
         {"\x95 Use Filter to display only one type of object.\n\x95 Use Up and Down PDA keys to browse the "
          "list.\n\x95 Use Add and Del to adjust the list,\n\x95 Use List to import several objects,\n\x95 Tap on "
          "the underlined field or image to get local help."}},
        {1700, 1723,
         {"\x95 N Icon: Create a new list with the matching objects.\n\x95 + Icon: Add new matching objects to the "
          "current list.\n",
          "\x95 - Icon: Delete only matching objects from the current list.\n\x95 Trash Icons: Reset filters to "
          "their default values.\n"}},
        {kFinderFormId, 2369,
         {"\x95 Select a catalog and type the object id,\n\x95 A red eye displayed means the object is visible,\n"
          "\x95 If displayed, tap on the camera to see the object image."}},
    };
    for (const auto& c : cases) {
        Ui([&c] { GotoForm(c.form); });
        ASSERT_EQ(GetCurrentFormId(), c.form);
        Press(c.button);
        for (const std::string& box : c.boxes) {
            EXPECT_EQ(BoxText(), box) << c.form;
            Answer(pl::IDOK);
        }
        EXPECT_EQ(BoxCount(), 0) << c.form;
    }
    Ui([] { OpenFinder(kHomeFormId, kDesignationNgc); });
    for (int key : {2, 2, 4}) Press(kFinderDigit0 + key);
    Press(kFinderFind);
    Press(kFinderDescription);
    EXPECT_EQ(BoxText(), "No description available.\nNot found: data/zendavori_obj_18k_desc.ppc");
    Answer(pl::IDOK);
}

// The list follows the screen's height: it grows by the difference from the
// design (none at 480 x 640 and 192 dpi, 80 pixels at 240 x 400) and shrinks
// at 320 x 240, where the distance, eyepiece, rise-and-set and altitude rows
// are hidden.
class ListLayout : public ListForm, public ::testing::WithParamInterface<std::tuple<int, int, int, int, bool>> {};

TEST_P(ListLayout, ListGrowsByTheExtraHeight) {
    const auto [width, height, dpi, listHeight, tall] = GetParam();
    Start();
    Put({Galaxy("IC1", 1, 1.0f, 60.0f)});
    Open();
    harness.changeScreen(width, height, dpi);
    ASSERT_EQ(GetCurrentFormId(), kObservingListFormId);
    pl::Rect r;
    pl::GetWindowRect(Item(kListRows), &r);
    EXPECT_EQ(r.Height(), listHeight);
    for (int id : {1826, kDistance, 1842, kEyepiece, 140, 141, kTransitAltitude})
        EXPECT_EQ(Visible(id), tall) << id;
}

// The template's 133 dialog units are 233 pixels at 96 dpi and 466 at 192.
INSTANTIATE_TEST_SUITE_P(Screens, ListLayout,
                         ::testing::Values(std::tuple{480, 640, 192, 466, true}, std::tuple{240, 400, 96, 313, true},
                                           std::tuple{320, 240, 96, 153, false}));

// M31's picture shows from the observing list for an entry of the Messier
// list and for the NGC record of the same object.
TEST_F(ListForm, M31PictureShowsForItsMessierAndNgcEntries) {
    Start();
    WriteM31Pictures();
    SelectionEntry messier = ListEntry("M31", kDesignationMessier, 31, 0, 0.71f, 41.27f);
    messier.source = kSourceMessier, messier.sourceIndex = 30;
    SelectionEntry ngc = ListEntry("NGC224", kDesignationNgc, 224, 0, 0.71f, 41.27f);
    ngc.source = 8;
    Put({messier, ngc});
    Open();
    for (int row : {0, 1}) {
        TapRow(row);
        ASSERT_TRUE(Visible(kPicture)) << row;
        Press(kPicture);
        EXPECT_TRUE(PictureShownAndClosed()) << row;
    }
}

}  // namespace
