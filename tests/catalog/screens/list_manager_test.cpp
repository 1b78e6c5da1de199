// The list manager (form 1050) in the running program, on a 240 x 320 screen
// at 96 dpi unless a test changes it.
#include "catalog/screens/list_manager_form.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "catalog/record_db.h"
#include "catalog/user_lists.h"
#include "core/date_text.h"
#include "core/preferences.h"
#include "core/shared_state.h"
#include "platform/controls.h"
#include "platform/dialog.h"
#include "platform/focus.h"
#include "platform/window.h"
#include "screens_test.h"
#include "support/both_screens.h"
#include "support/catalog_fixture.h"
#include "support/list_entries.h"
#include "support/program_fixture.h"
#include "ui/forms.h"
#include "ui/shell_state.h"

namespace {

namespace fs = std::filesystem;
using Names = std::vector<std::string>;

constexpr int kFileList = 1051, kName = 1052, kDate = 1053, kTime = 1054, kBack = 1055, kLoad = 1056, kSave = 1057,
              kDelete = 1058, kInfo = 1059;

std::string DateText(int day, int month, int year) {
    char text[24];
    FormatDate(text, sizeof text, day, month, year);
    return text;
}

class ListManager : public ProgramTest {
protected:
    void SetUp() override {
        harness.setLocalTime(pl::LocalTime{2024, 3, 5, 21, 10, 0});
        ASSERT_TRUE(StartProgram());
        Ui([] { SetListManagerMode(0); });
    }
    void Open() {
        Ui([] { GotoForm(kListManagerForm); });
        ASSERT_EQ(GetCurrentFormId(), kListManagerForm);
    }
    static pl::Hwnd Item(int id) { return pl::GetDlgItem(GetCurrentFormDialog(), id); }
    static std::string Text(int id) { return pl::GetWindowText(Item(id)); }
    static int Rows() { return pl::ListViewGetItemCount(Item(kFileList)); }
    static pl::Rect ScreenRect(int id) {
        pl::Rect r;
        pl::GetWindowRect(Item(id), &r);
        return r;
    }
    void TapRow(int row) { Tap(RowCentre(Item(kFileList), row)); }
    // Types `name` into the name field's text input ("Name"), then Save.
    void SaveAs(const char* name) {
        Tap(Centre(Item(kName)));
        pl::Hwnd input = pl::GetActiveWindow();
        ASSERT_EQ(pl::GetDlgItemText(input, 136), "Name");
        Ui([input, name] { pl::SetDlgItemText(input, 137, name); });
        Tap(Centre(pl::GetDlgItem(input, 1)));  // OK of the text input
        FormCommand(kSave);
    }
    Names Files(const char* sub) const {
        Names names;
        for (const auto& e : fs::directory_iterator(folder.path() / sub)) names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
};

// Opened by menu 1031 or home button 5063 without "userlists", the form makes
// it and lists nothing; the fields ask for a name and show the criteria's
// date, from the device clock. Save refuses an empty list and the untouched
// placeholder; "Winter" is 68 + 76 n bytes and listed once, also after a
// second save.
TEST_F(ListManager, OpensEmptyAndSavesTheListOnce) {
    for (int way : {1031, 5063}) {
        fs::remove_all(folder.path() / "userlists");
        Ui([] { GotoForm(kHomeFormId); });
        if (way == 1031) MainCommand(way);
        else FormCommand(way);
        ASSERT_EQ(GetCurrentFormId(), kListManagerForm);
        EXPECT_TRUE(fs::is_directory(folder.path() / "userlists"));
        EXPECT_EQ(Rows(), 0);
        EXPECT_EQ(Text(kName) + " " + Text(kDate) + " " + Text(kTime),
                  "<New list name> " + DateText(5, 3, 2024) + " 21:10");
    }
    FormCommand(kSave);
    EXPECT_EQ(BoxText(), "Please select at least one object\n");
    Answer(pl::IDOK);
    Ui([] { FillObservingList(3); });
    FormCommand(kSave);
    EXPECT_EQ(BoxText(), "Invalid list name.\n");
    Answer(pl::IDOK);
    for (int i = 0; i < 2; ++i) {
        SaveAs("Winter");
        EXPECT_EQ(fs::file_size(folder.path() / "userlists" / "Winter.lst"), 68u + 76u * 3u);
        EXPECT_EQ(Rows(), 1);
        EXPECT_EQ(Text(kName), "<New list name>");
    }
    EXPECT_EQ(Files("userlists"), Names{"Winter.lst"});
    EXPECT_EQ(BoxCount(), 0);
}

// A tapped row shows the list's name, count, date (not today's) and time; a
// file shorter than a header says so. Load and Delete do nothing without a
// row; Delete removes the file without asking; Load replaces the list, drops
// the newest history entry and opens the VezizIvodozi form on it.
TEST_F(ListManager, RowsShowTheirHeaderAndLoadOrDelete) {
    fs::create_directories(folder.path() / "userlists");
    Ui([] {
        FillObservingList(2);
        SaveUserList("Two");
        FillObservingList(5);
        selectionCriteria.year = 1999, selectionCriteria.month = 12, selectionCriteria.day = 31;
        selectionCriteria.hour = 23, selectionCriteria.minute = 5;
        SaveUserList("Winter");
        selectionCriteria.year = 2024;
        FillObservingList(1);
    });
    std::ofstream(folder.path() / "userlists" / "Short.lst", std::ios::binary) << std::string(40, 'x');
    Open();
    ASSERT_EQ(Rows(), 3);
    FormCommand(kLoad);
    FormCommand(kDelete);
    EXPECT_EQ(Files("userlists").size(), 3u);
    TapRow(2);
    EXPECT_EQ(Text(kName) + " " + Text(kDate) + " " + Text(kTime), "Winter, 5 " + DateText(31, 12, 1999) + " 23:05");
    TapRow(0);
    EXPECT_EQ(BoxText(), "Can't read header.\n");
    Answer(pl::IDOK);
    TapRow(1);  // Two.lst
    FormCommand(kDelete);
    EXPECT_EQ(Files("userlists"), (Names{"Short.lst", "Winter.lst"}));
    EXPECT_EQ(BoxCount(), 0);
    EXPECT_EQ(selectionCount, 1);
    TapRow(1);
    FormCommand(kLoad);
    EXPECT_EQ(selectionShownCount, 5);
    EXPECT_EQ(formHistory[5], kHomeFormId);
    EXPECT_EQ(GetCurrentFormId(), 1800);
    EXPECT_EQ(BoxText(), "");
    EXPECT_EQ(pl::ListViewGetItemCount(Item(1803)), 5);
}

// "User Catalogs" (popup row 1): every file of "usercatalogs"; the list
// controls give way to the instruction; the mode is kept; Load makes the file
// the user catalogue and selects its objects (two near the pole at 51 N).
TEST_F(ListManager, UserCatalogsModeListsEveryFileAndLoadsTheCatalogue) {
    fs::create_directories(folder.path() / "usercatalogs");
    std::ofstream(folder.path() / "usercatalogs" / "notes.txt") << "x";
    ObjectRecord polar{};
    polar.designationId = 63, polar.objectType = 16;
    polar.rightAscension = 2.5f, polar.declination = 89.2f, polar.magnitude = 4.0f;
    std::ofstream db(folder.path() / "usercatalogs" / "mine.pdb", std::ios::binary);
    fixture::ByteWriter header;
    header.U32(26).U32(0).U32(2).U32(64);
    db.write(reinterpret_cast<const char*>(header.bytes().data()), 16);
    for (const char* name : {"Polar one", "Polar two"}) {
        SetObjectRecordName(&polar, name);
        ++polar.number;
        fixture::Bytes b = fixture::ObjectBytes(polar);
        db.write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
    }
    db.close();
    Open();
    Tap(Centre(Item(1061)));
    Tap(RowCentre(Item(1062), 1));
    EXPECT_EQ(listManagerMode, 1);
    for (int id : {kName, kDate, kTime, kSave, kDelete, 138, 139, 140, 141})
        EXPECT_FALSE(pl::IsWindowVisible(Item(id))) << id;
    for (int id : {142, kFileList, kLoad, kBack}) EXPECT_TRUE(pl::IsWindowVisible(Item(id))) << id;
    Shot("list_manager_catalogs.png");
    Ui([] {
        GotoForm(kHomeFormId);
        currentSite.latitude = 51.0f, currentSite.sinLatitude = 0.777f, currentSite.cosLatitude = 0.629f;
    });
    Open();
    ASSERT_EQ(Rows(), 2);
    EXPECT_FALSE(pl::IsWindowVisible(Item(kName)));
    TapRow(0);
    FormCommand(kLoad);
    EXPECT_STREQ(reinterpret_cast<const char*>(&preferences.word[kPrefUserCatalogName]), "mine.pdb");
    ASSERT_EQ(selectionCount, 2);
    EXPECT_STREQ(selectionList[0].name, "Polar one");
    EXPECT_EQ(GetCurrentFormId(), 1800);
    EXPECT_EQ(BoxText(), "");
}

// The mode set before the form opens ("User Catalogs" chosen by another form)
// is the mode the form opens in: every file of "usercatalogs", whatever its
// extension, and the instruction instead of the list fields.
TEST_F(ListManager, ModeSetBeforeOpeningListsTheUserCatalogs) {
    fs::create_directories(folder.path() / "usercatalogs");
    for (const char* name : {"a.pdb", "b.txt", "c"}) std::ofstream(folder.path() / "usercatalogs" / name) << "x";
    Ui([] { SetListManagerMode(1); });
    Open();
    EXPECT_EQ(Rows(), 3);
    for (int id : {kName, kDate, kTime, kSave, kDelete}) EXPECT_FALSE(pl::IsWindowVisible(Item(id))) << id;
    EXPECT_TRUE(pl::IsWindowVisible(Item(142)));
}

// A Save whose file cannot be made (a folder in the way of its temporary
// file: a read-only "userlists" does not stop root) says so once, naming the
// file, and keeps the old file (nothing was said). On both screens.
class ListManagerScreens : public ListManager, public ::testing::WithParamInterface<pl::ScreenInfo> {
    void SetUp() override {
        harness.changeScreen(GetParam().width, GetParam().height, GetParam().dpi);
        ListManager::SetUp();
    }
};

TEST_P(ListManagerScreens, SaveThatCannotMakeItsFileIsToldOnce) {
    Ui([] { FillObservingList(3); SaveUserList("Winter"); FillObservingList(2); });
    fs::create_directory(folder.path() / "userlists" / "Winter.lst.tmp");
    Open();
    SaveAs("Winter");
    EXPECT_EQ(BoxText(), "Can't save list:\nWinter.lst");
    EXPECT_EQ(BoxCount(), 1);
    EXPECT_EQ(fs::file_size(folder.path() / "userlists" / "Winter.lst"), 68u + 76u * 3u);
}

// "Obs.lst" of 600 entries with room for 504 (500 "Max Selected items" and 5,
// less the end mark), loaded, one entry removed and saved as "obs": the
// program finds "obs.lst" as "Obs.lst", so the whole file is kept as .bad
// first, whatever its case (it was saved over and the 96 left out were lost).
TEST_P(ListManagerScreens, CutListSavedUnderAnotherCaseOfItsNameIsKeptWhole) {
    std::string file(68, '\0');
    const uint32_t header[] = {2024, 3, 5, 21, 45, 600};  // a date and time, the count
    for (int k = 0; k < 6; ++k) StoreU32(reinterpret_cast<uint8_t*>(file.data()), 44 + 4 * k, header[k]);
    for (int i = 0; i < 600; ++i) {
        SelectionEntry e = ListEntry("", kDesignationUser, i, 16, 0.04f * static_cast<float>(i % 500), 10.0f);
        std::snprintf(e.name, sizeof e.name, "Obs%d", i);
        uint8_t entry[kSelectionEntrySize];
        StoreSelectionEntry(e, entry);
        file.append(reinterpret_cast<const char*>(entry), sizeof entry);
    }
    std::ofstream(folder.path() / "userlists" / "Obs.lst", std::ios::binary) << file;
    Ui([] {
        preferences.word[kPrefMaxSelectedItems] = 10;
        CarryListToNewCapacity();
    });
    Open();
    TapRow(0);
    FormCommand(kLoad);
    EXPECT_EQ(BoxText(), "96 entries of Obs.lst could not be loaded; raise Max Selected items to see them.\n");
    AnswerAll();
    Ui([] { selectionShownCount = FilterSelectionByClass(0, selectionList, --selectionCount); });
    Open();
    SaveAs("obs");
    EXPECT_EQ(BoxCount(), 0);
    const Names files = Files("userlists");  // the list and its copy, named in whichever case
    ASSERT_EQ(files.size(), 2u);
    EXPECT_EQ(files[0], "Obs.lst");
    std::ifstream in(folder.path() / "userlists" / files[1], std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), file);
    EXPECT_EQ(fs::file_size(folder.path() / "userlists" / "Obs.lst"), 68u + 76u * 503u);
}

INSTANTIATE_TEST_SUITE_P(BothScreens, ListManagerScreens, ::testing::ValuesIn(kBothScreens));

// The help's three lines; on a screen larger than the design the information
// button moves right, Back, Load and Save down, Delete both, and the list
// grows by both.
TEST_F(ListManager, HelpAndLayout) {
    Open();
    FormCommand(kInfo);
    EXPECT_EQ(BoxText(),
              "\x95 Fill the name of your current list then press Save button to keep it.\n"
              "\x95 To remove an old list use Del button.\n"
              "\x95 To Reuse a previous one, select it then press Load button.");
    Answer(pl::IDOK);
    const int ids[] = {kInfo, kBack, kLoad, kSave, kDelete, kFileList};
    const int moves[][4] = {{80, 0, 0, 0},  {0, 160, 0, 0},   {0, 160, 0, 0},
                            {0, 160, 0, 0}, {80, 160, 0, 0}, {0, 0, 80, 160}};  // dx, dy, dw, dh
    std::vector<pl::Rect> design;
    for (int id : ids) design.push_back(ScreenRect(id));
    Shot("list_manager.png");
    harness.changeScreen(320, 480, 96);
    for (size_t i = 0; i < std::size(ids); ++i) {
        const pl::Rect& d = design[i];
        const int* m = moves[i];
        pl::Rect moved{d.left + m[0], d.top + m[1], d.right + m[0] + m[2], d.bottom + m[1] + m[3]};
        EXPECT_EQ(ScreenRect(ids[i]), moved) << ids[i];
    }
}

}  // namespace
